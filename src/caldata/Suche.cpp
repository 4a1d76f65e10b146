#include "caldata/Suche.h"

#include "platform/Error.h"
#include "storage/FieldValue.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace kb {

namespace {

constexpr char16_t kTrema = 0x0308; // combining diaeresis: "u" followed by it reads "ü"

// The folded text being built; the positions only where a match is shown.
struct Faltung {
    QString text;
    QList<int> *herkunft = nullptr;

    void an(QChar c, int pos)
    {
        text.append(c);
        if (herkunft)
            herkunft->append(pos);
    }
};

void anfuegen(Faltung &s, const char *folge, int pos)
{
    for (const char *c = folge; *c; ++c)
        s.an(QLatin1Char(*c), pos);
}

// A letter without its accents, in lower case.
QChar grundbuchstabe(QChar c)
{
    if (c.decompositionTag() == QChar::Canonical) {
        const QString zerlegt = c.decomposition();
        if (!zerlegt.isEmpty())
            c = zerlegt.at(0);
    }
    return c.toCaseFolded();
}

void zeichenFalten(Faltung &s, QChar c, int pos)
{
    switch (c.unicode()) {
    case u'ä':
    case u'Ä':
        return anfuegen(s, "ae", pos);
    case u'ö':
    case u'Ö':
        return anfuegen(s, "oe", pos);
    case u'ü':
    case u'Ü':
        return anfuegen(s, "ue", pos);
    case u'ß':
    case u'ẞ':
        return anfuegen(s, "ss", pos);
    case kTrema: {
        // A decomposed umlaut: the vowel is already there, the diaeresis reads "e".
        const QChar vorher = s.text.isEmpty() ? QChar() : s.text.back();
        if (vorher == u'a' || vorher == u'o' || vorher == u'u')
            anfuegen(s, "e", pos);
        return;
    }
    default:
        break;
    }
    char16_t u = c.unicode();
    if (u < 0x80) {
        if (u >= u'A' && u <= u'Z')
            u += u'a' - u'A';
        s.an(QChar(u), pos);
    } else if (c.category() != QChar::Mark_NonSpacing) { // accents of decomposed letters go
        s.an(grundbuchstabe(c), pos);
    }
}

QString falten(const QString &text)
{
    Faltung s;
    s.text.reserve(text.size());
    for (int i = 0; i < text.size(); ++i)
        zeichenFalten(s, text.at(i), i);
    return s.text;
}

// The calendar's year (of its first day, 0 when it has none) and its days holding the term.
struct KalenderFunde {
    int jahr = 0;
    QList<Treffer> treffer;
};

KalenderFunde durchsuchen(const KalenderDatei &k, const QString &gefalteterBegriff)
{
    const QList<QStringList> tage = tablefile::readTexts(k.jahrPfad(),
        { QStringLiteral("Datum"), QStringLiteral("Text"), QStringLiteral("Notizen") });
    KalenderFunde funde;
    if (!tage.isEmpty())
        funde.jahr = fieldvalue::isoDate(tage.first().at(0)).year();
    if (gefalteterBegriff.isEmpty())
        return funde;
    for (const QStringList &tag : tage) {
        const bool imText = falten(tag.at(1)).contains(gefalteterBegriff);
        if (!imText && !falten(tag.at(2)).contains(gefalteterBegriff))
            continue;
        funde.treffer.append(
            { fieldvalue::isoDate(tag.at(0)), k.qvkPfad(), tag.at(1), tag.at(2), imText });
    }
    return funde;
}

} // namespace

SuchText suchFaltung(const QString &text)
{
    SuchText ergebnis;
    Faltung s { {}, &ergebnis.herkunft };
    s.text.reserve(text.size());
    for (int i = 0; i < text.size(); ++i)
        zeichenFalten(s, text.at(i), i);
    ergebnis.text = std::move(s.text);
    return ergebnis;
}

std::optional<Fundstelle> fundstelle(const QString &text, const QString &gefalteterBegriff)
{
    if (gefalteterBegriff.isEmpty())
        return std::nullopt;
    const SuchText s = suchFaltung(text);
    const qsizetype at = s.text.indexOf(gefalteterBegriff);
    if (at < 0)
        return std::nullopt;
    const int anfang = s.herkunft.at(at);
    const int ende = s.herkunft.at(at + gefalteterBegriff.size() - 1) + 1;
    return Fundstelle { anfang, ende - anfang };
}

QString Treffer::anzeige() const
{
    if (imText)
        return text;
    return notizen.simplified();
}

QString Treffer::zeile() const
{
    return datum.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(';')
        + QFileInfo(kalender).fileName() + QLatin1Char(';') + anzeige().simplified();
}

QList<Treffer> kalenderDurchsuchen(const KalenderDatei &kalender, const QString &begriff)
{
    return durchsuchen(kalender, falten(begriff.trimmed())).treffer;
}

QStringList kalenderIn(const QString &verzeichnis)
{
    QStringList pfade;
    const QDir dir(verzeichnis);
    const QStringList namen = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : namen) {
        if (KalenderDatei::istKalenderdatei(name))
            pfade.append(dir.filePath(name));
    }
    return pfade;
}

Suchergebnis Kalendersuche::suchen(const QStringList &kalenderdateien, const QString &begriff)
{
    const QString gefaltet = falten(begriff.trimmed());
    Suchergebnis ergebnis;
    QList<KalenderFunde> alle;
    for (const QString &pfad : kalenderdateien) {
        const auto bekannt = m_uebersprungen.constFind(pfad);
        if (bekannt != m_uebersprungen.constEnd()) {
            ergebnis.uebersprungen.append({ pfad, *bekannt });
            continue;
        }
        try {
            alle.append(durchsuchen(KalenderDatei::vorhanden(pfad), gefaltet));
        } catch (const Error &e) {
            m_uebersprungen.insert(pfad, e.message());
            ergebnis.uebersprungen.append({ pfad, e.message() });
        }
    }
    // The newest year first; calendars of one year keep the order they were given in.
    std::stable_sort(alle.begin(), alle.end(),
        [](const KalenderFunde &a, const KalenderFunde &b) { return a.jahr > b.jahr; });
    for (const KalenderFunde &f : alle)
        ergebnis.treffer += f.treffer;
    return ergebnis;
}

} // namespace kb
