#pragma once

#include <QObject>
#include <QPointer>
#include <QVariant>

#include "storage/Table.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kb {

// Binds one control to one field of a cursor: the control shows the current record
// (with its pending change) and follows moves and changes made through any other view;
// what the user types puts the cursor into edit state with the pending value.
// A link belongs to its control and ends with it.
class FieldLink : public QObject {
    Q_OBJECT

public:
    FieldLink(Table *table, const QString &field, QWidget *control);

    Table *table() const { return m_table; }
    QString field() const { return m_field; }
    // Shows the field's current value again.
    void refresh();

protected:
    // Shows a value; `available` is false without an open table or a current record.
    virtual void display(bool available) = 0;
    // Stores what the user entered; a refused value is reported and the old one shown.
    void store(const QVariant &value);
    bool showing() const { return m_showing; }

    QPointer<Table> m_table;
    QString m_field;

private:
    bool m_showing = false;
    bool m_storing = false;
};

class LineEditLink : public FieldLink {
    Q_OBJECT
public:
    LineEditLink(Table *table, const QString &field, QLineEdit *edit);

protected:
    void display(bool available) override;

private:
    QLineEdit *m_edit;
};

class TextEditLink : public FieldLink {
    Q_OBJECT
public:
    TextEditLink(Table *table, const QString &field, QPlainTextEdit *edit);

protected:
    void display(bool available) override;

private:
    QPlainTextEdit *m_edit;
};

class CheckBoxLink : public FieldLink {
    Q_OBJECT
public:
    CheckBoxLink(Table *table, const QString &field, QCheckBox *box);

protected:
    void display(bool available) override;

private:
    QCheckBox *m_box;
};

// Shows the field as text; never edits.
class LabelLink : public FieldLink {
    Q_OBJECT
public:
    LabelLink(Table *table, const QString &field, QLabel *label);

protected:
    void display(bool available) override;

private:
    QLabel *m_label;
};

// Shows a graphic field's picture in a label, scaled to fit and keeping its proportions.
class PictureLink : public FieldLink {
    Q_OBJECT
public:
    PictureLink(Table *table, const QString &field, QLabel *label);

protected:
    void display(bool available) override;

private:
    QLabel *m_label;
};

} // namespace kb
