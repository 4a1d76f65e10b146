#include "days/TageGridDelegate.h"

#include "days/Tagesbearbeitung.h"
#include "platform/Ui.h"
#include "storage/Table.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace kb {

namespace {

const QString &textFeld()
{
    static const QString feld = QStringLiteral("Text");
    return feld;
}

void ellipseZeichnen(QPainter *p, const QRect &r, const QPalette &pal)
{
    p->save();
    p->fillRect(r, pal.color(QPalette::Button));
    p->setPen(pal.color(QPalette::Mid));
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->setPen(pal.color(QPalette::ButtonText));
    p->drawText(r, Qt::AlignCenter, QStringLiteral("…"));
    p->restore();
}

} // namespace

TextZellEditor::TextZellEditor(QWidget *parent)
    : QWidget(parent)
    , m_zeile(new QLineEdit(this))
    , m_knopf(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_zeile->setFrame(false);
    m_knopf->setText(QStringLiteral("…"));
    m_knopf->setToolTip(QStringLiteral("Text aus der Textbibliothek übernehmen"));
    m_knopf->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_zeile, 1);
    layout->addWidget(m_knopf);
    setFocusProxy(m_zeile);
    setAutoFillBackground(true);
}

TageGridDelegate::TageGridDelegate(Table *jahr, int textSpalte, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_jahr(jahr)
    , m_textSpalte(textSpalte)
{
}

QRect TageGridDelegate::knopfRechteck(const QRect &zelle)
{
    const int breite = std::min(zelle.height() + 2, zelle.width());
    return QRect(zelle.right() - breite + 1, zelle.top(), breite, zelle.height());
}

bool TageGridDelegate::aktuell(const QModelIndex &index) const
{
    return m_jahr && m_jahr->isOpen() && index.row() == m_jahr->currentRow();
}

void TageGridDelegate::editorGeschlossen(QWidget *editor)
{
    if (editor == m_offen)
        m_offen = nullptr;
}

QString TageGridDelegate::editorFehler() const
{
    if (!m_offen || !m_jahr || !m_jahr->isOpen())
        return QString();
    return eingabeFehler(*m_jahr, textFeld(), m_offen->zeile()->text());
}

QWidget *TageGridDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != m_textSpalte)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *editor = new TextZellEditor(parent);
    editor->index = index;
    editor->vorher = index.data(Qt::EditRole).toString();
    editor->warBearbeitet = m_jahr && m_jahr->state() != Table::State::Browse;
    editor->zeile()->installEventFilter(const_cast<TageGridDelegate *>(this));
    connect(
        editor->zeile(), &QLineEdit::textEdited, this, [this, editor] { durchschreiben(editor); });
    connect(editor->knopf(), &QToolButton::clicked, this, &TageGridDelegate::ellipseGeklickt);
    m_offen = editor;
    return editor;
}

void TageGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *e = qobject_cast<TextZellEditor *>(editor);
    if (!e) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    // What the user typed is never overwritten by the value it was written into.
    if (e->zeile()->isModified())
        return;
    const QString text = index.data(Qt::EditRole).toString();
    if (e->zeile()->text() != text)
        e->zeile()->setText(text);
}

void TageGridDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *e = qobject_cast<TextZellEditor *>(editor);
    if (!e) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    // An editor left behind by a move to another day writes nothing into that day.
    if (!aktuell(index))
        return;
    const QString text = e->zeile()->text();
    if (text == index.data(Qt::EditRole).toString()
        || !eingabeFehler(*m_jahr, textFeld(), text).isEmpty())
        return;
    model->setData(index, text, Qt::EditRole);
}

void TageGridDelegate::durchschreiben(TextZellEditor *editor) const
{
    if (!aktuell(editor->index))
        return;
    const QString text = editor->zeile()->text();
    // A text the field refuses stays in the editor; the day keeps the last one it took, but
    // it is in edit now, so that cancel can end it.
    if (!eingabeFehler(*m_jahr, textFeld(), text).isEmpty()) {
        mitMeldung([&] { m_jahr->edit(); });
        return;
    }
    mitMeldung([&] { m_jahr->setValue(textFeld(), text); });
}

void TageGridDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (qobject_cast<TextZellEditor *>(editor))
        editor->setGeometry(option.rect);
    else
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}

void TageGridDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() == m_textSpalte && aktuell(index))
        ellipseZeichnen(painter, knopfRechteck(option.rect), option.palette);
}

bool TageGridDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const auto typ = event->type();
    if ((typ == QEvent::MouseButtonPress || typ == QEvent::MouseButtonRelease
            || typ == QEvent::MouseButtonDblClick)
        && index.column() == m_textSpalte && aktuell(index)) {
        const auto *maus = static_cast<QMouseEvent *>(event);
        if (knopfRechteck(option.rect).contains(maus->position().toPoint())) {
            // Only a button pressed where it was shown counts, not the press that made the
            // day current.
            if (typ == QEvent::MouseButtonPress)
                m_knopfGedrueckt = maus->button() == Qt::LeftButton;
            else if (typ == QEvent::MouseButtonRelease && m_knopfGedrueckt)
                Q_EMIT ellipseGeklickt();
            if (typ != QEvent::MouseButtonPress)
                m_knopfGedrueckt = false;
            return true;
        }
    }
    if (typ == QEvent::MouseButtonPress || typ == QEvent::MouseButtonRelease)
        m_knopfGedrueckt = false;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

void TageGridDelegate::zuruecksetzen(TextZellEditor *editor)
{
    if (!aktuell(editor->index))
        return;
    // Escape takes back what this editor changed, and nothing else.
    if (!editor->warBearbeitet)
        mitMeldung([&] { m_jahr->cancel(); });
    else if (m_jahr->asString(textFeld()) != editor->vorher)
        mitMeldung([&] { m_jahr->setValue(textFeld(), editor->vorher); });
}

bool TageGridDelegate::tasteGedrueckt(TextZellEditor *editor, QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        zuruecksetzen(editor);
        Q_EMIT closeEditor(editor, RevertModelCache);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    default:
        return false;
    }
    if (const QString fehler = editorFehler(); !fehler.isEmpty()) {
        ui().message(fehler);
        editor->zeile()->setFocus();
        return true;
    }
    Q_EMIT commitData(editor);
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter) {
        Q_EMIT closeEditor(editor, EditNextItem);
        return true;
    }
    if (key == Qt::Key_Backtab) {
        Q_EMIT closeEditor(editor, EditPreviousItem);
        return true;
    }
    // The arrow keys move on in the grid once the editor is closed.
    Q_EMIT closeEditor(editor, NoHint);
    return false;
}

bool TageGridDelegate::fokusVerloren(TextZellEditor *editor, QFocusEvent *event)
{
    // A closed editor losing the focus on its way out has nothing more to hand over.
    if (editor != m_offen)
        return false;
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return false;
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == editor)
            return false;
    }
    // A refused text stays in its editor until the user shortens it.
    if (!editorFehler().isEmpty())
        return false;
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, NoHint);
    return false;
}

bool TageGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *zeile = qobject_cast<QLineEdit *>(object);
    auto *editor = zeile ? qobject_cast<TextZellEditor *>(zeile->parentWidget()) : nullptr;
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress)
        return tasteGedrueckt(editor, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut)
        return fokusVerloren(editor, static_cast<QFocusEvent *>(event));
    return false;
}

} // namespace kb
