#pragma once

#include "storage/FieldLink.h"

class QLabel;

namespace kb {

// Shows a date field as the long date ("Donnerstag, 14. März 2024"); never edits.
class LangesDatumLink : public FieldLink {
    Q_OBJECT
public:
    LangesDatumLink(Table *table, const QString &field, QLabel *label);

protected:
    void display(bool available) override;

private:
    QLabel *m_label;
};

// Shows a graphic field's picture stretched over the whole label; empty without a picture.
class SymbolLink : public FieldLink {
    Q_OBJECT
public:
    SymbolLink(Table *table, const QString &field, QLabel *label);

protected:
    void display(bool available) override;

private:
    QLabel *m_label;
};

} // namespace kb
