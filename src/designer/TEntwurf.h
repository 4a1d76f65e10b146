#pragma once

#include "designer/Arbeitsflaeche.h"
#include "designer/EntwurfSzene.h"

#include <QGraphicsView>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTextEdit;
class QToolBar;

namespace kb {
class Table;
struct LayoutSettings;
} // namespace kb

namespace kb::designer {
class EigenschaftsListe;
class TReportEinst;
} // namespace kb::designer

namespace kb::designer {

// The calendar form designer: the bands of one form file on a zoomable workspace, the
// page-settings panel, four toolbars and the help text. Every change can be undone; closing
// asks whether to save.
class TEntwurf final : public QMainWindow {
    Q_OBJECT
public:
    explicit TEntwurf(QWidget *parent = nullptr);
    ~TEntwurf() override;

    // Loads the form file; a missing file opens an empty form that is created on saving,
    // a damaged one shows why and opens empty as well (saving never writes over it).
    void laden(const QString &path);
    const QString &pfad() const { return m_pfad; }
    // The data sources of the open calendar: "KBHaupttabelle" is the year table `jahr`,
    // "KBDetailtabelle" its picture table `bild`. The data-field box lists their fields in
    // alphabetical order, and data fields and data pictures show the values of the tables'
    // current records while the window is open.
    void datenquellenSetzen(Table *jahr, Table *bild);
    // Without a calendar: the data-source box stays empty and the status bar says why.
    void ohneDatenquellen(const QString &grund);
    // The colours and school-holiday periods the preview prints with (the run-time copy of the
    // settings); without them, or without a calendar, the preview says what is missing.
    void setDruckEinstellungen(const LayoutSettings *settings) { m_druck = settings; }
    // "Seitenvorschau": the form as it stands, filled with the calendar, in the report preview;
    // returns when the preview is closed. The form itself does not change.
    void vorschau();

    EntwurfSzene *szene() { return &m_szene; }
    EntwurfAnsicht *ansicht() { return m_ansicht; }
    TReportEinst *einstellungen() { return m_einst; }

    struct Aktionen {
        QAction *loeschen, *schliessen, *rueckgaengig, *wiederholen;
        QAction *vergroessern, *verkleinern, *originalgroesse;
        QAction *einstellungen;
        QAction *neuerText, *neuesDatenfeld, *neuesSystemfeld, *rechteck, *neuesBild, *bildAendern,
            *datenbankBild;
        QAction *links, *zentriert, *rechts, *fett, *kursiv, *unterstrichen, *transparent,
            *schriftart, *vorschau, *hilfe;
    };
    const Aktionen &aktionen() const { return m_a; }

    // Controls of the toolbars and the panel, for the opener and the tests.
    QLineEdit *textEingabe() const { return m_textEingabe; }
    QComboBox *datenquelle() const { return m_quelle; }
    QComboBox *datenfeld() const { return m_feld; }
    QComboBox *systemTool() const { return m_systemTool; }
    QComboBox *ausrichtungBox() const { return m_ausrichtung; }
    QComboBox *papierBox() const { return m_papier; }
    QComboBox *wochenBox() const { return m_wochen; }
    QSpinBox *spaltenBox() const { return m_spalten; }
    QSpinBox *abstandBox() const { return m_abstand; }
    QSpinBox *breiteBox() const { return m_breite; }
    QSpinBox *hoeheBox() const { return m_hoehe; }
    QTextEdit *hilfeText() const { return m_hilfeText; }
    QComboBox *farbBox() const { return m_farbBox; }
    // The property list of the selected element: a row per property, the value editable.
    EigenschaftsListe *eigenschaftsListe() const { return m_eigenschaften; }
    // Panel 0 the active band, 1 the form file; 2 the data sources' state.
    QString statusText(int panel) const;
    quint8 stilSatz() const { return m_stil; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void aktionenAnlegen();
    void menueAnlegen();
    void werkzeugleistenAnlegen();
    QWidget *seitenPanel();
    void verbinden();
    void panelZeigen();
    void auswahlZeigen();
    void bandZeigen(FormBand band);
    void formatFreigeben(bool text, bool bild);
    // Changes the selected text or data field (or the week label) in one step.
    void textAendern(const QString &was, const std::function<void(FormElement &)> &f);
    void panelAendern(const std::function<void(Formular &)> &f);
    void stilUmschalten(int bit, bool an);
    void schriftDialog();
    void quelleGewaehlt();
    void bildOeffnen();
    bool speichernFragen();
    void eigenschaftenZeigen();
    void eigenschaftGeaendert(
        const QVariant &bezug, int id, const QString &titel, const QString &text);
    QStringList datenfelder(const QString &quelle) const;
    QVariant datenwert(const QString &quelle, const QString &feld) const;

    EntwurfSzene m_szene;
    EntwurfAnsicht *m_ansicht = nullptr;
    TReportEinst *m_einst = nullptr;
    QString m_pfad;
    quint8 m_stil = 0;
    QFont m_letzteSchrift;
    QPointer<Table> m_jahr, m_bild;
    const LayoutSettings *m_druck = nullptr;
    // The file given to laden() could not be read: saving must not write over it.
    QString m_unlesbar;
    EigenschaftsListe *m_eigenschaften = nullptr;
    QLabel *m_quellenHinweis = nullptr;
    Aktionen m_a {};
    QActionGroup *m_ausrichtungen = nullptr;
    QToolBar *m_leiste1 = nullptr, *m_leiste2 = nullptr, *m_leiste3 = nullptr, *m_leiste4 = nullptr;
    QLineEdit *m_textEingabe = nullptr;
    QComboBox *m_quelle = nullptr, *m_feld = nullptr, *m_systemTool = nullptr;
    QFontComboBox *m_schriftBox = nullptr;
    QComboBox *m_farbBox = nullptr;
    QComboBox *m_ausrichtung = nullptr, *m_wochen = nullptr, *m_papier = nullptr;
    QSpinBox *m_spalten = nullptr, *m_abstand = nullptr, *m_breite = nullptr, *m_hoehe = nullptr;
    QLabel *m_breiteText = nullptr, *m_hoeheText = nullptr;
    std::array<QCheckBox *, 4> m_schattierung {};
    QTextEdit *m_hilfeText = nullptr;
    QLabel *m_status0 = nullptr, *m_status1 = nullptr, *m_lage = nullptr;
    bool m_groesseGesetzt = false;
};

} // namespace kb::designer
