#pragma once

#include <QGraphicsItem>
#include <QGraphicsView>

namespace kb::designer {

// The workspace of a designer as its grab handles and its view see it. The form designer
// and the report designer both show their model on such a workspace, so both get the same
// handles, the same zoom and the same keyboard moves.
class Arbeitsflaeche {
public:
    virtual ~Arbeitsflaeche() = default;
    virtual bool hatAuswahl() const = 0;
    // The arrow keys: moves the selection by whole pixels, as one step of the history.
    virtual void verschieben(int dx, int dy) = 0;
    // A handle drag: begins, moves the selection's edges given by `kante`, ends as one step.
    virtual void ziehenBeginnen() = 0;
    virtual void griffZiehen(int kante, QPointF delta) = 0;
    virtual void ziehenBeenden(const QString &text) = 0;
};

// One of the eight grab handles around the selected element; keeps its size on screen at
// every zoom.
class GriffItem final : public QGraphicsItem {
public:
    // `kante`: bit 0 left, 1 right, 2 top, 3 bottom edge moves.
    GriffItem(Arbeitsflaeche *flaeche, int kante);
    int kante() const { return m_kante; }
    QRectF boundingRect() const override;
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override;

    // The eight handles row by row from the top left.
    static constexpr int kKanten[8] = { 5, 4, 6, 1, 2, 9, 8, 10 };
    // Where the handle for `kante` sits on `rect`.
    static QPointF stelle(const QRectF &rect, int kante);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    Arbeitsflaeche *m_flaeche;
    int m_kante;
};

// A workspace's view: Ctrl+wheel and Ctrl+plus/minus zoom, the arrow keys move the selection
// (one pixel, ten with Shift).
class EntwurfAnsicht final : public QGraphicsView {
    Q_OBJECT
public:
    EntwurfAnsicht(QGraphicsScene *szene, Arbeitsflaeche *flaeche, QWidget *parent = nullptr);
    // 50 to 400 per cent.
    void setZoom(int prozent);
    int zoom() const { return m_zoom; }

Q_SIGNALS:
    void zoomGeaendert(int prozent);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Arbeitsflaeche *m_flaeche;
    int m_zoom = 100;
};

// Paints a ruler into `rect`: yellow while its band is active, a millimetre scale from
// `ursprung` with longer marks at 5 and 10 and the tens numbered, and the caption at the top.
void paintLineal(QPainter *p, const QRectF &rect, const QString &caption, bool aktiv,
    qreal ursprung, qreal pixelProMm);

} // namespace kb::designer
