#include "platform/Logging.h"

Q_LOGGING_CATEGORY(lcPlatform, "kb.platform", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "kb.storage", QtInfoMsg)
Q_LOGGING_CATEGORY(lcCaldata, "kb.caldata", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSettings, "kb.settings", QtInfoMsg)
Q_LOGGING_CATEGORY(lcReport, "kb.report", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPrinting, "kb.printing", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDays, "kb.days", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPictures, "kb.pictures", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDesigner, "kb.designer", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWidgets, "kb.widgets", QtInfoMsg)
Q_LOGGING_CATEGORY(lcShell, "kb.shell", QtInfoMsg)
Q_LOGGING_CATEGORY(lcCli, "kb.cli", QtInfoMsg)
