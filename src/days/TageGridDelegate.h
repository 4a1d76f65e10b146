#pragma once

#include "storage/Table.h"
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kb {

// The editor of a day text: a line and, at its right end, the button "…" of the text library.
class TextZellEditor : public QWidget {
    Q_OBJECT
public:
    explicit TextZellEditor(QWidget *parent = nullptr);

    QLineEdit *zeile() const { return m_zeile; }
    QToolButton *knopf() const { return m_knopf; }

    // What the day held when the editor opened, restored by Escape.
    QString vorher;
    bool warBearbeitet = false;
    QPersistentModelIndex index;

private:
    QLineEdit *m_zeile;
    QToolButton *m_knopf;
};

// Paints and edits the day grid's cells: the text cell of the current day carries the button
// "…" of the text library. What is typed into a day text goes into the current day at once
// (pending) as long as the field takes it; Enter, Tab, the arrow keys and leaving the editor
// end it only with a text the field takes, so a refused text stays in the editor to shorten.
class TageGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TageGridDelegate(Table *jahr, int textSpalte, QObject *parent = nullptr);

    // The open text editor, null without one.
    TextZellEditor *offenerEditor() const { return m_offen; }
    // The view closed `editor`; it is no longer the open one.
    void editorGeschlossen(QWidget *editor);
    // The engine's message for the open editor's text; empty when the field takes it.
    QString editorFehler() const;
    // Where the button "…" sits in a text cell.
    static QRect knopfRechteck(const QRect &zelle);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;

Q_SIGNALS:
    void ellipseGeklickt();

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    bool aktuell(const QModelIndex &index) const;
    void durchschreiben(TextZellEditor *editor) const;
    bool tasteGedrueckt(TextZellEditor *editor, QKeyEvent *event);
    bool fokusVerloren(TextZellEditor *editor, QFocusEvent *event);
    void zuruecksetzen(TextZellEditor *editor);

    QPointer<Table> m_jahr;
    int m_textSpalte;
    mutable QPointer<TextZellEditor> m_offen;
    bool m_knopfGedrueckt = false;
};

} // namespace kb
