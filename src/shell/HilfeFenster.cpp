#include "shell/HilfeFenster.h"

#include "platform/Ui.h"
#include "shell/Hilfe.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kb {

HilfeFenster::HilfeFenster(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Kronoblatt - Hilfe"));
    auto *layout = new QVBoxLayout(this);
    auto *leiste = new QHBoxLayout;
    auto *inhalt = new QPushButton(QStringLiteral("Inhalt"), this);
    auto *zurueck = new QPushButton(QStringLiteral("Zurück"), this);
    auto *vor = new QPushButton(QStringLiteral("Vor"), this);
    auto *schliessen = new QPushButton(QStringLiteral("Schliessen"), this);
    leiste->addWidget(inhalt);
    leiste->addWidget(zurueck);
    leiste->addWidget(vor);
    leiste->addStretch(1);
    leiste->addWidget(schliessen);
    layout->addLayout(leiste);
    m_browser = new QTextBrowser(this);
    // Links are followed here: help pages in the help, web pages in the browser.
    m_browser->setOpenLinks(false);
    layout->addWidget(m_browser, 1);

    zurueck->setEnabled(false);
    vor->setEnabled(false);
    connect(inhalt, &QPushButton::clicked, this, &HilfeFenster::inhaltZeigen);
    connect(zurueck, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(vor, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, vor, &QPushButton::setEnabled);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::close);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        const QUrl target = m_browser->source().resolved(url);
        if (target.isLocalFile())
            m_browser->setSource(target);
        else
            ui().openUrl(target.toString());
    });

    QRect r(0, 0, 760, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        r = r.intersected(screen->availableGeometry());
        r.moveCenter(screen->availableGeometry().center());
    }
    setGeometry(r);
}

void HilfeFenster::inhaltZeigen()
{
    const QString path = hilfeInhalt();
    if (!QFileInfo(path).isFile()) {
        ui().message(QStringLiteral("Die Hilfe „%1“ ist nicht vorhanden.")
                         .arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

} // namespace kb
