#pragma once

#include "storage/Table.h"
#include <QDialog>
#include <QPointer>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kb {

class Datensatzleiste;

// The day details window "Tagesdaten": every stored value of the current day of the shared
// year table, its text, notes and reminder flag to edit, its symbol picture, a navigator and
// "schliessen". Stepping through days here moves the current day of the grid and the
// organizer, and the day current on closing stays current there. Changes stay pending like
// everywhere else until the day changes or is saved.
class TalleDAT : public QDialog {
    Q_OBJECT
public:
    // Opens the picture browser for a day symbol; true when a picture was taken over (it is
    // then on the clipboard).
    using BildAuswahl = std::function<bool(QWidget *parent)>;

    TalleDAT(Table *jahr, BildAuswahl bildAuswahl, QWidget *parent = nullptr);

    // The label showing `feld` ("Datum", "Kennung" ...); null for an unknown field.
    QLabel *wert(const QString &feld) const;
    QLineEdit *text() const { return m_text; }
    QPlainTextEdit *notizen() const { return m_notizen; }
    QCheckBox *erinnern() const { return m_erinnern; }
    QLabel *symbol() const { return m_symbol; }
    QToolButton *symbolEinfuegen() const { return m_einfuegen; }
    QToolButton *symbolLoeschen() const { return m_loeschen; }
    Datensatzleiste *navigator() const { return m_navigator; }
    QPushButton *schliessen() const { return m_schliessen; }

    // "Symbol einfügen" (or a click on the symbol): the picture browser opens; the picture
    // taken over there becomes the current day's symbol, posted at once.
    void symbolEinfuegenKlick();
    // "Symbol löschen": the current day loses its symbol; posted at once.
    void symbolLoeschenKlick();

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private:
    QWidget *werteBauen(QWidget *parent);
    QWidget *eingabenBauen(QWidget *parent);
    void knoepfeAktualisieren();

    QPointer<Table> m_jahr;
    BildAuswahl m_bildAuswahl;
    QList<std::pair<QString, QLabel *>> m_werte;
    QLineEdit *m_text = nullptr;
    QPlainTextEdit *m_notizen = nullptr;
    QCheckBox *m_erinnern = nullptr;
    QLabel *m_symbol = nullptr;
    QToolButton *m_einfuegen = nullptr;
    QToolButton *m_loeschen = nullptr;
    Datensatzleiste *m_navigator = nullptr;
    QPushButton *m_schliessen = nullptr;
};

} // namespace kb
