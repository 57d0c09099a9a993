#include "output/Excel.h"

#include "commun/AppelParNom.h"
#include "output/tableur/ApplicationTableur.h"

namespace {
constexpr int premiereVersionXlsx = 12;
}

QObject* ObtenirExcel(QObject* parent)
{
    return new ApplicationTableur(parent);
}

QString ExtensionExcel(QObject* application)
{
    const QString version = LireMembre(application, QStringLiteral("version")).toString();
    bool ok = false;
    const int majeure = version.section(u'.', 0, 0).trimmed().toInt(&ok);
    return ok && majeure >= premiereVersionXlsx ? QStringLiteral("xlsx") : QStringLiteral("xls");
}
