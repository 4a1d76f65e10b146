#pragma once

#include "caldata/KalenderDatei.h"
#include "support/TestUtil.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QString>

namespace kb::test {

// A new calendar "Kalender" of `jahr` for Bayern in `dir`.
KalenderDatei kalender(
    const TempDir &dir, int jahr = 2025, const QString &datei = QStringLiteral("Kalender"));

// Sets text, notes and the reminder flag of one day.
void tagSetzen(const KalenderDatei &k, const QDate &tag, const QString &text,
    const QString &notizen = QString(), bool erinnern = false);

// Every day's text by date.
QMap<QDate, QString> texte(const KalenderDatei &k);

// A VCALENDAR around the events, lines ended with CR LF.
QByteArray ics(const QByteArray &events);

} // namespace kb::test
