#pragma once

#include "platform/PictureDecode.h"

#include <QImage>
#include <QString>
#include <QVariant>

namespace kb::report {

// The records a report walks: the engine knows nothing of tables, only this cursor.
// After next() has passed the last record eof() is true and the cursor still answers with the
// last record's values (page footers printed at the end read them).
class DataSet {
public:
    virtual ~DataSet() = default;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // The current record's value of `field`; an invalid QVariant for an unknown field or when
    // there is no record at all.
    virtual QVariant value(const QString &field) const = 0;
    // The current record's picture in a graphic field; a null image when it holds none.
    virtual QImage image(const QString &field) const = 0;
    // The picture as it prints in a box: at most `fit` (see PictureFit), so a large picture is
    // not kept at full size for a small box. Data sets reading stored pictures decode each
    // distinct picture once and refuse one that is too large (kb::Error).
    virtual QImage picture(const QString &field, const PictureFit &fit) const;
};

} // namespace kb::report
