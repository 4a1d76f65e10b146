#pragma once

#include "designer/Arbeitsflaeche.h"
#include "designer/Bericht.h"

#include <QGraphicsScene>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <vector>

namespace kb::designer {

class BerichtsBandItem;
class BerichtsElementItem;

// Where a printable sits: its band's index in Bericht::baender and its index there.
struct ElementOrt {
    int band = -1;
    int element = -1;
    bool gueltig() const { return band >= 0 && element >= 0; }
    friend bool operator==(const ElementOrt &, const ElementOrt &) = default;
};

// The report designer's workspace: the report's bands one below the other, each under its
// ruler with its name, one item per printable, grab handles on the selection. Like the form
// designer's workspace it shows the report it holds and changes it only through steps on its
// history (snapshots of the plain report), so every change can be undone and one drag is one
// step.
class BerichtsSzene final : public QGraphicsScene, public Arbeitsflaeche {
    Q_OBJECT
public:
    static constexpr double kLineal = 34; // ruler strip above each band
    static constexpr double kTrenner = 5; // the strip below a band that resizes it

    explicit BerichtsSzene(QObject *parent = nullptr);
    ~BerichtsSzene() override;

    const bericht::Bericht &bericht() const { return m_bericht; }
    QUndoStack *verlauf() { return &m_verlauf; }
    // Shows `bericht` freshly: no selection, an empty history. The items are built at once;
    // after a change they are rebuilt on the next turn of the event loop.
    void laden(bericht::Bericht bericht);
    // One step; it enters the history when it changed anything. Steps with the same text and
    // a merge id other than -1 become one.
    void aendern(const QString &text, const std::function<void(bericht::Bericht &)> &change,
        int mergeId = -1);
    // Builds the items now (tests and screenshots look at them right after a change).
    void aufbauen();

    int aktivesBand() const { return m_aktiv; }
    void aktivieren(int band);
    ElementOrt auswahl() const { return m_auswahl; }
    void waehlen(ElementOrt ort);
    const bericht::Element *ausgewaehlt() const;

    // A new printable of `art` on the active band (a detail band is made when there is none).
    void neu(bericht::ElementArt art, const QString &text = {}, QPointF lage = { 8, 4 });
    void loeschen();
    bool hatAuswahl() const override { return ausgewaehlt() != nullptr; }
    void verschieben(int dx, int dy) override;
    // The band under a scene position and the position inside it; -1 when none.
    std::pair<int, QPointF> bandBei(QPointF scenePos) const;
    // The width of a band on the workspace: the report's column width in layout pixels.
    double bandBreite() const;

    // Called by the items while the mouse drags.
    void ziehenBeginnen() override;
    void elementZiehen(QPointF delta);
    void griffZiehen(int kante, QPointF delta) override;
    void bandZiehen(int band, double hoehe);
    void ziehenBeenden(const QString &text) override;

Q_SIGNALS:
    void auswahlGeaendert();
    void berichtGeaendert();

protected:
    void dragEnterEvent(QGraphicsSceneDragDropEvent *event) override;
    void dragMoveEvent(QGraphicsSceneDragDropEvent *event) override;
    void dropEvent(QGraphicsSceneDragDropEvent *event) override;

private:
    void zeigen(const bericht::Bericht &b);
    void spaeterAufbauen();
    void griffePlatzieren();
    void elementGeaendert(const QRectF &r);
    bericht::Element *element(bericht::Bericht &b, ElementOrt ort) const;

    bericht::Bericht m_bericht;
    QUndoStack m_verlauf;
    int m_aktiv = -1;
    ElementOrt m_auswahl;
    std::vector<double> m_bandOben; // scene y of each band's area
    std::vector<BerichtsBandItem *> m_baender;
    std::vector<BerichtsElementItem *> m_elemente;
    std::vector<GriffItem *> m_griffe;
    std::vector<QGraphicsItem *> m_trenner;
    bool m_aufbauGeplant = false;
    std::optional<bericht::Bericht> m_vorher;
    bericht::Element m_zugElement;
};

// The text a printable shows on the workspace: a label its caption, a field "[Name]", a
// system value its name.
QString entwurfsText(const bericht::Element &e);

} // namespace kb::designer
