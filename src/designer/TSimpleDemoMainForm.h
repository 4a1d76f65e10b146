#pragma once

#include "designer/TReportDesignerDialog.h"

#include <QDialog>

class QPushButton;
class QTableView;

namespace kb {
class Table;
class TableModel;
} // namespace kb

namespace kb::designer {

// "Report-Kronoblatt-Designer/Report-Verwaltung": the stored reports of the report table in a
// list, and the buttons that create, delete, edit, preview and print them through the report
// designer component. Errors of the table engine are shown; the window stays open.
class TSimpleDemoMainForm final : public QDialog {
    Q_OBJECT
public:
    // `berichte` is the open report table; `kalender` names the open calendar for reports
    // that read it.
    TSimpleDemoMainForm(Table &berichte, KalenderQuelle kalender, QWidget *parent = nullptr);
    ~TSimpleDemoMainForm() override;

    QTableView *liste() const { return m_liste; }
    QPushButton *neuKnopf() const { return m_neu; }
    QPushButton *loeschenKnopf() const { return m_loeschen; }
    QPushButton *bearbeitenKnopf() const { return m_bearbeiten; }
    QPushButton *vorschauKnopf() const { return m_vorschau; }
    QPushButton *druckenKnopf() const { return m_drucken; }
    QPushButton *schliessenKnopf() const { return m_schliessen; }

    void neu();
    void loeschen();
    void bearbeiten();
    void vorschau();
    void drucken();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Runs a change of the report table; an engine error is shown and a pending change
    // dropped, so the table is usable again.
    void mitMeldung(const std::function<void()> &aenderung);

    Table &m_berichte;
    KalenderQuelle m_kalender;
    TableModel *m_modell = nullptr;
    QTableView *m_liste = nullptr;
    QPushButton *m_neu = nullptr, *m_loeschen = nullptr, *m_bearbeiten = nullptr,
                *m_vorschau = nullptr, *m_drucken = nullptr, *m_schliessen = nullptr;
};

} // namespace kb::designer
