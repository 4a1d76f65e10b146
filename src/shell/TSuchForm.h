#pragma once

#include "caldata/Suche.h"

#include <QDate>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace kb {

// "Bearbeiten → Suchen…": a search field over the days' texts and notes of the open calendar
// or, with "In allen Kalendern suchen", of every calendar in the calendar data directory, and a
// list of the days found (date, weekday, calendar, text with the match in bold). Enter or a
// double click on a day asks the main window to show it.
class TSuchForm : public QWidget {
    Q_OBJECT
public:
    // `offenerKalender` gives the main window's calendar file, empty while none is open.
    TSuchForm(std::function<QString()> offenerKalender, QWidget *parent = nullptr);

    QLineEdit *begriff() const { return m_begriff; }
    QCheckBox *alleKalender() const { return m_alle; }
    QPushButton *suchenKnopf() const { return m_knopf; }
    QTreeView *liste() const { return m_liste; }
    QStandardItemModel *treffer() const { return m_modell; }
    QLabel *hinweis() const { return m_hinweis; }

    // Searches for the term in the field and fills the list.
    void suchen();

Q_SIGNALS:
    void tagGewaehlt(const QString &kalender, const QDate &datum);

private:
    void zeigen(const Suchergebnis &ergebnis, const QString &begriff);
    void gewaehlt(const QModelIndex &index);

    std::function<QString()> m_offenerKalender;
    // One search for the whole run: a protected calendar whose password was not given is
    // asked for once and then skipped.
    Kalendersuche m_suche;
    QLineEdit *m_begriff = nullptr;
    QCheckBox *m_alle = nullptr;
    QPushButton *m_knopf = nullptr;
    QTreeView *m_liste = nullptr;
    QStandardItemModel *m_modell = nullptr;
    QLabel *m_hinweis = nullptr;
};

} // namespace kb
