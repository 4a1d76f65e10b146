#include "widgets/CaptionPanel.h"

#include "widgets/GradientPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb::widgets {

CaptionPanel::CaptionPanel(const QString &caption, QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    auto *bar = new GradientPanel(this);
    bar->setGradient(QColor(0x1f, 0x3f, 0x8f), QColor(0x5f, 0x8f, 0xcf), 16);
    m_bar = bar;
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 2, 2);
    m_caption = new QLabel(caption, bar);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    QPalette pal = m_caption->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(pal);
    barLayout->addWidget(m_caption, 1);

    m_close = new QToolButton(bar);
    m_close->setText(QStringLiteral("×"));
    m_close->setAutoRaise(true);
    m_close->setToolTip(QStringLiteral("Schliessen"));
    m_close->setPalette(pal);
    m_close->setStyleSheet(QStringLiteral("QToolButton { color: white; border: none; "
                                          "font-weight: bold; padding: 0 4px; }"
                                          "QToolButton:hover { background: #6f9fdf; }"));
    barLayout->addWidget(m_close);
    bar->setFixedHeight(bar->sizeHint().height());
    layout->addWidget(bar);

    m_content = new QWidget(this);
    m_contentLayout = new QVBoxLayout(m_content);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(0);
    layout->addWidget(m_content, 1);

    connect(m_close, &QToolButton::clicked, this, [this] {
        hide();
        Q_EMIT closed();
    });
}

void CaptionPanel::setCaption(const QString &caption)
{
    m_caption->setText(caption);
}

QString CaptionPanel::caption() const
{
    return m_caption->text();
}

} // namespace kb::widgets
