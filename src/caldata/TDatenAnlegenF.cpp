#include "caldata/TDatenAnlegenF.h"

#include "platform/Error.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kb {

TDatenAnlegenF::TDatenAnlegenF(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Stammdatendatei"));
    setObjectName(QStringLiteral("TDatenAnlegenF"));

    auto *anleitung
        = new QLabel(QStringLiteral("Bitte wählen Sie über den Schalter das Verzeichnis "
                                    "\n"
                                    "aus, in dem Ihre pers. Daten-Datei gespeichert "
                                    "werden soll, und \n"
                                    "geben Sie einen Dateinamen ohne Dateierweiterung "
                                    "\n"
                                    "ein.Zahlen am Anfang des Dateinamens sind nicht \n"
                                    "erlaubt. Name u. Vorname sind optional !"),
            this);
    anleitung->setObjectName(QStringLiteral("anleitung"));

    m_verzeichnis = new QLineEdit(this);
    m_verzeichnis->setReadOnly(true);
    m_waehlen = new QPushButton(QStringLiteral("..."), this);
    m_waehlen->setToolTip(QStringLiteral("Verzeichnis wählen"));
    m_waehlen->setFixedWidth(32);
    m_datei = new QLineEdit(this);
    m_datei->setMaxLength(60);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(50);
    m_vorname = new QLineEdit(this);
    m_vorname->setMaxLength(50);
    m_anlegen = new QPushButton(QStringLiteral("Anlegen"), this);
    m_anlegen->setDefault(true);
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);

    auto *verzeichnisZeile = new QHBoxLayout;
    verzeichnisZeile->addWidget(m_verzeichnis, 1);
    verzeichnisZeile->addWidget(m_waehlen);
    auto *felder = new QFormLayout;
    felder->addRow(QStringLiteral("Verzeichnis:"), verzeichnisZeile);
    felder->addRow(QStringLiteral("Dateiname:"), m_datei);
    felder->addRow(QStringLiteral("Name:"), m_name);
    felder->addRow(QStringLiteral("Vorname:"), m_vorname);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_anlegen);
    knoepfe->addWidget(m_abbrechen);
    auto *v = new QVBoxLayout(this);
    v->addWidget(anleitung);
    v->addSpacing(6);
    v->addLayout(felder);
    v->addStretch(1);
    v->addLayout(knoepfe);
    resize(440, 280);

    connect(m_waehlen, &QPushButton::clicked, this, &TDatenAnlegenF::verzeichnisWaehlen);
    connect(m_anlegen, &QPushButton::clicked, this, &TDatenAnlegenF::anlegenKlick);
    connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void TDatenAnlegenF::leeren()
{
    m_datei->clear();
    m_name->clear();
    m_vorname->clear();
    m_angelegt.reset();
}

void TDatenAnlegenF::verzeichnisWaehlen()
{
    QString start = QDir::fromNativeSeparators(m_verzeichnis->text());
    if (start.isEmpty() || !QDir(start).exists()) {
        start = ProgramDir::calendarDataDir();
        QDir().mkpath(start);
    }
    const QString gewaehlt = ui().directory(QStringLiteral("Verzeichnis wählen"), start);
    if (gewaehlt.isEmpty())
        return;
    // A trailing separator goes; the root keeps its one.
    m_verzeichnis->setText(QDir::toNativeSeparators(QDir::cleanPath(gewaehlt)));
}

bool TDatenAnlegenF::anlegenKlick()
{
    try {
        m_angelegt = persDatenAnlegen({ QDir::fromNativeSeparators(m_verzeichnis->text()),
            m_datei->text().trimmed(), m_name->text().trimmed(), m_vorname->text().trimmed() });
    } catch (const Error &e) {
        ui().message(e.message());
        return false;
    }
    accept();
    return true;
}

} // namespace kb
