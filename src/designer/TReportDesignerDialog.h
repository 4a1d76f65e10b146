#pragma once

#include "designer/Bericht.h"
#include "designer/BerichtsAbfrage.h"

#include <QDialog>
#include <QGraphicsView>
#include <QVariant>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace kb {
class Table;
}

namespace kb::designer {

class BerichtsSzene;
class EigenschaftsListe;
class EntwurfAnsicht;

// The open calendar, asked when a report reads it; nullopt while none is open.
using KalenderQuelle = std::function<std::optional<bericht::KalenderTabellen>()>;

// The report designer component: its designer window, and the four operations the report
// management runs on the blob field of the report table's current record. The two designer
// operations return when the window closes; saving in the window writes the field.
class TReportDesignerDialog final : public QDialog {
    Q_OBJECT
public:
    // Loads the report from the field and shows its preview. A report that cannot print
    // (empty, damaged, of a newer version, its query refused) previews as a page that says why.
    static void vorschauAusFeld(Table &table, const QString &feld, const KalenderQuelle &kalender);
    // Loads the report from the field and prints it after the print dialog; a report that
    // cannot print says why in a message.
    static void druckenAusFeld(
        Table &table, const QString &feld, const KalenderQuelle &kalender, QWidget *parent);
    // The designer window with an empty report titled `titel`, modal.
    static void neuInFeld(Table &table, const QString &feld, const QString &titel,
        const KalenderQuelle &kalender, QWidget *parent);
    // The designer window with the report of the field (an unreadable one opens empty, after a
    // message), modal.
    static void bearbeitenAusFeld(Table &table, const QString &feld, const QString &titel,
        const KalenderQuelle &kalender, QWidget *parent);

    // `speichern` receives the report's stream when the user saves.
    TReportDesignerDialog(const QString &titel, bericht::Bericht bericht, KalenderQuelle kalender,
        std::function<void(const QByteArray &)> speichern, QWidget *parent = nullptr);
    ~TReportDesignerDialog() override;

    BerichtsSzene *szene() const { return m_szene; }
    QGraphicsView *ansicht() const;
    QTabWidget *seiten() const { return m_seiten; }
    QListWidget *feldliste() const { return m_felder; }
    QPlainTextEdit *abfrageText() const { return m_abfrage; }
    QRadioButton *abfrageWahl() const { return m_quelleAbfrage; }
    QRadioButton *tabelleWahl() const { return m_quelleTabelle; }
    QLineEdit *tabellenPfad() const { return m_tabelle; }
    EntwurfAnsicht *ansichtMitZoom() const { return m_ansicht; }
    EigenschaftsListe *elementListe() const { return m_elementListe; }
    EigenschaftsListe *bandListe() const { return m_bandListe; }

    // "Prüfen": runs the data set and lists its fields; false (after a message) on failure.
    bool pruefen();
    // "Bild laden...": the selected picture printable shows the picture file `pfad` (empty:
    // the user picks one). False when nothing was taken.
    bool bildLaden(const QString &pfad = {});
    void speichern();
    void vorschau();
    // The report as the window shows it, with the data-set and page settings.
    bericht::Bericht bericht() const;

    struct Aktionen {
        QAction *speichern, *vorschau, *rueckgaengig, *wiederholen, *loeschen, *schliessen;
        QAction *vergroessern, *verkleinern, *originalgroesse;
        QAction *text, *feld, *systemwert, *bild, *feldbild, *rechteck, *linieWaagrecht,
            *linieSenkrecht;
    };
    const Aktionen &aktionen() const { return m_a; }

    // Asks whether to save a changed report, then closes.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *datenSeite();
    QWidget *seitenSeite();
    QWidget *eigenschaften();
    void werkzeuge(QWidget *oben, QWidget *unten);
    void einstellungenZeigen();
    void einstellungenUebernehmen();
    void auswahlZeigen();
    void elementEigenschaft(
        const QVariant &bezug, int id, const QString &titel, const QString &text);
    void bandEigenschaft(const QVariant &bezug, int id, const QString &titel, const QString &text);
    void schriftWaehlen();
    void bandHinzufuegen(int art);
    void feldlisteFuellen(const QStringList &felder);

    BerichtsSzene *m_szene = nullptr;
    EntwurfAnsicht *m_ansicht = nullptr;
    KalenderQuelle m_kalender;
    std::function<void(const QByteArray &)> m_speichern;
    Aktionen m_a {};
    bool m_zeigt = false; // while controls are filled from the model
    bool m_groesseGesetzt = false;

    QTabWidget *m_seiten = nullptr;
    QRadioButton *m_quelleKeine = nullptr, *m_quelleTabelle = nullptr, *m_quelleAbfrage = nullptr;
    QLineEdit *m_tabelle = nullptr;
    QPlainTextEdit *m_abfrage = nullptr;
    QListWidget *m_felder = nullptr;
    QLineEdit *m_titel = nullptr;
    QComboBox *m_papier = nullptr, *m_lage = nullptr;
    QDoubleSpinBox *m_papierMm[2] = {};
    QDoubleSpinBox *m_rand[4] = {};
    QSpinBox *m_spalten = nullptr;
    QDoubleSpinBox *m_abstand = nullptr;
    QComboBox *m_bandWahl = nullptr, *m_zoom = nullptr;

    QGroupBox *m_elementFelder = nullptr, *m_bandFelder = nullptr;
    EigenschaftsListe *m_elementListe = nullptr, *m_bandListe = nullptr;
    QPushButton *m_schriftKnopf = nullptr, *m_bildKnopf = nullptr;
};

} // namespace kb::designer
