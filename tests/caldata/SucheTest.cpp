// The search over the days' texts and notes: how terms are compared, where the match is shown
// and the order and skipping across several calendars.
#include "caldata/Suche.h"
#include "KalenderHilfe.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

using namespace kb;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

struct FaltungsFall {
    const char *name;
    const char *text;
    const char *begriff;
    int anfang; // -1: not found
    int laenge;
};

class Fundstellen : public testing::TestWithParam<FaltungsFall> { };

} // namespace

TEST_P(Fundstellen, ZeigenDieStelleImUrspruenglichenText)
{
    const FaltungsFall &f = GetParam();
    const std::optional<Fundstelle> fund = fundstelle(s(f.text), suchFaltung(s(f.begriff)).text);
    if (f.anfang < 0) {
        EXPECT_FALSE(fund.has_value());
        return;
    }
    ASSERT_TRUE(fund.has_value());
    EXPECT_EQ(*fund, (Fundstelle { f.anfang, f.laenge }));
}

INSTANTIATE_TEST_SUITE_P(Faelle, Fundstellen,
    testing::Values(FaltungsFall { "Grossschreibung", "ZAHNARZT Dr. Weber", "zahnarzt", 0, 8 },
        FaltungsFall { "KleinFindetGross", "Termin Zahnarzt", "zahnARZT", 7, 8 },
        FaltungsFall { "UmschreibungFindetUmlaut", "Messe München", "muenchen", 6, 7 },
        FaltungsFall { "UmlautFindetUmschreibung", "Muenchen Hbf", "München", 0, 8 },
        FaltungsFall { "GrossesUmlaut", "ÖLWECHSEL", "oelwechsel", 0, 9 },
        FaltungsFall { "SsFindetEszett", "Straßenfest", "strasse", 0, 6 },
        FaltungsFall { "EszettFindetSs", "Hauptstrasse 5", "Straße", 5, 7 },
        FaltungsFall { "ZerlegtesUmlaut", "Mu\u0308nchen", "muenchen", 0, 8 },
        FaltungsFall { "AkzentFaellt", "Café Müller", "cafe", 0, 4 },
        FaltungsFall { "NichtDa", "Zahnarzt", "Ohrenarzt", -1, 0 },
        FaltungsFall { "LeererBegriff", "Zahnarzt", "", -1, 0 }),
    [](const testing::TestParamInfo<FaltungsFall> &info) { return info.param.name; });

namespace {

// Two calendars of different years in one folder, and a third protected with "geheim".
class Suche : public testing::Test {
protected:
    void SetUp() override
    {
        alt = test::neuerKalender(dir.path(), s("Alt"), 2024);
        neu = test::neuerKalender(dir.path(), s("Neu"), 2025);
        geschuetzt = test::neuerKalender(dir.path(), s("Geheim"), 2023);
        test::tagSchreiben(alt, QDate(2024, 3, 5), s("Zahnarzt Dr. Weber"));
        test::tagSchreiben(alt, QDate(2024, 7, 1), s("Straßenfest"), s("Kuchen mitbringen"));
        test::tagSchreiben(alt, QDate(2024, 9, 9), s("Urlaub"), s("Zug nach\nMünchen um 8"));
        test::tagSchreiben(neu, QDate(2025, 2, 11), s("ZAHNARZT, Kontrolle"));
        test::tagSchreiben(neu, QDate(2025, 6, 20), s("Messe Muenchen"));
        test::tagSchreiben(geschuetzt, QDate(2023, 5, 2), s("Zahnarzt geheim"));
        test::schuetzen(geschuetzt, s("geheim"));
    }

    QStringList zeilen(const Suchergebnis &e) const
    {
        QStringList z;
        for (const Treffer &t : e.treffer)
            z.append(t.zeile());
        return z;
    }

    test::TempDir dir;
    test::ScopedScriptedUi ui;
    KalenderDatei alt, neu, geschuetzt;
};

struct SuchFall {
    const char *name;
    const char *begriff;
    bool alle; // every calendar of the folder (else only "Alt")
    const char *passwort; // answer to the password question; null: cancelled
    QStringList zeilen;
    int uebersprungen;
};

class SuchFaelle : public Suche, public testing::WithParamInterface<SuchFall> { };

} // namespace

// The calendars come newest year first, each calendar's days in their order.
TEST_P(SuchFaelle, FindenDieTage)
{
    const SuchFall &f = GetParam();
    if (f.alle)
        ui->answerInput(f.passwort ? std::optional<QString>(s(f.passwort)) : std::nullopt);
    const QStringList kalender = f.alle ? kalenderIn(dir.path()) : QStringList { alt.qvkPfad() };
    Kalendersuche suche;
    const Suchergebnis e = suche.suchen(kalender, s(f.begriff));
    EXPECT_EQ(zeilen(e), f.zeilen);
    EXPECT_EQ(e.uebersprungen.size(), f.uebersprungen);
}

INSTANTIATE_TEST_SUITE_P(Faelle, SuchFaelle,
    testing::Values(SuchFall { "GrossUndKlein", "zahnarzt", false, nullptr,
                        { QStringLiteral("05.03.2024;Alt.QVK;Zahnarzt Dr. Weber") }, 0 },
        SuchFall { "Eszett", "strasse", false, nullptr,
            { QStringLiteral("01.07.2024;Alt.QVK;Straßenfest") }, 0 },
        SuchFall { "NurInDenNotizen", "muenchen", false, nullptr,
            { QStringLiteral("09.09.2024;Alt.QVK;Zug nach München um 8") }, 0 },
        SuchFall { "NotizenUndText", "KUCHEN", false, nullptr,
            { QStringLiteral("01.07.2024;Alt.QVK;Kuchen mitbringen") }, 0 },
        SuchFall { "LeererBegriff", "   ", false, nullptr, {}, 0 },
        SuchFall { "NichtsGefunden", "Ohrenarzt", false, nullptr, {}, 0 },
        SuchFall { "MehrereKalenderNeuestesJahrZuerst", "München", true, "geheim",
            { QStringLiteral("20.06.2025;Neu.QVK;Messe Muenchen"),
                QStringLiteral("09.09.2024;Alt.QVK;Zug nach München um 8") },
            0 },
        SuchFall { "GeschuetzterMitPasswort", "Zahnarzt", true, "geheim",
            { QStringLiteral("11.02.2025;Neu.QVK;ZAHNARZT, Kontrolle"),
                QStringLiteral("05.03.2024;Alt.QVK;Zahnarzt Dr. Weber"),
                QStringLiteral("02.05.2023;Geheim.QVK;Zahnarzt geheim") },
            0 },
        SuchFall { "GeschuetzterOhnePasswortUebersprungen", "Zahnarzt", true, nullptr,
            { QStringLiteral("11.02.2025;Neu.QVK;ZAHNARZT, Kontrolle"),
                QStringLiteral("05.03.2024;Alt.QVK;Zahnarzt Dr. Weber") },
            1 }),
    [](const testing::TestParamInfo<SuchFall> &info) { return info.param.name; });

// A protected calendar is asked for once per search object: after a cancel it is skipped
// without asking again.
TEST_F(Suche, GeschuetzterKalenderFragtEinmal)
{
    ui->answerInput(std::nullopt);
    Kalendersuche suche;
    const Suchergebnis erste = suche.suchen({ geschuetzt.qvkPfad() }, s("zahnarzt"));
    ASSERT_EQ(erste.uebersprungen.size(), 1);
    EXPECT_EQ(erste.uebersprungen.first().kalender, geschuetzt.qvkPfad());
    EXPECT_EQ(ui->prompts().size(), 1);

    const Suchergebnis zweite = suche.suchen({ geschuetzt.qvkPfad() }, s("zahnarzt"));
    EXPECT_EQ(zweite.uebersprungen.size(), 1);
    EXPECT_EQ(ui->prompts().size(), 1);
}

TEST_F(Suche, KalenderImVerzeichnis)
{
    test::writeAll(dir.file(s("notiz.txt")), "x");
    EXPECT_EQ(kalenderIn(dir.path()),
        (QStringList { alt.qvkPfad(), geschuetzt.qvkPfad(), neu.qvkPfad() }));
}
