#include "output/Excel.h"

#include "commun/AppelParNom.h"

namespace {
constexpr int premiereVersionXlsx = 12;
}

QString ExtensionExcel(QObject* application)
{
    const QString version = LireMembre(application, QStringLiteral("version")).toString();
    bool ok = false;
    const int majeure = version.section(u'.', 0, 0).trimmed().toInt(&ok);
    return ok && majeure >= premiereVersionXlsx ? QStringLiteral("xlsx") : QStringLiteral("xls");
}
