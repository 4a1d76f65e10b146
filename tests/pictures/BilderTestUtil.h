#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace kb::test {

// A picture whose left half is `links` and right half `rechts`, so a test sees whether it was
// stretched, mirrored or letter-boxed.
QImage zweifarbig(QSize groesse, QColor links = Qt::red, QColor rechts = Qt::blue);

// A real JPEG file of `groesse` made by the program's encoder.
QByteArray testJpeg(QSize groesse, QColor links = Qt::red, QColor rechts = Qt::blue);
// A real Windows bitmap file.
QByteArray testBmp(QSize groesse, QColor links = Qt::red, QColor rechts = Qt::blue);

// `jpeg` with the width and height in its frame header replaced: a file that claims a huge
// picture without holding its data.
QByteArray mitKopfgroesse(QByteArray jpeg, QSize groesse);

// Writes `bytes` to `pfad`; returns `pfad`.
QString bildDatei(const QString &pfad, const QByteArray &bytes);

// True when `a` and `b` differ by at most `toleranz` in each channel (JPEG is lossy).
bool aehnlich(QColor a, QColor b, int toleranz = 24);

} // namespace kb::test
