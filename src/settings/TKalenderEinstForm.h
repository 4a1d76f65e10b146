#pragma once

#include "settings/KalenderEinst.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace kb {

class FarbAuswahl;

// "Kronoblatt-Einstellungen": texts, fonts, colours, logo and the school-holiday periods of
// the settings file. Made once and reused; each opening refills it from the file. The rules
// (fill, period check, save order) live in KalenderEinst.h; this window shows them.
class TKalenderEinstForm : public QDialog {
    Q_OBJECT
public:
    // The school-holiday dates of a state and year for the button "Ferien für Bundesland
    // übernehmen"; the main window supplies it.
    using FerienQuelle = std::function<FerienVorschlag(const QString &land, int jahr)>;

    explicit TKalenderEinstForm(QWidget *parent = nullptr);

    // Fills the dialog from `ini` (copying what it reads into `layout`) and remembers where a
    // save goes and which calendar is open: its year checks the periods, its state names the
    // school holidays to take over (empty: none).
    void fuellen(IniFile &ini, LayoutSettings &layout, int jahr, const QString &land);
    void setFerienQuelle(FerienQuelle quelle) { m_ferienQuelle = std::move(quelle); }

    // What the controls hold now.
    KalenderEinstWerte werte() const;

    QTabWidget *tabs() const { return m_tabs; }
    QLineEdit *textFeld(EinstText t) const { return m_texte[static_cast<int>(t)]; }
    FarbAuswahl *farbAuswahl(EinstFarbe f) const { return m_farben[static_cast<int>(f)]; }
    QPushButton *schriftKnopf(FontGroup g) const { return m_schrift[static_cast<int>(g)]; }
    QToolButton *schriftFarbeKnopf(FontGroup g) const
    {
        return m_schriftFarbe[static_cast<int>(g)];
    }
    QCheckBox *symboleFeld() const { return m_symbole; }
    QPushButton *logoKnopf() const { return m_logo; }
    // [period][0 begin, 1 end]
    QLineEdit *datumsFeld(Ferien f, int spalte) const
    {
        return m_ferien[static_cast<int>(f)][spalte];
    }
    QLabel *ferienHinweis(Ferien f) const { return m_hinweise[static_cast<int>(f)]; }
    QTextBrowser *browser() const { return m_browser; }
    QPushButton *ferienNachsehenKnopf() const { return m_nachsehen; }
    QPushButton *ferienUebernehmenKnopf() const { return m_uebernehmen; }
    QPushButton *speichernKnopf() const { return m_speichern; }
    QPushButton *abbrechenKnopf() const { return m_abbrechen; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *labelsUndFarben();
    QWidget *ferienTermine();
    QWidget *schriftZeile(FontGroup g, const QString &text);
    void schriftWaehlen(FontGroup g);
    void schriftFarbeWaehlen(FontGroup g);
    void schriftZeigen(FontGroup g);
    void logoWaehlen();
    void ferienNachsehen();
    void ferienUebernehmen();
    void datumsfelderZeigen(const FerienFelder &felder);
    void speichern();

    QTabWidget *m_tabs = nullptr;
    std::array<QLineEdit *, kEinstTextCount> m_texte {};
    std::array<FarbAuswahl *, kEinstFarbeCount> m_farben {};
    std::array<QPushButton *, kFontGroupCount> m_schrift {};
    std::array<QToolButton *, kFontGroupCount> m_schriftFarbe {};
    QCheckBox *m_symbole = nullptr;
    QPushButton *m_logo = nullptr;
    std::array<std::array<QLineEdit *, 2>, kFerienCount> m_ferien {};
    std::array<QLabel *, kFerienCount> m_hinweise {};
    QTextBrowser *m_browser = nullptr;
    QPushButton *m_nachsehen = nullptr;
    QPushButton *m_uebernehmen = nullptr;
    QPushButton *m_speichern = nullptr;
    QPushButton *m_abbrechen = nullptr;

    // The font state of the four groups with their style flags (they outlive an opening).
    std::array<TextFont, kFontGroupCount> m_fonts;
    IniFile *m_ini = nullptr;
    LayoutSettings *m_layout = nullptr;
    int m_jahr = 0;
    QString m_land;
    FerienQuelle m_ferienQuelle;
};

} // namespace kb
