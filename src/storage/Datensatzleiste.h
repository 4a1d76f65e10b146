#pragma once

#include "storage/Navigation.h"
#include "storage/Table.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

class QToolButton;

namespace kb {

// A record navigator on a table: a row of small buttons (first, previous, next, last and, as
// chosen, insert, delete, edit, save, cancel, refresh), each enabled while it can act
// (navKnopfAktiv()). Errors of the table engine are shown as messages.
class Datensatzleiste : public QWidget {
    Q_OBJECT
public:
    Datensatzleiste(Table *table, const QList<NavKnopf> &knoepfe, QWidget *parent = nullptr);

    // Runs before every button's action; returning false stops it (for instance a grid whose
    // open editor holds a text the field refuses).
    void setVorher(std::function<bool()> vorher) { m_vorher = std::move(vorher); }

    QToolButton *knopf(NavKnopf knopf) const;
    // Runs the button's action as a click does.
    void ausfuehren(NavKnopf knopf);
    // Enables the buttons for the table's state now.
    void aktualisieren();

    // The hint of a navigator button ("Erster Datensatz" ...).
    static QString hinweis(NavKnopf knopf);
    // The picture of a navigator button.
    static QIcon symbol(NavKnopf knopf);

Q_SIGNALS:
    void ausgefuehrt(NavKnopf knopf);

private:
    QPointer<Table> m_table;
    QList<std::pair<NavKnopf, QToolButton *>> m_knoepfe;
    std::function<bool()> m_vorher;
};

} // namespace kb
