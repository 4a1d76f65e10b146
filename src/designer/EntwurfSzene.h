#pragma once

#include "designer/Arbeitsflaeche.h"
#include "designer/Entwurfsregeln.h"

#include <QGraphicsScene>
#include <QHash>
#include <QUndoStack>
#include <QVariant>
#include <array>
#include <functional>

class QGraphicsLineItem;

namespace kb::designer {

class BandItem;
class ElementItem;
class KopfLinealItem;
class TrennerItem;

// The designer's workspace: the five bands with rulers, separators and column guides, one
// item per element and the grab handles of the selection. It shows the form it holds and
// changes it only through steps on its history, so every change can be undone.
class EntwurfSzene final : public QGraphicsScene, public Arbeitsflaeche {
    Q_OBJECT
public:
    explicit EntwurfSzene(QObject *parent = nullptr);
    ~EntwurfSzene() override;

    const Formular &formular() const { return m_form; }
    QUndoStack *verlauf() { return &m_verlauf; }
    // Shows `form` as a freshly opened form: no selection, an empty history.
    void laden(Formular form);

    // One step: `change` alters the form; the step enters the history when it changed
    // anything. Steps with the same text and a merge id other than -1 become one.
    void aendern(
        const QString &text, const std::function<void(Formular &)> &change, int mergeId = -1);

    FormBand aktivesBand() const { return m_aktiv; }
    void aktivieren(FormBand band);
    // The selected element's name (the week label's is the settings record's), or empty.
    const QString &auswahl() const { return m_auswahl; }
    void waehlen(const QString &name);
    // The selected element, nullptr for none and for the week label.
    const FormElement *ausgewaehlt() const;
    bool wocheGewaehlt() const;

    void neu(ElementType type);
    void loeschen();
    void alleEntfernen();
    bool hatAuswahl() const override { return !m_auswahl.isEmpty(); }
    void verschieben(int dx, int dy) override;
    ColumnGuides spalten() const { return m_spalten; }

    // Called by the items while the mouse drags.
    void ziehenBeginnen() override;
    void elementZiehen(const QString &name, QPointF delta);
    void griffZiehen(int kante, QPointF delta) override;
    void bandZiehen(FormBand band, int hoehe);
    void ziehenBeenden(const QString &text) override;

    // Geometry of an element or the week label as an element.
    FormElement anzeige(const QString &name) const;

    // Where data fields and data pictures find the value they show: the field `feld` of the
    // current record of the source `quelle` (a text, or a QImage for a picture field); an
    // invalid value when the source or the field is not there.
    using Werte = std::function<QVariant(const QString &quelle, const QString &feld)>;
    void setWerte(Werte werte);
    QVariant wert(const QString &quelle, const QString &feld) const;
    // The sources moved to another record or changed it: the data elements show it.
    void datenAktualisieren();

Q_SIGNALS:
    void auswahlGeaendert();
    void bandAktiviert(FormBand band);
    // Position and size of the selection in millimetres while it moves.
    void lage(const QString &text);
    void formularGeaendert();

private:
    void zeigen(const Formular &form);
    void layout();
    void elementeZeigen();
    void griffeZeigen();
    void mitElement(const QString &name, const std::function<void(int &, int &, int &, int &)> &f);
    QString lageText() const;

    Formular m_form;
    QUndoStack m_verlauf;
    FormBand m_aktiv = FormBand::Header;
    QString m_auswahl;
    ColumnGuides m_spalten;

    KopfLinealItem *m_kopfLineal = nullptr;
    std::array<BandItem *, kBandCount> m_baender {};
    std::array<TrennerItem *, kBandCount> m_trenner {};
    std::array<QGraphicsLineItem *, 4> m_hilfslinien {};
    QHash<QString, ElementItem *> m_elemente;
    Werte m_werte;
    // Values read since the sources last moved; pictures are decoded once per record.
    mutable QHash<QString, QVariant> m_wertCache;
    ElementItem *m_woche = nullptr;
    std::array<GriffItem *, 8> m_griffe {};

    // While a drag lasts: the form as it was when the mouse went down.
    std::optional<Formular> m_vorher;
    QPointF m_zugStart;
    FormElement m_zugElement;
    int m_zugBandHoehe = 0;
};

} // namespace kb::designer
