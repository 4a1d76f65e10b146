#include "caldata/TForm2.h"

#include "caldata/Assistent.h"
#include "caldata/FeiertageUNIT.h"
#include "platform/Error.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "widgets/GradientPanel.h"
#include "widgets/OvalButton.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kb {

TForm2::TForm2(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kronoblatt-Assistent"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    m_seiten = new QStackedWidget(this);
    m_seiten->addWidget(schrittSeite(1, datenSeite()));
    m_seiten->addWidget(schrittSeite(2, dateiSeite()));
    m_seiten->addWidget(schrittSeite(3, fertigSeite()));
    layout->addWidget(m_seiten, 1);

    auto *knoepfe = new QStackedWidget(this);
    const QString links[]
        = { QStringLiteral("Abbrechen"), QStringLiteral("Zurück"), QStringLiteral("Zurück") };
    const QString rechts[]
        = { QStringLiteral("Weiter"), QStringLiteral("Weiter"), QStringLiteral("Fertigstellen") };
    for (int i = 0; i < Assistent::kSchritte; ++i) {
        auto *zeile = new QWidget(knoepfe);
        auto *h = new QHBoxLayout(zeile);
        h->setContentsMargins(8, 0, 8, 0);
        h->addStretch(1);
        auto *l = new widgets::OvalButton(links[i], zeile);
        auto *r = new widgets::OvalButton(rechts[i], zeile);
        // Enter always goes forward: the left buttons never take it over.
        l->setAutoDefault(false);
        h->addWidget(l);
        h->addWidget(r);
        knoepfe->addWidget(zeile);
        m_links.append(l);
        m_rechts.append(r);
    }
    layout->addWidget(knoepfe);
    connect(m_seiten, &QStackedWidget::currentChanged, knoepfe, &QStackedWidget::setCurrentIndex);
    // Enter presses the shown step's right button: "Weiter", on the last step "Fertigstellen".
    m_rechts[0]->setDefault(true);
    connect(m_seiten, &QStackedWidget::currentChanged, this,
        [this](int index) { m_rechts[index]->setDefault(true); });

    connect(m_links[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(m_rechts[0], &QPushButton::clicked, this, &TForm2::weiter);
    connect(m_links[1], &QPushButton::clicked, this, &TForm2::zurueck);
    connect(m_rechts[1], &QPushButton::clicked, this, &TForm2::weiter);
    connect(m_links[2], &QPushButton::clicked, this, &TForm2::zurueck);
    connect(m_rechts[2], &QPushButton::clicked, this, &TForm2::fertigstellen);

    resize(560, 400);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

QWidget *TForm2::schrittSeite(int schritt, QWidget *felder)
{
    auto *seite = new QWidget(this);
    auto *h = new QHBoxLayout(seite);
    h->setContentsMargins(0, 0, 0, 0);
    auto *band = new widgets::GradientPanel(seite);
    band->setGradient(QColor(0, 0, 255), QColor(0, 0, 64), 64);
    band->setFixedWidth(130);
    auto *bandText = new QVBoxLayout(band);
    auto *titel = new QLabel(QStringLiteral("Kronoblatt-\nAssistent\n\nSchritt %1 von %2")
                                 .arg(schritt)
                                 .arg(Assistent::kSchritte),
        band);
    titel->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    bandText->addWidget(titel);
    bandText->addStretch(1);
    h->addWidget(band);

    auto *rechts = new QVBoxLayout;
    rechts->setContentsMargins(12, 12, 12, 12);
    auto *anleitung = new QLabel(Assistent::anleitung(schritt).join(QLatin1Char('\n')), seite);
    QFont f = anleitung->font();
    f.setBold(true);
    anleitung->setFont(f);
    rechts->addWidget(anleitung);
    rechts->addWidget(felder);
    rechts->addStretch(1);
    h->addLayout(rechts, 1);
    felder->setParent(seite);
    return seite;
}

QWidget *TForm2::datenSeite()
{
    auto *w = new QWidget(this);
    auto *form = new QFormLayout(w);
    m_name = new QLineEdit(w);
    m_name->setMaxLength(50);
    m_vorname = new QLineEdit(w);
    m_vorname->setMaxLength(50);
    m_land = new QComboBox(w);
    m_land->setEditable(true);
    m_land->setInsertPolicy(QComboBox::NoInsert);
    m_land->addItems(bundeslaender());
    m_land->setMaxVisibleItems(16);
    m_land->lineEdit()->setMaxLength(30);
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Vorname"), m_vorname);
    form->addRow(QStringLiteral("Bundesland"), m_land);
    return w;
}

QWidget *TForm2::dateiSeite()
{
    auto *w = new QWidget(this);
    auto *form = new QFormLayout(w);
    auto *zeile = new QHBoxLayout;
    m_verzeichnis = new QLineEdit(w);
    m_verzeichnis->setReadOnly(true);
    m_verzeichnis->setToolTip(Assistent::hinweisVerzeichnis());
    m_verzeichnis->setStatusTip(Assistent::hinweisVerzeichnis());
    m_waehlen = new QPushButton(QStringLiteral("..."), w);
    m_waehlen->setFixedWidth(
        m_waehlen->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    m_waehlen->setToolTip(Assistent::hinweisVerzeichnis());
    m_waehlen->setAutoDefault(false);
    zeile->addWidget(m_verzeichnis, 1);
    zeile->addWidget(m_waehlen);
    m_datei = new QLineEdit(w);
    m_datei->setToolTip(Assistent::hinweisDatei());
    m_datei->setStatusTip(Assistent::hinweisDatei());
    m_jahr = new QDateEdit(QDate::currentDate(), w);
    m_jahr->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_jahr->setCalendarPopup(true);
    m_jahr->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    m_jahr->setToolTip(Assistent::hinweisJahr());
    m_jahr->setStatusTip(Assistent::hinweisJahr());
    form->addRow(QStringLiteral("Verzeichnis"), zeile);
    form->addRow(QStringLiteral("Dateiname"), m_datei);
    form->addRow(QStringLiteral("Jahr"), m_jahr);
    connect(m_waehlen, &QPushButton::clicked, this, &TForm2::verzeichnisWaehlen);
    return w;
}

QWidget *TForm2::fertigSeite()
{
    auto *w = new QWidget(this);
    auto *v = new QVBoxLayout(w);
    v->setContentsMargins(0, 12, 0, 0);
    m_status = new QLabel(QStringLiteral("Tabelle anlegen....."), w);
    m_status->hide();
    m_fortschritt = new QProgressBar(w);
    m_fortschritt->setRange(0, 100);
    m_fortschritt->setValue(0);
    m_fortschritt->hide();
    v->addWidget(m_status);
    v->addWidget(m_fortschritt);
    return w;
}

int TForm2::schritt() const
{
    return m_seiten->currentIndex() + 1;
}

QPushButton *TForm2::linkerButton(int schritt) const
{
    return m_links.at(schritt - 1);
}

QPushButton *TForm2::rechterButton(int schritt) const
{
    return m_rechts.at(schritt - 1);
}

AnlageEingaben TForm2::eingaben() const
{
    AnlageEingaben e;
    e.name = m_name->text();
    e.vorname = m_vorname->text();
    e.land = m_land->currentText();
    e.landVorher = m_landVorher;
    e.verzeichnis = QDir::fromNativeSeparators(m_verzeichnis->text());
    e.datei = m_datei->text();
    e.jahr = m_jahr->date().year();
    return e;
}

void TForm2::weiter()
{
    if (schritt() == 2) {
        const QString problem = eingabenPruefen(eingaben());
        if (!problem.isEmpty()) {
            ui().message(problem);
            return;
        }
    }
    if (schritt() < Assistent::kSchritte)
        m_seiten->setCurrentIndex(m_seiten->currentIndex() + 1);
}

void TForm2::zurueck()
{
    if (schritt() > 1)
        m_seiten->setCurrentIndex(m_seiten->currentIndex() - 1);
}

void TForm2::verzeichnisWaehlen()
{
    const QString start = ProgramDir::calendarDataDir();
    QDir().mkpath(start);
    const QString chosen = ui().directory(QStringLiteral("Verzeichnis wählen"),
        m_verzeichnis->text().isEmpty() ? start
                                        : QDir::fromNativeSeparators(m_verzeichnis->text()));
    if (!chosen.isEmpty())
        m_verzeichnis->setText(Assistent::gewaehltesVerzeichnis(chosen));
}

void TForm2::fortschrittZeigen(int position, const QString &status)
{
    m_fortschritt->setValue(position);
    if (m_status->text() != status) {
        m_status->setText(status);
        m_status->repaint();
    }
    m_fortschritt->repaint();
}

bool TForm2::fertigstellen()
{
    m_status->setText(QStringLiteral("Tabelle anlegen....."));
    m_status->show();
    m_fortschritt->setValue(0);
    m_fortschritt->show();
    AnlageErgebnis ergebnis;
    try {
        BusyCursor busy;
        ergebnis = kalenderAnlegen(eingaben(),
            [this](int position, const QString &status) { fortschrittZeigen(position, status); });
    } catch (const Error &e) {
        m_status->hide();
        m_fortschritt->hide();
        ui().message(e.message());
        return false;
    }
    ui().message(ergebnis.meldung);
    if (m_nachAnlage)
        m_nachAnlage(ergebnis);
    accept();
    return true;
}

} // namespace kb
