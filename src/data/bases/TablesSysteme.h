#pragma once

#include <QString>
#include <QStringList>

// Les tables que le système lit ou écrit : la liste des stations, le
// calendrier, les normales, les échelles des courbes de référence, les
// paramètres quand l'hôte en garde dans la base, et une table de mesures par
// station (PLUVIO_, PZ_, HYDRO_, COURBE_REF_PLUVIO_ suivis du code).
class TablesSysteme
{
public:
    static bool estDuSysteme(const QString& table);
    // Nommée comme une table de mesures, mais d'un nom que la vérification
    // refuse : aucun ordre du système ne la lit ni ne l'écrit.
    static bool estMesuresAuNomRefuse(const QString& table);
    // Rang dans l'ordre de copie : le calendrier et les tables de référence
    // d'abord, les mesures ensuite, la liste des stations en dernier.
    static int rang(const QString& table);
    // PostgreSQL rend les noms en minuscules : le nom tel que le système
    // l'écrit, le code de la station repris de la liste des stations.
    static QString nomTable(const QString& lu, const QStringList& codesStations);
    static QString nomColonne(const QString& table, const QString& lue);
};
