#pragma once

#include "settings/LayoutSettings.h"

#include <QDialog>
#include <array>

class QPushButton;
class QSpinBox;

namespace kb {

// "Blatteinzug": the page margins of the year calendars and of the month calendars, eight
// whole millimetres from 0 to 40. Made once and reused; the settings file is the store.
class TReportMarginForm : public QDialog {
    Q_OBJECT
public:
    enum class Gruppe { Jahr, Monat };
    enum class Seite { Oben, Links, Rechts, Unten };

    explicit TReportMarginForm(QWidget *parent = nullptr);

    // Puts the values into the fields (a value outside 0 to 40 shows as the nearest limit).
    // A field whose value changes enables "Speichern", also while the dialog is filled.
    void setWerte(const MarginDialogValues &werte);
    MarginDialogValues werte() const;
    // What "Standard " restores.
    void setStandard(const MarginDialogValues &werte) { m_standard = werte; }

    QSpinBox *feld(Gruppe g, Seite s) const
    {
        return m_felder[static_cast<int>(g)][static_cast<int>(s)];
    }
    QPushButton *standardKnopf() const { return m_standardKnopf; }
    QPushButton *speichernKnopf() const { return m_speichern; }
    QPushButton *abbrechenKnopf() const { return m_abbrechen; }

    // Closing in any way disables "Speichern" again.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *gruppe(Gruppe g, const QString &titel);

    std::array<std::array<QSpinBox *, 4>, 2> m_felder {};
    QPushButton *m_standardKnopf = nullptr;
    QPushButton *m_speichern = nullptr;
    QPushButton *m_abbrechen = nullptr;
    MarginDialogValues m_standard = standardMarginDialogValues();
};

// The main window's command "Seiteneinstellungen": reads the eight margins from `ini` into
// the dialog, sets its standard values, shows it modally and, when it closed with
// "Speichern", writes the eight fields back. Returns true when it wrote.
bool blatteinzugBearbeiten(TReportMarginForm &dialog, IniFile &ini);

} // namespace kb
