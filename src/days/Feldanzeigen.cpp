#include "days/Feldanzeigen.h"

#include "days/Tagesbearbeitung.h"
#include "storage/Table.h"

#include <QLabel>
#include <QPixmap>

namespace kb {

LangesDatumLink::LangesDatumLink(Table *table, const QString &field, QLabel *label)
    : FieldLink(table, field, label)
    , m_label(label)
{
    refresh();
}

void LangesDatumLink::display(bool available)
{
    m_label->setText(available ? langesDatum(m_table->asDate(m_field)) : QString());
}

SymbolLink::SymbolLink(Table *table, const QString &field, QLabel *label)
    : FieldLink(table, field, label)
    , m_label(label)
{
    m_label->setScaledContents(true);
    refresh();
}

void SymbolLink::display(bool available)
{
    // A table of an older calendar may lack the field: it shows no symbol.
    const QImage bild
        = available && m_table->hasField(m_field) ? m_table->image(m_field) : QImage();
    m_label->setPixmap(bild.isNull() ? QPixmap() : QPixmap::fromImage(bild));
}

} // namespace kb
