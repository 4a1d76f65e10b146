#include "shell/TAboutBox.h"

#include "caldata/KalenderDatei.h"
#include "platform/Ui.h"
#include "shell/Hilfe.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kb {

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Info"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    top->addWidget(icon, 0, Qt::AlignTop);

    auto *texte = new QVBoxLayout;
    auto *name = new QLabel(QStringLiteral("Kronoblatt"), this);
    QFont gross = name->font();
    gross.setPointSize(gross.pointSize() + 8);
    gross.setBold(true);
    name->setFont(gross);
    texte->addWidget(name);
    texte->addWidget(new QLabel(versionsText(), this));
    texte->addWidget(new QLabel(QStringLiteral("Kalender und Organizer"), this));
    texte->addWidget(new QLabel(lizenzText(), this));
    texte->addSpacing(8);
    texte->addWidget(new QLabel(QStringLiteral("RI-DOZU"), this));
    m_adresse = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(homepageAdresse(), QLatin1String(kWebadresse)),
        this);
    m_adresse->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_adresse->setCursor(Qt::PointingHandCursor);
    texte->addWidget(m_adresse);
    top->addLayout(texte, 1);
    layout->addLayout(top);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    layout->addLayout(buttons);

    connect(m_adresse, &QLabel::linkActivated, this, [](const QString &url) { ui().openUrl(url); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kb
