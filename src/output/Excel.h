#pragma once

#include <QObject>
#include <QString>

// File extension of the workbooks an application writes, from its `version`
// text ("16.0"): "xlsx" from version 12 on, "xls" before, or when the
// application or its version is missing.
QString ExtensionExcel(QObject* application);
