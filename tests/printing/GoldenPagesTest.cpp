// Golden pages: the six year calendars of one fixed calendar, dumped primitive by primitive and
// compared with the dumps committed in tests/printing/golden/. Any change to what is drawn
// where (a day line one pixel lower, another colour, a lost week label) fails here.
//
// When a change of the pages is intended, regenerate the dumps and review their diff:
//
//     KB_UPDATE_GOLDEN=1 build/ci/tests/test_printing --gtest_filter='GoldenPages.*'
//
// (the files are written into the source tree, tests/printing/golden/, only in this mode).

#include "KalenderTestUtil.h"

#include "caldata/KalenderDatei.h"
#include "printing/TKalenderForm.h"
#include "storage/Table.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

// ---- the dump: one line per band and per primitive, numbers to 1/100 pixel

QString num(double v)
{
    const QString text = QString::number(v, 'f', 2);
    return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

QString rect(const QRectF &r)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(num(r.left()), num(r.top()), num(r.width()), num(r.height()));
}

QString colour(const QColor &c)
{
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString colour(const std::optional<QColor> &c)
{
    return c ? colour(*c) : QStringLiteral("-");
}

QString font(const report::FontSpec &f)
{
    QString styles;
    styles += f.bold ? QLatin1Char('b') : QLatin1Char('-');
    styles += f.italic ? QLatin1Char('i') : QLatin1Char('-');
    styles += f.underline ? QLatin1Char('u') : QLatin1Char('-');
    styles += f.strikeOut ? QLatin1Char('s') : QLatin1Char('-');
    return QStringLiteral("\"%1\" %2 %3").arg(f.family, num(f.pointSize), styles);
}

QString pen(const report::PenSpec &p)
{
    return QStringLiteral("%1 %2 style%3").arg(colour(p.color), num(p.width)).arg(int(p.style));
}

QString quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString primitive(const report::Primitive &p)
{
    if (const auto *t = std::get_if<report::TextItem>(&p))
        return QStringLiteral("text %1 %2 %3 %4 align%5%6 bg %7")
            .arg(rect(t->rect), quoted(t->text), font(t->font), colour(t->color))
            .arg(int(t->alignment))
            .arg(t->wordWrap ? QStringLiteral(" wrap") : QString(), colour(t->background));
    if (const auto *l = std::get_if<report::LineItem>(&p))
        return QStringLiteral("line %1,%2 %3,%4 %5")
            .arg(num(l->line.x1()), num(l->line.y1()), num(l->line.x2()), num(l->line.y2()),
                pen(l->pen));
    if (const auto *r = std::get_if<report::RectItem>(&p))
        return QStringLiteral("rect %1 fill %2 frame %3")
            .arg(rect(r->rect), colour(r->fill), r->frame ? pen(*r->frame) : QStringLiteral("-"));
    const auto &picture = std::get<report::PictureItem>(p);
    const QImage image = picture.image.convertToFormat(QImage::Format_ARGB32);
    const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return QStringLiteral("picture %1 %2x%3 md5 %4")
        .arg(rect(picture.rect))
        .arg(image.width())
        .arg(image.height())
        .arg(
            QString::fromLatin1(QCryptographicHash::hash(pixels, QCryptographicHash::Md5).toHex()));
}

const char *bandName(report::BandKind kind)
{
    switch (kind) {
    case report::BandKind::Title:
        return "title";
    case report::BandKind::PageHeader:
        return "page-header";
    case report::BandKind::ColumnHeader:
        return "column-header";
    case report::BandKind::GroupHeader:
        return "group-header";
    case report::BandKind::Detail:
        return "detail";
    case report::BandKind::PageFooter:
        return "page-footer";
    case report::BandKind::GroupFooter:
        return "group-footer";
    case report::BandKind::Summary:
        return "summary";
    }
    return "?";
}

// Each band with what its printables drew ("t" a text printable, "o" any other; "nothing"
// with its box when it drew nothing), then the band's own primitives (fill, frame lines);
// last what lies outside every band.
QStringList dump(const report::Document &doc)
{
    QStringList lines;
    lines << QStringLiteral("document %1 paper %2x%3 mm")
                 .arg(quoted(doc.title), num(doc.paperSizeMm.width()),
                     num(doc.paperSizeMm.height()));
    for (std::size_t n = 0; n < doc.pages.size(); ++n) {
        const report::Page &page = doc.pages[n];
        lines << QStringLiteral("page %1").arg(n + 1);
        std::vector<bool> inBand(page.items.size(), false);
        for (const report::PlacedBand &band : page.bands) {
            lines << QStringLiteral("band %1 column %2 %3 fill %4")
                         .arg(QString::fromLatin1(bandName(band.kind)))
                         .arg(band.column + 1)
                         .arg(rect(band.rect), colour(band.background));
            std::vector<bool> byPrintable(band.itemCount, false);
            // A printable's box is that of its first primitive, so only the empty ones need
            // their box of their own.
            for (const report::PlacedPrintable &p : band.printables) {
                const QString tag = p.text ? QStringLiteral("  t ") : QStringLiteral("  o ");
                if (!p.itemCount)
                    lines << tag + QStringLiteral("nothing ") + rect(p.rect);
                for (std::size_t i = p.firstItem; i < p.firstItem + p.itemCount; ++i) {
                    lines << tag + primitive(page.items[i]);
                    byPrintable[i - band.firstItem] = true;
                }
            }
            for (std::size_t i = band.firstItem; i < band.firstItem + band.itemCount; ++i) {
                inBand[i] = true;
                if (!byPrintable[i - band.firstItem])
                    lines << QStringLiteral("  ") + primitive(page.items[i]);
            }
        }
        for (std::size_t i = 0; i < page.items.size(); ++i)
            if (!inBand[i])
                lines << primitive(page.items[i]);
    }
    return lines;
}

// ---- comparison with the committed dumps

QString goldenPath(const KalenderVariante &v)
{
    QString name = v.navText;
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral(KB_SOURCE_DIR "/tests/printing/golden/") + name + QStringLiteral(".txt");
}

// The first line where `actual` and `golden` differ, with its number; nullopt when equal.
std::optional<QString> firstDifference(const QStringList &actual, const QStringList &golden)
{
    const qsizetype n = std::max(actual.size(), golden.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (actual.value(i, QStringLiteral("<end>")) != golden.value(i, QStringLiteral("<end>")))
            return QStringLiteral("line %1\n  golden: %2\n  now:    %3")
                .arg(i + 1)
                .arg(golden.value(i, QStringLiteral("<end>")),
                    actual.value(i, QStringLiteral("<end>")));
    }
    return std::nullopt;
}

QStringList readGolden(const QString &path)
{
    QString text = QString::fromUtf8(readAll(path));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// ---- the fixed calendar

// Bayern 2026 with day texts (coloured, long, with line breaks), school holidays, a day
// symbol, a logo and every header text set.
class GoldenPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        tage.setFilePath(KalenderDatei::ausQvk(testKalender(dir, 2026)).jahrPfad());
        tage.open();
        text(QDate(2026, 1, 7), "Urlaub");
        text(QDate(2026, 1, 8), "Krank");
        text(QDate(2026, 2, 14), "Valentinstag: Blumen für Erika besorgen, Tisch reservieren");
        text(QDate(2026, 3, 3), "Zahnarzt\n10:30 Uhr");
        QImage symbol(16, 16, QImage::Format_RGB32);
        symbol.fill(Qt::white);
        QPainter(&symbol).fillRect(4, 4, 8, 8, Qt::red);
        ASSERT_TRUE(tage.locate(u"Datum"_s, QDate(2026, 5, 12)));
        tage.setImage(u"SymbolBild"_s, symbol);
        tage.post();
        tage.first();

        QImage logo(57, 67, QImage::Format_RGB32);
        logo.fill(QColor(0, 90, 160));
        ASSERT_TRUE(logo.save(dir.file(u"logo.png"_s)));
        writeAll(dir.file(u"Kalvalues.ini"_s),
            "[User]\r\nSymbole=1\r\nKopfBandFarbe=12632256\r\nLinienfarbe=8421504\r\nBild="
                + dir.file(u"logo.png"_s).toUtf8()
                + "\r\nKopfStyleItalic=0\r\nKopfStyleUnterstrichen=0\r\n"
                  "KopfStyleDurchstrichen=0\r\n"
                  "[Ferien]\r\nOsternBeginn=30.03.\r\nOsternEnde=10.04.\r\n"
                  "SommerBeginn=03.08.\r\nSommerEnde=14.09.\r\n");
        settings = farben();
        settings.kopftext = u"Jahreskalender"_s;
        settings.kopfbandtext = u"Familie Muster – Termine"_s;
        settings.firma = u"Familie Muster"_s;
        settings.strasse = u"Lindenweg 3"_s;
        settings.ort = u"80331 München"_s;
        settings.telefon = u"089 123456"_s;
        settings.fax = u"089 123457"_s;
    }

    void text(const QDate &tag, const char *value)
    {
        ASSERT_TRUE(tage.locate(u"Datum"_s, tag));
        tage.setString(u"Text"_s, QString::fromUtf8(value));
        tage.post();
    }

    report::Document pages(const KalenderVariante &v)
    {
        IniFile ini(dir.file(u"Kalvalues.ini"_s));
        settings.ferieneinlesen(ini);
        TKalenderForm form(v, tage, settings, ini);
        form.report().setClock([] { return QDateTime(QDate(2026, 12, 1), QTime(9, 0)); });
        return form.generate();
    }

    TempDir dir;
    Table tage;
    LayoutSettings settings;
};

TEST_F(GoldenPages, YearCalendarsDrawWhatTheCommittedDumpsShow)
{
    const bool update = qEnvironmentVariableIsSet("KB_UPDATE_GOLDEN");
    for (const KalenderVariante &v : kalenderVarianten()) {
        SCOPED_TRACE(v.navText.toStdString());
        const QStringList actual = dump(pages(v));
        const QString path = goldenPath(v);
        if (update) {
            QDir().mkpath(QFileInfo(path).path());
            writeAll(path, (actual.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
            continue;
        }
        ASSERT_TRUE(QFile::exists(path))
            << path.toStdString() << " is missing: run the test with KB_UPDATE_GOLDEN=1";
        const std::optional<QString> difference = firstDifference(actual, readGolden(path));
        EXPECT_FALSE(difference.has_value())
            << "the pages differ from " << path.toStdString() << " at "
            << difference.value_or(QString()).toStdString()
            << "\nIf the change is intended, regenerate the dumps with KB_UPDATE_GOLDEN=1.";
    }
}

// The comparison sees a day line that moves by one pixel, and one whose week label is lost.
TEST_F(GoldenPages, ComparisonFailsWhenADayLineMovesOrChanges)
{
    const KalenderVariante &v = kalenderVarianten().front();
    const QString path = goldenPath(v);
    if (!QFile::exists(path))
        GTEST_SKIP() << "no golden dump yet";
    const QStringList golden = readGolden(path);
    report::Document doc = pages(v);
    ASSERT_FALSE(firstDifference(dump(doc), golden).has_value());

    report::Page &page = doc.pages.front();
    const auto isDetail
        = [](const report::PlacedBand &b) { return b.kind == report::BandKind::Detail; };
    report::PlacedBand &day = *std::find_if(page.bands.begin(), page.bands.end(), isDetail);
    report::Document moved = doc;
    {
        report::PlacedBand &b = *std::find_if(
            moved.pages.front().bands.begin(), moved.pages.front().bands.end(), isDetail);
        b.rect.translate(0, 1);
        for (std::size_t i = b.firstItem; i < b.firstItem + b.itemCount; ++i)
            std::visit(
                [](auto &item) {
                    using T = std::decay_t<decltype(item)>;
                    if constexpr (std::is_same_v<T, report::LineItem>)
                        item.line.translate(0, 1);
                    else
                        item.rect.translate(0, 1);
                },
                moved.pages.front().items[i]);
    }
    const std::optional<QString> difference = firstDifference(dump(moved), golden);
    ASSERT_TRUE(difference.has_value());
    EXPECT_TRUE(difference->contains(u"band detail"_s)) << difference->toStdString();

    // 1 January's week label "Woche1" goes missing.
    for (std::size_t i = day.firstItem; i < day.firstItem + day.itemCount; ++i)
        if (auto *t = std::get_if<report::TextItem>(&page.items[i]); t && t->text == u"Woche1"_s)
            t->text.clear();
    EXPECT_TRUE(firstDifference(dump(doc), golden).has_value());
}

} // namespace
