#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

// Les parties fixes d'un classeur .xlsx et les noms qu'elles partagent.
namespace PartiesClasseur {

inline constexpr char kEspaceTableur[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr char kEspaceRelations[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Types de relation.
inline constexpr char kRelDocument[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr char kRelProprietesBase[] =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
inline constexpr char kRelProprietesApplication[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
inline constexpr char kRelFeuille[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr char kRelStyles[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr char kRelTextes[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
inline constexpr char kRelFeuilleGraphique[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartsheet";
inline constexpr char kRelDessin[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr char kRelGraphique[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chart";
inline constexpr char kRelFormesGraphique[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartUserShapes";

// Types de contenu.
inline constexpr char kTypeClasseur[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr char kTypeFeuille[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr char kTypeStyles[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr char kTypeTextes[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr char kTypeProprietesBase[] = "application/vnd.openxmlformats-package.core-properties+xml";
inline constexpr char kTypeProprietesApplication[] =
    "application/vnd.openxmlformats-officedocument.extended-properties+xml";
inline constexpr char kTypeFeuilleGraphique[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.chartsheet+xml";
inline constexpr char kTypeDessin[] = "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr char kTypeGraphique[] = "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";
inline constexpr char kTypeFormesGraphique[] =
    "application/vnd.openxmlformats-officedocument.drawingml.chartshapes+xml";

// xl/workbook.xml : les feuilles dans l'ordre, chacune avec sa relation ;
// ongletActif : le rang de la feuille affichée à l'ouverture.
QByteArray Classeur(const QStringList& nomsFeuilles, const QStringList& idsRelations, int ongletActif = 0);
// docProps/app.xml.
QByteArray ProprietesApplication();
// docProps/core.xml, créé et modifié à `instant`.
QByteArray ProprietesBase(const QDateTime& instant);

} // namespace PartiesClasseur
