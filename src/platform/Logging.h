#pragma once

#include <QLoggingCategory>

// The program's logging categories, one per subsystem. Info and above are on; debug output
// is switched on per category, e.g. QT_LOGGING_RULES="kb.storage.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcStorage)
Q_DECLARE_LOGGING_CATEGORY(lcCaldata)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
Q_DECLARE_LOGGING_CATEGORY(lcReport)
Q_DECLARE_LOGGING_CATEGORY(lcPrinting)
Q_DECLARE_LOGGING_CATEGORY(lcDays)
Q_DECLARE_LOGGING_CATEGORY(lcPictures)
Q_DECLARE_LOGGING_CATEGORY(lcDesigner)
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
Q_DECLARE_LOGGING_CATEGORY(lcShell)
Q_DECLARE_LOGGING_CATEGORY(lcCli)
