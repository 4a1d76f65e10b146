#pragma once

#include "storage/Table.h"
#include <QAbstractScrollArea>
#include <QPointer>

class QAction;
class QMenu;

namespace kb {

class TableModel;

// The organizer's day tiles on the shared year table: pages of 5 x 7 tiles filled column by
// column (Kachelraster.h), scrolling sideways a column at a time. Each tile shows the date on
// a blue strip, the day text and the weekday name in the colours of dbCtrlGrid1PaintPanel();
// the tile of the current day is light grey. A click makes a day current; the context menu
// offers "zum Formular" (the day details).
class Kachelfeld : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit Kachelfeld(Table *jahr, QWidget *parent = nullptr);

    TableModel *tabellenModell() const { return m_modell; }
    // The first column of tiles shown.
    int ersteSpalte() const;
    QSize kachelGroesse() const;
    // The tile of the day in row `zeile` of the table, in viewport coordinates.
    QRect kachelRechteck(int zeile) const;
    QAction *zumFormular() const { return m_zumFormular; }
    QMenu *kontextmenue() const { return m_menue; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void tagesdatenGewuenscht();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void bereichSetzen();
    void aktuellZeigen(int zeile);
    void waehlen(int zeile);
    void kachelZeichnen(QPainter &p, int zeile, const QRect &r) const;
    int tage() const;

    QPointer<Table> m_jahr;
    TableModel *m_modell;
    QMenu *m_menue;
    QAction *m_zumFormular;
    int m_rad = 0;
};

} // namespace kb
