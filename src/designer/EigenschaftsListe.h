#pragma once

#include "designer/Eigenschaften.h"

#include <QTableWidget>
#include <QVariant>
#include <vector>

namespace kb::designer {

// A designer's property list: a title and a value per row. A value is typed in place
// (a key, F2 or a click on the selected cell), a colour row shows its colour and opens the
// colour dialog on a double click, a choice row offers its values in a drop-down list.
// Every edit is reported once, after the list has finished with its own update, so the
// designer may rebuild the list in answer.
class EigenschaftsListe final : public QTableWidget {
    Q_OBJECT
public:
    explicit EigenschaftsListe(QWidget *parent = nullptr);

    // `bezug` names what the rows belong to (an element, a band); every edit reports it, so
    // an edit that ends because the user picked something else still goes to its owner.
    void zeigen(std::vector<Listenzeile> zeilen, QVariant bezug = {});
    const QVariant &bezug() const { return m_bezug; }
    const std::vector<Listenzeile> &zeilen() const { return m_zeilen; }
    // The row showing the property `id`, -1 when none.
    int zeileVon(int id) const;

Q_SIGNALS:
    void geaendert(const QVariant &bezug, int id, const QString &titel, const QString &text);

private:
    void zelleGeaendert(int zeile, int spalte);
    void doppelklick(int zeile, int spalte);
    void melden(int zeile, const QString &text);

    std::vector<Listenzeile> m_zeilen;
    QVariant m_bezug;
};

} // namespace kb::designer
