#include "widgets/NavigationBar.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb::widgets {

namespace {

const char kStyle[] = "kb--widgets--NavigationBar { background: #5d6f8c; }"
                      "QToolButton#navGroup { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                      " stop:0 #f4f4f4, stop:1 #c8c8c8); border: 1px solid #3c4a60;"
                      " padding: 3px; font-weight: bold; color: #1a2a4a; }"
                      "QToolButton#navGroup:hover { background: #fff4c8; }"
                      "QToolButton#navItem { color: white; border: none; padding: 2px; }"
                      "QToolButton#navItem:hover { background: #7d8fac; }"
                      "QToolButton#navItem:pressed { background: #3d4f6c; }"
                      "QToolButton#navItem:disabled { color: #a8b4c8; }";

} // namespace

NavigationBar::NavigationBar(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromLatin1(kStyle));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

int NavigationBar::addGroup(const QString &title)
{
    const int index = int(m_groups.size());
    Group g;
    g.header = new QToolButton(this);
    g.header->setObjectName(QStringLiteral("navGroup"));
    g.header->setText(title);
    g.header->setToolButtonStyle(Qt::ToolButtonTextOnly);
    g.header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(g.header, &QToolButton::clicked, this, [this, index] { setCurrentGroup(index); });

    g.page = new QWidget(this);
    g.pageLayout = new QVBoxLayout(g.page);
    g.pageLayout->setContentsMargins(2, 8, 2, 8);
    g.pageLayout->setSpacing(6);
    g.pageLayout->addStretch(1);

    m_layout->addWidget(g.header);
    m_layout->addWidget(g.page, 1);
    m_groups.append(g);
    if (m_current < 0)
        m_current = index;
    showCurrent();
    return index;
}

QToolButton *NavigationBar::addItem(int group, QAction *action)
{
    Group &g = m_groups[group];
    auto *button = new QToolButton(g.page);
    button->setObjectName(QStringLiteral("navItem"));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Before the closing stretch.
    g.pageLayout->insertWidget(g.pageLayout->count() - 1, button);
    g.items.append(button);
    return button;
}

QString NavigationBar::groupTitle(int group) const
{
    return m_groups.at(group).header->text();
}

QList<QAction *> NavigationBar::items(int group) const
{
    QList<QAction *> actions;
    for (QToolButton *b : m_groups.at(group).items)
        actions.append(b->defaultAction());
    return actions;
}

QToolButton *NavigationBar::groupButton(int group) const
{
    return m_groups.at(group).header;
}

QToolButton *NavigationBar::itemButton(int group, int item) const
{
    return m_groups.at(group).items.at(item);
}

void NavigationBar::setCurrentGroup(int group)
{
    if (group < 0 || group >= groupCount() || group == m_current)
        return;
    m_current = group;
    showCurrent();
    Q_EMIT currentGroupChanged(group);
}

void NavigationBar::showCurrent()
{
    for (int i = 0; i < groupCount(); ++i)
        m_groups[i].page->setVisible(i == m_current);
}

} // namespace kb::widgets
