#pragma once

#include <QObject>
#include <QString>

// Le tableur des exports : un objet qui imite le modèle objet d'un tableur
// et écrit de vrais classeurs .xlsx, sans programme extérieur. Il ne manque
// donc jamais ; il appartient à `parent`, ou à l'appelant sans parent.
QObject* ObtenirExcel(QObject* parent = nullptr);

// Extension des classeurs qu'écrit une application, d'après son texte `version`
// ("16.0") : "xlsx" dès la version 12, "xls" avant, ou quand l'application ou
// sa version manque.
QString ExtensionExcel(QObject* application);
