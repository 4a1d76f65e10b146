#include "settings/TKalenderEinstForm.h"

#include "platform/Error.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "settings/ColorValue.h"
#include "settings/FarbAuswahl.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kb {

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QIcon farbIcon(qint32 wert)
{
    QPixmap pm(14, 14);
    QColor c = toQColor(wert);
    pm.fill(c.isValid() ? c : QColor(Qt::white));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return QIcon(pm);
}

// The page the holiday tab shows whenever the dialog opens.
QString startSeite()
{
    return ProgramDir::path() + s("Einstellungen des Kronoblatt.htm");
}

void seiteLaden(QTextBrowser *browser, const QString &pfad)
{
    if (QFile::exists(pfad)) {
        browser->setSearchPaths({ pfad.section(QLatin1Char('/'), 0, -2) });
        browser->setSource(QUrl::fromLocalFile(pfad));
    } else {
        browser->setHtml(
            s("<p>Die Seite <b>%1</b> ist nicht vorhanden.</p>").arg(pfad.toHtmlEscaped()));
    }
}

} // namespace

TKalenderEinstForm::TKalenderEinstForm(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(s("Kronoblatt-Einstellungen"));
    auto *v = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(labelsUndFarben(), s("Labels und Farben"));
    m_tabs->addTab(ferienTermine(), s("Ferien-Termine"));
    v->addWidget(m_tabs, 1);

    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    m_speichern = new QPushButton(s("Speichern und schliessen"), this);
    m_speichern->setDefault(true);
    m_abbrechen = new QPushButton(s("Abbrechen"), this);
    knoepfe->addWidget(m_speichern);
    knoepfe->addWidget(m_abbrechen);
    v->addLayout(knoepfe);

    connect(m_speichern, &QPushButton::clicked, this, &TKalenderEinstForm::speichern);
    connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    setSizeGripEnabled(false);
}

QWidget *TKalenderEinstForm::schriftZeile(FontGroup g, const QString &text)
{
    const int i = static_cast<int>(g);
    auto *w = new QWidget;
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    m_schrift[i] = new QPushButton(text, w);
    m_schrift[i]->setToolTip(s("Schriftart, -grösse und -stil wählen"));
    m_schriftFarbe[i] = new QToolButton(w);
    m_schriftFarbe[i]->setToolTip(s("Schriftfarbe wählen"));
    h->addWidget(m_schrift[i]);
    h->addWidget(m_schriftFarbe[i]);
    connect(m_schrift[i], &QPushButton::clicked, this, [this, g] { schriftWaehlen(g); });
    connect(m_schriftFarbe[i], &QToolButton::clicked, this, [this, g] { schriftFarbeWaehlen(g); });
    return w;
}

QWidget *TKalenderEinstForm::labelsUndFarben()
{
    auto *seite = new QWidget;
    auto *v = new QVBoxLayout(seite);
    auto *spalten = new QHBoxLayout;
    v->addLayout(spalten, 1);

    auto text = [&](EinstText t) {
        auto *e = new QLineEdit;
        m_texte[static_cast<int>(t)] = e;
        return e;
    };
    auto farbe = [&](EinstFarbe f, bool mitNoneUndDefault = true) {
        auto *c = new FarbAuswahl(mitNoneUndDefault);
        m_farben[static_cast<int>(f)] = c;
        return c;
    };

    // Left: header, band, months and the day colours.
    auto *links = new QGroupBox(s("Kopf, Band und Tage"), seite);
    auto *l = new QGridLayout(links);
    int r = 0;
    l->addWidget(new QLabel(s("Kopfzeile Text")), r, 0);
    l->addWidget(text(EinstText::Kopftext), r, 1);
    l->addWidget(schriftZeile(FontGroup::Kopf, s("Schrift")), r++, 2);
    l->addWidget(new QLabel(s("Band Text")), r, 0);
    l->addWidget(text(EinstText::Kopfbandtext), r, 1);
    l->addWidget(schriftZeile(FontGroup::KopfBand, s("Schrift")), r++, 2);
    l->addWidget(new QLabel(s("Hintergrundfarbe/n")), r, 0);
    l->addWidget(farbe(EinstFarbe::KopfBandFarbe), r++, 1);
    l->addWidget(new QLabel(s("Monate")), r, 0);
    l->addWidget(farbe(EinstFarbe::MonatHintergrundFarbe, false), r, 1);
    l->addWidget(schriftZeile(FontGroup::Monat, s("   Schrift")), r++, 2);
    const std::pair<const char *, EinstFarbe> tage[] = {
        { "Hintergrundfarbe für Sonntag :", EinstFarbe::HintergrundWochenende },
        { "Hintergrundfarbe für Samstag :", EinstFarbe::HintergrundSamstag },
        { "Hintergrundfarbe für Feiertage :", EinstFarbe::HintergrundFeiertag },
        { "Hintergrundfarbe für Ferien :", EinstFarbe::HintergrundFarbeFerien },
        { "Schriftfarbe für Urlaub :", EinstFarbe::SchriftFarbeUrlaub },
        { "Schriftfarbe für Krank :", EinstFarbe::SchriftFarbeKrank },
    };
    for (const auto &[label, f] : tage) {
        l->addWidget(new QLabel(s(label)), r, 0);
        l->addWidget(farbe(f), r++, 1);
    }
    l->setRowStretch(r, 1);
    spalten->addWidget(links, 3);

    // Right: address, lines, logo and symbols.
    auto *rechts = new QGroupBox(s("Adresse und Logo"), seite);
    auto *g = new QGridLayout(rechts);
    r = 0;
    g->addWidget(new QLabel(s("Firma/Name")), r, 0);
    g->addWidget(text(EinstText::Firma), r, 1);
    g->addWidget(schriftZeile(FontGroup::Adresse, s("Schrift")), r++, 2);
    const std::pair<const char *, EinstText> adresse[] = {
        { "Strasse", EinstText::Strasse },
        { "PLZ/Ort", EinstText::Ort },
        { "Telefon", EinstText::Telefon },
        { "Fax", EinstText::Fax },
    };
    for (const auto &[label, t] : adresse) {
        g->addWidget(new QLabel(s(label)), r, 0);
        g->addWidget(text(t), r++, 1, 1, 2);
    }
    g->addWidget(new QLabel(s("Linienfarbe")), r, 0);
    g->addWidget(farbe(EinstFarbe::Linienfarbe), r++, 1, 1, 2);
    g->addWidget(new QLabel(s("Logo")), r, 0);
    g->addWidget(text(EinstText::Bild), r, 1);
    m_logo = new QPushButton(s("..."));
    m_logo->setToolTip(s("Logo-Bild wählen"));
    g->addWidget(m_logo, r++, 2);
    g->addWidget(new QLabel(s("Symbole")), r, 0);
    m_symbole = new QCheckBox(s("in Einblatt - Kronoblatt anzeigen"));
    g->addWidget(m_symbole, r++, 1, 1, 2);
    g->setRowStretch(r, 1);
    spalten->addWidget(rechts, 2);

    auto *hinweis = new QLabel(s("Einstellungen gelten für alle Kalenderdateien !"), seite);
    QFont f = hinweis->font();
    f.setBold(true);
    hinweis->setFont(f);
    v->addWidget(hinweis);

    connect(m_logo, &QPushButton::clicked, this, &TKalenderEinstForm::logoWaehlen);
    return seite;
}

QWidget *TKalenderEinstForm::ferienTermine()
{
    static const char *const zeilen[kFerienCount]
        = { "Weihnachten (Anfang des Jahres)", "Winter", "Ostern/Frühjahr", "Himmelfahrt/Pfingsten",
              "Sommer", "Herbst", "Weihnachten (Ende des Jahres)", "Zusätzlich", "Zusätzlich" };
    auto *seite = new QWidget;
    auto *h = new QHBoxLayout(seite);

    auto *links = new QVBoxLayout;
    auto *ueberschrift = new QLabel(s("Ferien"), seite);
    QFont fett = ueberschrift->font();
    fett.setBold(true);
    ueberschrift->setFont(fett);
    links->addWidget(ueberschrift);
    auto *g = new QGridLayout;
    g->setVerticalSpacing(2);
    g->addWidget(new QLabel(s("Beginn:")), 0, 1);
    g->addWidget(new QLabel(s("Ende:")), 0, 2);
    for (int i = 0; i < kFerienCount; ++i) {
        const int r = 2 * i + 1;
        g->addWidget(new QLabel(s(zeilen[i])), r, 0);
        for (int k = 0; k < 2; ++k) {
            auto *e = new QLineEdit;
            e->setInputMask(s("00.00;_"));
            e->setFixedWidth(e->fontMetrics().horizontalAdvance(s("00.00")) + 16);
            m_ferien[i][k] = e;
            g->addWidget(e, r, 1 + k);
        }
        // Unconfirmed dates taken over from the school-holiday table say so under their row.
        m_hinweise[i] = new QLabel;
        m_hinweise[i]->setStyleSheet(s("color: #a03000;"));
        m_hinweise[i]->setVisible(false);
        g->addWidget(m_hinweise[i], r + 1, 0, 1, 3);
    }
    links->addLayout(g);
    links->addStretch(1);
    m_uebernehmen = new QPushButton(s("Ferien für Bundesland übernehmen"), seite);
    m_uebernehmen->setToolTip(
        s("Trägt die amtlichen Schulferien des Bundeslands und Jahres des geöffneten Kalenders "
          "ein; gespeichert wird erst mit \"Speichern und schliessen\"."));
    m_nachsehen = new QPushButton(s("Ferien nachsehen........."), seite);
    links->addWidget(m_uebernehmen);
    links->addWidget(m_nachsehen);
    h->addLayout(links);

    m_browser = new QTextBrowser(seite);
    m_browser->setOpenExternalLinks(true);
    m_browser->setMinimumWidth(300);
    h->addWidget(m_browser, 1);

    connect(m_nachsehen, &QPushButton::clicked, this, &TKalenderEinstForm::ferienNachsehen);
    connect(m_uebernehmen, &QPushButton::clicked, this, &TKalenderEinstForm::ferienUebernehmen);
    return seite;
}

void TKalenderEinstForm::fuellen(
    IniFile &ini, LayoutSettings &layout, int jahr, const QString &land)
{
    m_ini = &ini;
    m_layout = &layout;
    m_jahr = jahr;
    m_land = land;
    const KalenderEinstWerte w = kalenderEinstFuellen(ini, layout);
    m_symbole->setChecked(w.symbole);
    for (int i = 0; i < kEinstTextCount; ++i)
        m_texte[i]->setText(w.texte[i]);
    for (int i = 0; i < kEinstFarbeCount; ++i)
        m_farben[i]->setWert(w.farben[i]);
    m_fonts = w.fonts;
    for (int i = 0; i < kFontGroupCount; ++i)
        schriftZeigen(static_cast<FontGroup>(i));
    datumsfelderZeigen(w.ferien);
    for (QLabel *l : m_hinweise)
        l->setVisible(false);
    m_uebernehmen->setEnabled(!land.isEmpty() && jahr > 0);
}

KalenderEinstWerte TKalenderEinstForm::werte() const
{
    KalenderEinstWerte w;
    w.symbole = m_symbole->isChecked();
    for (int i = 0; i < kEinstTextCount; ++i)
        w.texte[i] = m_texte[i]->text();
    for (int i = 0; i < kEinstFarbeCount; ++i)
        w.farben[i] = m_farben[i]->wert();
    w.fonts = m_fonts;
    for (int i = 0; i < kFerienCount; ++i) {
        for (int k = 0; k < 2; ++k)
            w.ferien[i][k] = m_ferien[i][k]->displayText();
    }
    return w;
}

void TKalenderEinstForm::schriftZeigen(FontGroup g)
{
    const TextFont &f = m_fonts[static_cast<int>(g)];
    QPushButton *b = m_schrift[static_cast<int>(g)];
    b->setToolTip(s("%1, %2 pt – Schriftart, -grösse und -stil wählen").arg(f.name).arg(f.size));
    m_schriftFarbe[static_cast<int>(g)]->setIcon(farbIcon(f.farbe));
}

void TKalenderEinstForm::schriftWaehlen(FontGroup g)
{
    TextFont &f = m_fonts[static_cast<int>(g)];
    const auto gewaehlt = ui().font(makeFont(f));
    if (!gewaehlt)
        return;
    f.name = gewaehlteSchriftart(f.name, gewaehlt->family());
    if (gewaehlt->pointSize() > 0)
        f.size = gewaehlt->pointSize();
    f.styles = FontStyles { gewaehlt->bold(), gewaehlt->italic(), gewaehlt->underline(),
        gewaehlt->strikeOut() };
    schriftZeigen(g);
}

void TKalenderEinstForm::schriftFarbeWaehlen(FontGroup g)
{
    TextFont &f = m_fonts[static_cast<int>(g)];
    QColor start = toQColor(f.farbe);
    if (!start.isValid())
        start = Qt::black;
    if (const auto farbe = ui().color(start)) {
        f.farbe = fromQColor(*farbe);
        schriftZeigen(g);
    }
}

void TKalenderEinstForm::logoWaehlen()
{
    const QString pfad
        = ui().openFileName(s("Logo wählen"), ProgramDir::path() + s("WappenundLogos"),
            s("Alle (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf);;JPEG-Grafikdatei (*.jpg);;"
              "JPEG-Grafikdatei (*.jpeg);;Bitmaps (*.bmp)"));
    if (!pfad.isEmpty())
        textFeld(EinstText::Bild)->setText(pfad);
}

void TKalenderEinstForm::ferienNachsehen()
{
    const QString pfad = ui().openFileName(
        s("Ferien nachsehen"), ProgramDir::path() + s("QVFerien"), s("Internet (*.htm *.html)"));
    if (!pfad.isEmpty())
        seiteLaden(m_browser, pfad);
}

void TKalenderEinstForm::ferienUebernehmen()
{
    if (!m_ferienQuelle || m_land.isEmpty())
        return;
    FerienVorschlag vorschlag;
    try {
        vorschlag = m_ferienQuelle(m_land, m_jahr);
    } catch (const Error &e) {
        ui().message(e.message());
        return;
    }
    FerienFelder felder = werte().ferien;
    const auto hinweise = ferienVorschlagUebernehmen(felder, vorschlag);
    if (!hinweise) {
        ui().message(vorschlag.fehlt);
        return;
    }
    datumsfelderZeigen(felder);
    for (int i = 0; i < kFerienCount; ++i) {
        m_hinweise[i]->setText((*hinweise)[i]);
        m_hinweise[i]->setVisible(!(*hinweise)[i].isEmpty());
    }
    if (const QString meldung = ferienAusgelassenMeldung(vorschlag); !meldung.isEmpty())
        ui().message(meldung);
}

void TKalenderEinstForm::datumsfelderZeigen(const FerienFelder &felder)
{
    for (int i = 0; i < kFerienCount; ++i) {
        for (int k = 0; k < 2; ++k)
            m_ferien[i][k]->setText(felder[i][k]);
    }
}

void TKalenderEinstForm::speichern()
{
    if (!m_ini || !m_layout)
        return;
    KalenderEinstWerte w = werte();
    bool fertig = false;
    try {
        fertig = kalenderEinstSpeichern(*m_ini, w, *m_layout, m_jahr);
    } catch (const Error &e) {
        ui().message(e.message());
    }
    datumsfelderZeigen(w.ferien); // unfilled fields now read 00.00
    if (fertig)
        accept();
}

void TKalenderEinstForm::showEvent(QShowEvent *event)
{
    seiteLaden(m_browser, startSeite());
    // A fixed frame of at least 668 x 417, as the layout needs it. Without a window manager
    // nobody centres the dialog: it takes its place here.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(size().expandedTo(QSize(668, 417)));
    if (const QScreen *sc = screen()) {
        const QRect frei = sc->availableGeometry();
        move(frei.center() - rect().center());
    }
    QDialog::showEvent(event);
}

} // namespace kb
