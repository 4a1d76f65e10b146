#pragma once

#include "designer/Formular.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kb::designer {

// "Kalender-Einstellungen": frame lines of the page and the bands, their colour and width,
// and the page margins of the form open in the designer. Keeps what the user typed between
// openings; the designer fills it anew when it loads a form.
class TReportEinst final : public QDialog {
    Q_OBJECT
public:
    explicit TReportEinst(QWidget *parent = nullptr);

    void setzen(const FormPage &page);
    // Writes the dialog's values into `page`; false (nothing written) when a margin field
    // holds no number.
    bool uebernehmen(FormPage &page) const;

    // Row 0 the page, rows 1 to 5 the bands from header to footer; sides top, bottom, left,
    // right.
    QCheckBox *schalter(int zeile, int seite) const
    {
        return m_schalter[std::size_t(zeile)][std::size_t(seite)];
    }
    // Margins top, bottom, left, right; field 4 is the line width.
    QLineEdit *feld(int i) const { return m_felder[std::size_t(i)]; }
    QPushButton *rauf(int i) const { return m_rauf[std::size_t(i)]; }
    QPushButton *runter(int i) const { return m_runter[std::size_t(i)]; }
    QPushButton *farbeAendern() const { return m_farbeAendern; }
    qint32 farbe() const { return m_farbe; }
    // "Übernehmen": closes only when every margin field holds a number.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void randVerlassen(int i);
    void schritt(int i, int delta);
    void farbeZeigen();

    std::array<std::array<QCheckBox *, 4>, 6> m_schalter {};
    std::array<QLineEdit *, 5> m_felder {};
    std::array<QPushButton *, 5> m_rauf {}, m_runter {};
    std::array<QString, 4> m_gemerkt;
    QLabel *m_farbFeld = nullptr;
    QPushButton *m_farbeAendern = nullptr;
    qint32 m_farbe = kBlack;
};

} // namespace kb::designer
