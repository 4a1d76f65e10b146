#pragma once

#include "caldata/Sicherungen.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

namespace kb {

// "Datei → Sicherung wiederherstellen…": the automatic copies of the open calendar with date,
// time and number of day texts, newest first. "Wiederherstellen" is enabled while a copy is
// selected.
class TSicherungForm : public QDialog {
    Q_OBJECT
public:
    TSicherungForm(const QString &kalenderName, const QList<Sicherungskopie> &kopien,
        QWidget *parent = nullptr);

    QTreeWidget *liste() const { return m_liste; }
    QPushButton *wiederherstellenKnopf() const { return m_ok; }
    // The name of the selected copy; empty when none is selected.
    QString gewaehlt() const;

private:
    QTreeWidget *m_liste = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace kb
