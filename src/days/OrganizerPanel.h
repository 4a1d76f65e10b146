#pragma once

#include "storage/Table.h"
#include "widgets/CaptionPanel.h"

#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTabBar;
class QToolButton;

namespace kb {

namespace widgets {
class OvalButton;
}

class Kachelfeld;

// The organizer panel "  Organizer / Tagebuch" on the shared year table: the buttons
// "bearbeiten", "speichern" and "verwerfen", the current day in detail (long date, week, text,
// "zum Formular", "erinnern" and the diary notes), a splitter, the day tiles and the month
// tabs. Whatever is changed here stays pending in the current day until "speichern", a change
// of day or "verwerfen".
class OrganizerPanel : public widgets::CaptionPanel {
    Q_OBJECT
public:
    explicit OrganizerPanel(Table *jahr, QWidget *parent = nullptr);

    widgets::OvalButton *bearbeitenKnopf() const { return m_bearbeiten; }
    widgets::OvalButton *speichernKnopf() const { return m_speichern; }
    widgets::OvalButton *verwerfenKnopf() const { return m_verwerfen; }
    QLabel *datumLang() const { return m_datumLang; }
    QLabel *woche() const { return m_woche; }
    QLineEdit *text() const { return m_text; }
    QToolButton *zumFormular() const { return m_zumFormular; }
    QCheckBox *erinnern() const { return m_erinnern; }
    QPlainTextEdit *notizen() const { return m_notizen; }
    QSplitter *teiler() const { return m_teiler; }
    Kachelfeld *kacheln() const { return m_kacheln; }
    QTabBar *monate() const { return m_monate; }

    // Selects the tab of `monat` (0 = "Alle") without choosing it again.
    void monatZeigen(int monat);

Q_SIGNALS:
    void monatGewaehlt(int monat);
    void tagesdatenGewuenscht();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *knopfleisteBauen();
    QWidget *einzelheitenBauen();
    void teilen();

    QPointer<Table> m_jahr;
    widgets::OvalButton *m_bearbeiten = nullptr;
    widgets::OvalButton *m_speichern = nullptr;
    widgets::OvalButton *m_verwerfen = nullptr;
    QLabel *m_datumLang = nullptr;
    QLabel *m_woche = nullptr;
    QLineEdit *m_text = nullptr;
    QToolButton *m_zumFormular = nullptr;
    QCheckBox *m_erinnern = nullptr;
    QPlainTextEdit *m_notizen = nullptr;
    QSplitter *m_teiler = nullptr;
    Kachelfeld *m_kacheln = nullptr;
    QTabBar *m_monate = nullptr;
    bool m_geteilt = false;
};

// The picture of the "zum Formular" buttons: a small form sheet.
QIcon formularSymbol();

} // namespace kb
