#include "shell/TSicherungForm.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kb {

namespace {
constexpr int kNameRolle = Qt::UserRole + 1;
}

TSicherungForm::TSicherungForm(
    const QString &kalenderName, const QList<Sicherungskopie> &kopien, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Sicherung wiederherstellen"));
    auto *text = new QLabel(kopien.isEmpty()
            ? QStringLiteral("Vom Kalender „%1“ gibt es noch keine Sicherung.").arg(kalenderName)
            : QStringLiteral("Welcher Stand des Kalenders „%1“ soll zurückgeholt werden? Der "
                             "jetzige Stand wird vorher gesichert.")
                  .arg(kalenderName),
        this);
    text->setWordWrap(true);
    m_liste = new QTreeWidget(this);
    m_liste->setRootIsDecorated(false);
    m_liste->setHeaderLabels(
        { QStringLiteral("Datum"), QStringLiteral("Uhrzeit"), QStringLiteral("Tagestexte") });
    for (const Sicherungskopie &k : kopien) {
        auto *item = new QTreeWidgetItem(m_liste,
            { k.zeit.toString(QStringLiteral("dd.MM.yyyy")),
                k.zeit.toString(QStringLiteral("HH:mm:ss")), QString::number(k.tagestexte) });
        item->setData(0, kNameRolle, k.name);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_liste->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *knoepfe = new QDialogButtonBox(this);
    m_ok = knoepfe->addButton(QStringLiteral("Wiederherstellen"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    m_ok->setEnabled(false);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_liste, &QTreeWidget::currentItemChanged, this,
        [this](QTreeWidgetItem *item) { m_ok->setEnabled(item != nullptr); });
    connect(m_liste, &QTreeWidget::itemActivated, this, &QDialog::accept);
    if (!kopien.isEmpty())
        m_liste->setCurrentItem(m_liste->topLevelItem(0));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_liste, 1);
    layout->addWidget(knoepfe);
    resize(420, 320);
}

QString TSicherungForm::gewaehlt() const
{
    const QTreeWidgetItem *item = m_liste->currentItem();
    return item ? item->data(0, kNameRolle).toString() : QString();
}

} // namespace kb
