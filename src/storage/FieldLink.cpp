#include "storage/FieldLink.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/Table.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>

namespace kb {

FieldLink::FieldLink(Table *table, const QString &field, QWidget *control)
    : QObject(control)
    , m_table(table)
    , m_field(field)
{
    connect(table, &Table::recordsReset, this, &FieldLink::refresh);
    connect(table, &Table::currentChanged, this, &FieldLink::refresh);
    connect(table, &Table::valuesChanged, this, &FieldLink::refresh);
}

void FieldLink::refresh()
{
    if (m_storing)
        return;
    m_showing = true;
    try {
        const bool available = m_table && m_table->isOpen()
            && (m_table->currentRow() >= 0 || m_table->state() == Table::State::Insert);
        display(available);
    } catch (const Error &) {
        // An unknown field or a vanished record shows as empty.
        display(false);
    }
    m_showing = false;
}

void FieldLink::store(const QVariant &value)
{
    if (m_showing || !m_table)
        return;
    m_storing = true;
    try {
        m_table->setValue(m_field, value);
    } catch (const Error &e) {
        m_storing = false;
        ui().message(e.message());
        refresh();
        return;
    }
    m_storing = false;
}

LineEditLink::LineEditLink(Table *table, const QString &field, QLineEdit *edit)
    : FieldLink(table, field, edit)
    , m_edit(edit)
{
    connect(edit, &QLineEdit::textEdited, this, [this](const QString &text) { store(text); });
    refresh();
}

void LineEditLink::display(bool available)
{
    m_edit->setEnabled(available);
    const QString text = available ? m_table->asString(m_field) : QString();
    if (m_edit->text() != text)
        m_edit->setText(text);
}

TextEditLink::TextEditLink(Table *table, const QString &field, QPlainTextEdit *edit)
    : FieldLink(table, field, edit)
    , m_edit(edit)
{
    connect(edit, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing())
            store(m_edit->toPlainText());
    });
    refresh();
}

void TextEditLink::display(bool available)
{
    m_edit->setEnabled(available);
    const QString text = available ? m_table->asString(m_field) : QString();
    if (m_edit->toPlainText() != text)
        m_edit->setPlainText(text);
}

CheckBoxLink::CheckBoxLink(Table *table, const QString &field, QCheckBox *box)
    : FieldLink(table, field, box)
    , m_box(box)
{
    connect(box, &QCheckBox::clicked, this, [this](bool checked) { store(checked); });
    refresh();
}

void CheckBoxLink::display(bool available)
{
    m_box->setEnabled(available);
    m_box->setChecked(available && m_table->asBool(m_field));
}

LabelLink::LabelLink(Table *table, const QString &field, QLabel *label)
    : FieldLink(table, field, label)
    , m_label(label)
{
    refresh();
}

void LabelLink::display(bool available)
{
    m_label->setText(available ? m_table->asString(m_field) : QString());
}

PictureLink::PictureLink(Table *table, const QString &field, QLabel *label)
    : FieldLink(table, field, label)
    , m_label(label)
{
    refresh();
}

void PictureLink::display(bool available)
{
    const QImage image = available ? m_table->image(m_field) : QImage();
    if (image.isNull()) {
        m_label->setPixmap(QPixmap());
        return;
    }
    const QSize size = m_label->size().isEmpty() ? image.size() : m_label->size();
    m_label->setPixmap(
        QPixmap::fromImage(image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace kb
