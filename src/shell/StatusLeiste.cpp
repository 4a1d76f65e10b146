#include "shell/StatusLeiste.h"

#include "shell/Startablauf.h"

#include <QLabel>
#include <QTime>
#include <QTimer>

namespace kb {

StatusLeiste::StatusLeiste(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    static constexpr int breiten[Anzahl] = { 400, 100, 100, 150, 100 };
    for (int i = 0; i < Anzahl; ++i) {
        auto *label = new QLabel(this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        // The last panel reaches to the window's edge, so long state names fit.
        const bool letztes = i == Anzahl - 1;
        if (letztes)
            label->setMinimumWidth(breiten[i]);
        else
            label->setFixedWidth(breiten[i]);
        addWidget(label, letztes ? 1 : 0);
        m_panels.append(label);
    }
    m_takt = new QTimer(this);
    m_takt->setInterval(1000);
    connect(m_takt, &QTimer::timeout, this, &StatusLeiste::uhrAktualisieren);
    m_takt->start();
}

void StatusLeiste::setPanel(int panel, const QString &text)
{
    m_panels.at(panel)->setText(text);
}

QString StatusLeiste::panel(int panel) const
{
    return m_panels.at(panel)->text();
}

void StatusLeiste::uhrAktualisieren()
{
    setPanel(Uhr, uhrzeit(QTime::currentTime()));
}

} // namespace kb
