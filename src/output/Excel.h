#pragma once

#include <QObject>
#include <QString>

// Extension des classeurs qu'écrit une application, d'après son texte `version`
// ("16.0") : "xlsx" dès la version 12, "xls" avant, ou quand l'application ou
// sa version manque.
QString ExtensionExcel(QObject* application);
