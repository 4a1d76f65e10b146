#pragma once

#include "platform/Error.h"
#include "report/Page.h"
#include "support/TestUtil.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kb::test {

// Two A4 pages as a year calendar prints them, with their bands as the paginator records them:
// a framed title, a rule, day rows with texts of different sizes and an empty notes field, a
// shaded Saturday, German text with umlauts, a comma and quotes, a picture and page numbers.
kb::report::Document sampleDocument();

// A text box on a page.
kb::report::TextItem text(const QString &s, double x, double y, double w, double h,
    double pointSize = 10.0, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);

// Runs an external reader; fails the running test when it cannot start or fails.
QByteArray runTool(const QString &program, const QStringList &args);

} // namespace kb::test
