#include "widgets/NavigationBar.h"

#include <QAction>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb::widgets {

namespace {

const QColor kBarColour(0x5d, 0x6f, 0x8c);

// A group's title bar: a light gradient with a dark border, the title centred in bold and
// made smaller until it fits.
class GroupHeader : public QToolButton {
public:
    using QToolButton::QToolButton;

    QSize sizeHint() const override
    {
        QFont f = font();
        f.setBold(true);
        return { QToolButton::sizeHint().width(), QFontMetrics(f).height() + 10 };
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        const bool hover = underMouse();
        g.setColorAt(0, hover ? QColor(0xff, 0xf8, 0xdc) : QColor(0xf4, 0xf4, 0xf4));
        g.setColorAt(1, hover ? QColor(0xf0, 0xd8, 0x90) : QColor(0xc8, 0xc8, 0xc8));
        p.fillRect(r, g);
        p.setPen(QColor(0x3c, 0x4a, 0x60));
        p.drawRect(r);
        QFont f = font();
        f.setBold(true);
        const int room = width() - 8;
        while (f.pointSizeF() > 6 && QFontMetrics(f).horizontalAdvance(text()) > room)
            f.setPointSizeF(f.pointSizeF() - 0.5);
        p.setFont(f);
        p.setPen(QColor(0x1a, 0x2a, 0x4a));
        p.drawText(
            rect(), Qt::AlignCenter, QFontMetrics(f).elidedText(text(), Qt::ElideRight, room));
    }
};

} // namespace

NavigationBar::NavigationBar(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBarColour);
    pal.setColor(QPalette::Button, kBarColour);
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xa8, 0xb4, 0xc8));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xa8, 0xb4, 0xc8));
    setPalette(pal);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

int NavigationBar::addGroup(const QString &title)
{
    const int index = int(m_groups.size());
    Group g;
    g.header = new GroupHeader(this);
    g.header->setAttribute(Qt::WA_Hover);
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
    button->setDefaultAction(action);
    // Tool buttons drop a trailing "..." from the text; the items show it as written.
    action->setIconText(action->text());
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
