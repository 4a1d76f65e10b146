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

using namespace Qt::StringLiterals;

namespace kb {

namespace {

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
    return ProgramDir::path() + u"Einstellungen des Kronoblatt.htm"_s;
}

void seiteLaden(QTextBrowser *browser, const QString &pfad)
{
    if (QFile::exists(pfad)) {
        browser->setSearchPaths({ pfad.section(QLatin1Char('/'), 0, -2) });
        browser->setSource(QUrl::fromLocalFile(pfad));
    } else {
        browser->setHtml(
            u"<p>Die Seite <b>%1</b> ist nicht vorhanden.</p>"_s.arg(pfad.toHtmlEscaped()));
    }
}

} // namespace

TKalenderEinstForm::TKalenderEinstForm(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(u"Kronoblatt-Einstellungen"_s);
    auto *v = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(labelsUndFarben(), u"Labels und Farben"_s);
    m_tabs->addTab(ferienTermine(), u"Ferien-Termine"_s);
    v->addWidget(m_tabs, 1);

    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    m_speichern = new QPushButton(u"Speichern und schliessen"_s, this);
    m_speichern->setDefault(true);
    m_abbrechen = new QPushButton(u"Abbrechen"_s, this);
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
    m_schrift[i]->setToolTip(u"Schriftart, -grösse und -stil wählen"_s);
    m_schriftFarbe[i] = new QToolButton(w);
    m_schriftFarbe[i]->setToolTip(u"Schriftfarbe wählen"_s);
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
    auto *links = new QGroupBox(u"Kopf, Band und Tage"_s, seite);
    auto *l = new QGridLayout(links);
    int r = 0;
    l->addWidget(new QLabel(u"Kopfzeile Text"_s), r, 0);
    l->addWidget(text(EinstText::Kopftext), r, 1);
    l->addWidget(schriftZeile(FontGroup::Kopf, u"Schrift"_s), r++, 2);
    l->addWidget(new QLabel(u"Band Text"_s), r, 0);
    l->addWidget(text(EinstText::Kopfbandtext), r, 1);
    l->addWidget(schriftZeile(FontGroup::KopfBand, u"Schrift"_s), r++, 2);
    l->addWidget(new QLabel(u"Hintergrundfarbe/n"_s), r, 0);
    l->addWidget(farbe(EinstFarbe::KopfBandFarbe), r++, 1);
    l->addWidget(new QLabel(u"Monate"_s), r, 0);
    l->addWidget(farbe(EinstFarbe::MonatHintergrundFarbe, false), r, 1);
    l->addWidget(schriftZeile(FontGroup::Monat, u"   Schrift"_s), r++, 2);
    const std::pair<const char *, EinstFarbe> tage[] = {
        { "Hintergrundfarbe für Sonntag :", EinstFarbe::HintergrundWochenende },
        { "Hintergrundfarbe für Samstag :", EinstFarbe::HintergrundSamstag },
        { "Hintergrundfarbe für Feiertage :", EinstFarbe::HintergrundFeiertag },
        { "Hintergrundfarbe für Ferien :", EinstFarbe::HintergrundFarbeFerien },
        { "Schriftfarbe für Urlaub :", EinstFarbe::SchriftFarbeUrlaub },
        { "Schriftfarbe für Krank :", EinstFarbe::SchriftFarbeKrank },
    };
    for (const auto &[label, f] : tage) {
        l->addWidget(new QLabel(QString::fromUtf8(label)), r, 0);
        l->addWidget(farbe(f), r++, 1);
    }
    l->setRowStretch(r, 1);
    spalten->addWidget(links, 3);

    // Right: address, lines, logo and symbols.
    auto *rechts = new QGroupBox(u"Adresse und Logo"_s, seite);
    auto *g = new QGridLayout(rechts);
    r = 0;
    g->addWidget(new QLabel(u"Firma/Name"_s), r, 0);
    g->addWidget(text(EinstText::Firma), r, 1);
    g->addWidget(schriftZeile(FontGroup::Adresse, u"Schrift"_s), r++, 2);
    const std::pair<const char *, EinstText> adresse[] = {
        { "Strasse", EinstText::Strasse },
        { "PLZ/Ort", EinstText::Ort },
        { "Telefon", EinstText::Telefon },
        { "Fax", EinstText::Fax },
    };
    for (const auto &[label, t] : adresse) {
        g->addWidget(new QLabel(QString::fromUtf8(label)), r, 0);
        g->addWidget(text(t), r++, 1, 1, 2);
    }
    g->addWidget(new QLabel(u"Linienfarbe"_s), r, 0);
    g->addWidget(farbe(EinstFarbe::Linienfarbe), r++, 1, 1, 2);
    g->addWidget(new QLabel(u"Logo"_s), r, 0);
    g->addWidget(text(EinstText::Bild), r, 1);
    m_logo = new QPushButton(u"..."_s);
    m_logo->setToolTip(u"Logo-Bild wählen"_s);
    g->addWidget(m_logo, r++, 2);
    g->addWidget(new QLabel(u"Symbole"_s), r, 0);
    m_symbole = new QCheckBox(u"in Einblatt - Kronoblatt anzeigen"_s);
    g->addWidget(m_symbole, r++, 1, 1, 2);
    g->setRowStretch(r, 1);
    spalten->addWidget(rechts, 2);

    auto *hinweis = new QLabel(u"Einstellungen gelten für alle Kalenderdateien !"_s, seite);
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
    auto *ueberschrift = new QLabel(u"Ferien"_s, seite);
    QFont fett = ueberschrift->font();
    fett.setBold(true);
    ueberschrift->setFont(fett);
    links->addWidget(ueberschrift);
    auto *g = new QGridLayout;
    g->setVerticalSpacing(2);
    g->addWidget(new QLabel(u"Beginn:"_s), 0, 1);
    g->addWidget(new QLabel(u"Ende:"_s), 0, 2);
    for (int i = 0; i < kFerienCount; ++i) {
        const int r = 2 * i + 1;
        g->addWidget(new QLabel(QString::fromUtf8(zeilen[i])), r, 0);
        for (int k = 0; k < 2; ++k) {
            auto *e = new QLineEdit;
            e->setInputMask(u"00.00;_"_s);
            e->setFixedWidth(e->fontMetrics().horizontalAdvance(u"00.00"_s) + 16);
            m_ferien[i][k] = e;
            g->addWidget(e, r, 1 + k);
        }
        // Unconfirmed dates taken over from the school-holiday table say so under their row.
        m_hinweise[i] = new QLabel;
        m_hinweise[i]->setStyleSheet(u"color: #a03000;"_s);
        m_hinweise[i]->setVisible(false);
        g->addWidget(m_hinweise[i], r + 1, 0, 1, 3);
    }
    links->addLayout(g);
    links->addStretch(1);
    m_uebernehmen = new QPushButton(u"Ferien für Bundesland übernehmen"_s, seite);
    m_uebernehmen->setToolTip(
        u"Trägt die amtlichen Schulferien des Bundeslands und Jahres des geöffneten Kalenders "
        "ein; gespeichert wird erst mit \"Speichern und schliessen\"."_s);
    m_nachsehen = new QPushButton(u"Ferien nachsehen........."_s, seite);
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
    b->setToolTip(u"%1, %2 pt – Schriftart, -grösse und -stil wählen"_s.arg(f.name).arg(f.size));
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
        = ui().openFileName(u"Logo wählen"_s, ProgramDir::path() + u"WappenundLogos"_s,
            u"Alle (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf);;JPEG-Grafikdatei (*.jpg);;"
            "JPEG-Grafikdatei (*.jpeg);;Bitmaps (*.bmp)"_s);
    if (!pfad.isEmpty())
        textFeld(EinstText::Bild)->setText(pfad);
}

void TKalenderEinstForm::ferienNachsehen()
{
    const QString pfad = ui().openFileName(
        u"Ferien nachsehen"_s, ProgramDir::path() + u"QVFerien"_s, u"Internet (*.htm *.html)"_s);
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
