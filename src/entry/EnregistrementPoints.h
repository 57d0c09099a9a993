#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <utility>

class BaseDonnees;

// Les écritures de la saisie des points de pluie dans la table PLUVIO_<code>,
// chacune tout ou rien : si un seul ordre échoue, la table reste exactement
// comme avant et `erreur` dit, en français, que rien n'a été enregistré.
class EnregistrementPoints
{
public:
    // Une ligne de la grille des points, telle que saisie.
    struct Ligne
    {
        QString date, heure, valeur, rupture;
        bool remplie = true;
    };
    enum class Etat {
        Enregistree,
        Vide,         // rien dans la ligne : ni lue ni écrite
        Incomplete,   // date ou heure manquante
        Illisible     // date, heure ou valeur qui ne se lit pas
    };
    struct Bilan
    {
        QList<Etat> etats;   // une par ligne
        int enregistrees = 0;
        int ecartees = 0;    // incomplètes ou illisibles
    };

    // La grille entière : la période chargée est supprimée, puis chaque ligne
    // lisible est écrite ("M", rupture d'après la colonne Rupt).
    static bool enregistrerGrille(BaseDonnees& base, const QString& code, const QDate& debut, const QDate& fin,
                                  const QList<Ligne>& lignes, Bilan& bilan, QString& erreur,
                                  const std::function<void(int pourcent)>& pourcent = {});
    // Les points posés sur le graphique : de la première à la dernière date,
    // les mesures sont remplacées par ces points, à midi, obtenus "C".
    static bool enregistrerPointsPoses(BaseDonnees& base, const QString& code,
                                       const QList<std::pair<QDate, double>>& points, QString& erreur);
    // Les mesures du `premier` au `dernier` jour supprimées ; les mesures qui
    // bordent le trou, de chaque côté, marquent une rupture de continuité.
    static bool supprimerPlage(BaseDonnees& base, const QString& code, const QDate& premier, const QDate& dernier,
                               QString& erreur);
};
