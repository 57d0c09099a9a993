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

// Types de contenu.
inline constexpr char kTypeClasseur[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr char kTypeFeuille[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr char kTypeStyles[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr char kTypeTextes[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr char kTypeProprietesBase[] = "application/vnd.openxmlformats-package.core-properties+xml";
inline constexpr char kTypeProprietesApplication[] =
    "application/vnd.openxmlformats-officedocument.extended-properties+xml";

// xl/workbook.xml : les feuilles dans l'ordre, chacune avec sa relation.
QByteArray Classeur(const QStringList& nomsFeuilles, const QStringList& idsRelations);
// docProps/app.xml.
QByteArray ProprietesApplication();
// docProps/core.xml, créé et modifié à `instant`.
QByteArray ProprietesBase(const QDateTime& instant);

} // namespace PartiesClasseur
