#pragma once

// Les formes d'ordres que le système envoie à la base, mot pour mot, avec
// les littéraux de FormatDateBase et FormatHeureBase sous le typeBase courant.
// Chaque fonction dit d'où vient la forme.

#include "data/Litteraux.h"

#include <QString>

namespace ordres {

inline QString litteral(const QString& date, bool avecHeure = false)
{
    return FormatDateBase(date, avecHeure).texte();
}

// Chargement : dates de chargement d'un pluviomètre.
inline QString datesChargement(const QString& code)
{
    return "SELECT Min(DateCreation), Max(DateCreation) FROM PLUVIO_" + code;
}

// Chargement : années des statistiques.
inline QString anneesStatistiques(const QString& code)
{
    return "SELECT Min(CDate('01/01/' & Year(DateCreation))),Max(CDate('01/01/' & Year(DateCreation))) FROM PLUVIO_" + code;
}

// Piézomètres : bornes de l'axe.
inline QString bornesPiezometre(const QString& code, const QString& debut, const QString& fin)
{
    return "SELECT Min(Valeur), Max(Valeur) FROM PZ_" + code
        + " WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation & ' ' & Heure) >= "
        + litteral(debut, true) + " AND CVDATE(DateCreation & ' ' & Heure) <=" + litteral(fin, true);
}

// Piézomètres : la série, décalage écrit tel quel après le signe plus.
inline QString seriePiezometre(const QString& code, const QString& debut, const QString& fin, const QString& decalage)
{
    return "SELECT DateCreation, Heure, Valeur+" + decalage + " , Validite, Continuite, ModeObtention FROM PZ_" + code
        + " WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation & ' ' & Heure) >="
        + litteral(debut, true) + " AND CVDATE(DateCreation & ' ' & Heure) <=" + litteral(fin, true)
        + " ORDER BY DateCreation, Heure";
}

// Stations hydrométriques : bornes de l'axe.
inline QString bornesRiviere(const QString& code, const QString& colonne, const QString& debut, const QString& fin)
{
    return "SELECT Min(" + colonne + "), Max(" + colonne + ") FROM HYDRO_" + code
        + " WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation & ' ' & Heure) >= "
        + litteral(debut, true) + " AND CVDATE(DateCreation & ' ' & Heure) <=" + litteral(fin, true);
}

// Stations hydrométriques : la série.
inline QString serieRiviere(const QString& code, const QString& colonne, const QString& debut, const QString& fin)
{
    return "SELECT DateCreation, Heure, " + colonne + " , Validite, Continuite, ModeObtention FROM HYDRO_" + code
        + " WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation & ' ' & Heure) >="
        + litteral(debut, true) + " AND CVDATE(DateCreation & ' ' & Heure) <=" + litteral(fin, true)
        + " ORDER BY DateCreation, Heure";
}

inline QString regroupementParPeriode(const QString& x)
{
    return " GROUP BY " + x + " & year(DateCreation), '12:00:00' , '', '', '', year(DateCreation) & " + x
        + "_inverse ORDER BY year(DateCreation) & " + x + "_inverse, " + x
        + " & year(DateCreation), '12:00:00' , '', '', ''";
}

// Cumuls de pluie : sommes par période avec bornes d'années (graphique annuel,
// comparaison aux normales).
inline QString sommesAvecBornesAnnees(const QString& x, const QString& c, const QString& code, const QString& debut,
                                      const QString& fin, const QString& table = QStringLiteral("PLUVIO_"))
{
    return "SELECT " + x + " & year(DateCreation), '12:00:00', SUM(" + c + ") , '', '', '', year(DateCreation) & " + x
        + "_inverse FROM " + table + code + ", PERIODES WHERE year(DateCreation) >= '" + debut.right(4)
        + "' AND year(DateCreation) <='" + fin.right(4)
        + "' AND Instr(1,DateCreation,jour) AND (ModeObtention<>'I' OR ModeObtention IS NULL) AND DateCreation >="
        + litteral(debut, true) + " AND DateCreation <=" + litteral(fin, true) + regroupementParPeriode(x);
}

// Cumuls de pluie : sommes par période (édition, superposition, pluie sur deux graphiques).
inline QString sommesParPeriode(const QString& x, const QString& c, const QString& code, const QString& debut,
                                const QString& fin)
{
    return "SELECT " + x + " & year(DateCreation), '12:00:00', SUM(" + c + ") , '', '', '', year(DateCreation) & " + x
        + "_inverse FROM PLUVIO_" + code + ", PERIODES WHERE year(DateCreation) >= '" + debut.right(4)
        + "' AND year(DateCreation) <='" + fin.right(4)
        + "' AND Instr(1, DateCreation, jour) AND (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation) >="
        + litteral(debut, true) + " AND CVDATE(DateCreation) <=" + litteral(fin, true) + regroupementParPeriode(x);
}

// Cumuls de pluie : sommes par année hydrologique.
inline QString sommesHydro(const QString& c, const QString& code, const QString& debut, const QString& fin)
{
    const QString x = QStringLiteral("Hydro");
    return "SELECT " + x + " & year(DateCreation), '12:00:00', SUM(" + c + ") , '', '', '', year(DateCreation) & " + x
        + "_inverse FROM PLUVIO_" + code
        + ", PERIODES WHERE Instr(1,DateCreation,jour) AND (ModeObtention<>'I' OR ModeObtention IS NULL) AND DateCreation >="
        + litteral(debut) + " AND DateCreation <=" + litteral(fin) + regroupementParPeriode(x);
}

// Cumuls de pluie : squelette des périodes ; `filtre` vaut "dateValue(DateCreation)"
// sous Access, "CVDate(DateCreation)" sous PostgreSQL et pour l'année hydrologique.
inline QString squelette(const QString& x, const QString& debut, const QString& fin, const QString& filtre)
{
    return "select distinct * from (SELECT DISTINCT " + x + " & Num_Annee  as DateCreation, Num_Annee & " + x
        + "_inverse as  date_inverse FROM PERIODES, ANNEES WHERE (jour<>'29/02/' or cint(num_annee) mod 400 = 0 or "
          "(cint(num_annee) mod 4 = 0 and cint(num_annee) mod 100 <> 0)) AND Num_annee >= year("
        + litteral(debut) + ") AND Num_annee <= year(" + litteral(fin) + ")) AS SReq WHERE " + filtre + " >="
        + litteral(debut) + " AND " + filtre + " <=" + litteral(fin) + " ORDER BY date_inverse";
}

inline QString filtreSquelette(const QString& typeBase)
{
    return typeBase == QStringLiteral("ACCESS") ? QStringLiteral("dateValue(DateCreation)") : QStringLiteral("CVDate(DateCreation)");
}

// Comparaison des cumuls annuels au jour de l'année.
inline QString cumulJusquAuJour(const QString& c, const QString& code, const QString& debut, const QString& fin)
{
    return "SELECT SUM(" + c + ") FROM PLUVIO_" + code + " WHERE DateCreation >= " + litteral(debut)
        + " AND DateCreation <=" + litteral(fin) + " AND (ModeObtention<>'I' OR ModeObtention IS NULL)";
}

// Totaux mensuels par année : maximum de l'axe.
inline QString maximumTotauxMensuels(const QString& c, const QString& code, int premiere, int derniere)
{
    return "SELECT dateAnnee, sum(valeur) from (SELECT month(DateCreation) as dateMois, year(dateCreation) as dateAnnee, sum("
        + c + ") as valeur From PLUVIO_" + code + " where DateCreation>=" + litteral(QStringLiteral("01/01/%1").arg(premiere))
        + " AND DateCreation<=" + litteral(QStringLiteral("31/12/%1").arg(derniere))
        + " group by  month(DateCreation), year(dateCreation)) as pluvio Group By dateAnnee order by sum(valeur) DESC";
}

// Totaux mensuels par année ; la sous-requête diffère sous Access.
inline QString totauxMensuels(const QString& c, const QString& code, int premiere, int derniere, const QString& typeBase)
{
    const QString interne = typeBase == QStringLiteral("ACCESS")
        ? QStringLiteral("(SELECT cstr(month(DateCreation)) as dateMois, cstr(year(dateCreation)) as dateAnnee ,sum(")
        : QStringLiteral("(SELECT month(DateCreation) as dateMois, year(dateCreation) as dateAnnee ,sum(");
    return "SELECT dateMois + '/' + dateAnnee, avg(valeur) from " + interne + c + ") as valeur From PLUVIO_" + code
        + " where DateCreation>=" + litteral(QStringLiteral("01/01/%1").arg(premiere))
        + " AND DateCreation<=" + litteral(QStringLiteral("31/12/%1").arg(derniere))
        + " group by  month(DateCreation), year(dateCreation))  as pluvio Group By dateMois + '/' + dateAnnee order by "
          "dateMois + '/' + dateAnnee ASC";
}

// Totaux mensuels par année hydrologique.
inline QString totauxMensuelsHydro(const QString& c, const QString& code, int premiere, int derniere)
{
    return "SELECT dateMois + '/' + dateAnnee, avg(valeur) FROM (SELECT month(DateCreation) as dateMois, year(dateCreation) "
           "as dateAnnee ,sum("
        + c + ") as valeur From PLUVIO_" + code + " where DateCreation>=" + litteral(QStringLiteral("01/01/%1").arg(premiere))
        + " AND DateCreation<=" + litteral(QStringLiteral("31/12/%1").arg(derniere))
        + " GROUP BY month(DateCreation), year(dateCreation)) as pluvio  GROUP BY dateMois + '/' + dateAnnee ORDER BY "
          "dateMois + '/' + dateAnnee ASC";
}

// Courbe de référence : échelles.
inline QString echellesReference(const QString& code)
{
    return "SELECT Min_annee, Max_annee, iterations_annee, grilleX_annee, grilleY_annee, unite FROM PLUVIOMETRES_ECHELLES "
           "WHERE codePluvio='REF_"
        + code + "'";
}

// Statistiques : enveloppe mensuelle ; `y` : les quatre derniers caractères de la première année.
inline QString enveloppe(const QString& c, const QString& code, const QString& premiere, const QString& derniere)
{
    const QString y = premiere.right(4);
    return "SELECT '01/' & mois & '/" + y
        + "', min(valeur), avg(valeur), max(valeur) from (SELECT trim(Format(Month(DateCreation),'00')) as mois, "
          "Year(DateCreation) ,sum("
        + c + ") as valeur From PLUVIO_" + code + " where DateCreation>=" + litteral("01/01/" + premiere)
        + " AND DateCreation<=" + litteral("31/12/" + derniere)
        + " group by  trim(Format(Month(DateCreation),'00')), Year(DateCreation)) AS SReq Group By '01/' & mois & '/" + y
        + "' ";
}

// Statistiques : totaux par année et par mois pour les quintiles.
inline QString totauxQuintiles(const QString& c, const QString& code, const QString& premiere, const QString& derniere)
{
    return "SELECT Month(DateCreation), year(DateCreation), sum(" + c + ") FROM PLUVIO_" + code
        + " where DateCreation>=" + litteral("01/01/" + premiere) + " AND DateCreation<=" + litteral("31/12/" + derniere)
        + " group by Month(DateCreation), year(DateCreation)";
}

// Statistiques : médiane, forme mensuelle.
inline QString medianeMensuelle(const QString& c, const QString& code, int premiere, int derniere)
{
    return "SELECT Val (Mid(mois, 1, 2)), mesures.valeur FROM (SELECT  Month(DateCreation) & ' ' & Year(DateCreation) as "
           "mois, sum(PLUVIO_"
        + code + "." + c + ") as valeur FROM  PLUVIO_" + code + "  WHERE year(DateCreation)<=" + QString::number(derniere)
        + " AND year(DateCreation)>=" + QString::number(premiere)
        + " AND Pluie IS NOT NULL  GROUP BY  Month(DateCreation) & ' ' & Year(DateCreation)) mesures ORDER BY 1,2";
}

// Statistiques : médiane, forme annuelle.
inline QString medianeAnnuelle(const QString& c, const QString& code, int premiere, int derniere)
{
    return "SELECT annee, mesures.valeur FROM (SELECT  Year(DateCreation) as annee, sum(PLUVIO_" + code + "." + c
        + ") as valeur FROM  PLUVIO_" + code + "  WHERE year(DateCreation)<=" + QString::number(derniere)
        + " AND year(DateCreation)>=" + QString::number(premiere)
        + " AND Pluie IS NOT NULL  GROUP BY  Year(DateCreation)) mesures ORDER BY 1,2";
}

// Statistiques : normales par mois, code sans guillemets.
inline QString normalesMensuelles(const QString& colonne, const QString& code)
{
    return "SELECT mois, " + colonne + " FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=" + code
        + " AND mois>=1 AND Mois<=12 ORDER BY 1,2";
}

// Statistiques : normale de l'année.
inline QString normaleAnnuelle(const QString& colonne, const QString& code)
{
    return "SELECT " + colonne + " FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=" + code + " AND mois=13";
}

// Saisie : suppression de la période chargée (enregistrement de la grille).
inline QString supprimerPeriodeChargee(const QString& code, const QString& debut, const QString& fin)
{
    return "DELETE FROM PLUVIO_" + code + " WHERE DateCreation>=" + litteral(debut) + " AND DateCreation<=" + litteral(fin);
}

// Saisie : recherche de la ligne d'une date et d'une heure (AccesBase).
inline QString rechercheLigne(const QString& code, const QString& date, const QString& heure)
{
    return "SELECT * FROM PLUVIO_" + code + " WHERE Date=" + litteral(date) + " AND Heure=" + FormatHeureBase(heure).texte();
}

// Saisie : suppression des points entre deux dates (points du graphique, plage effacée).
inline QString supprimerPoints(const QString& code, const QString& premier, const QString& dernier)
{
    return "DELETE FROM PLUVIO_" + code + " WHERE DateCreation >=" + litteral(premier) + " AND DateCreation <="
        + litteral(dernier);
}

// Saisie : un point ajouté sur le graphique, sept valeurs sans noms de colonnes.
inline QString insererPoint(const QString& code, const QString& date, const QString& valeur)
{
    return "INSERT INTO PLUVIO_" + code + " VALUES ('" + date + "' , '12:00:00' , '" + valeur + "' , 0 , 'C' , 0 , '')";
}

// Saisie : le point juste avant le trou.
inline QString pointAvant(const QString& code, const QString& date)
{
    return "SELECT DateCreation, Heure FROM PLUVIO_" + code + " WHERE DateCreation <=" + litteral(date)
        + " ORDER bY DateCreation DESC";
}

// Saisie : le point juste après le trou.
inline QString pointApres(const QString& code, const QString& date)
{
    return "SELECT DateCreation, Heure FROM PLUVIO_" + code + " WHERE DateCreation >=" + litteral(date)
        + " ORDER bY DateCreation ASC";
}

// Saisie : rupture sur le point avant le trou.
inline QString ruptureAvant(const QString& code, const QString& date, const QString& heure)
{
    return "UPDATE PLUVIO_" + code + " SET Continuite=1,ModeObtention='M' WHERE DateCreation=" + litteral(date)
        + " AND Heure=" + FormatHeureBase(heure).texte();
}

// Saisie : rupture sur le point après le trou.
inline QString ruptureApres(const QString& code, const QString& date, const QString& heure)
{
    return "UPDATE PLUVIO_" + code + " SET Continuite=1, ModeObtention='M' WHERE DateCreation=" + litteral(date)
        + " AND Heure=" + FormatHeureBase(heure).texte();
}

// Paramètres en table : suppression, écriture, lecture.
inline QString supprimerParametre(const QString& nom, const QString& login)
{
    return "DELETE FROM UTILISATEURS_PARAMETRES where parametre='" + nom + "' and login='" + login + "'";
}

inline QString ecrireParametre(const QString& login, const QString& nom, const QString& valeur, const QString& maintenant,
                               const QString& typeBase)
{
    QString v = valeur;
    QString ouverture = QStringLiteral(",'");
    if (typeBase == QStringLiteral("POSTGRESQL")) {
        v.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
        ouverture = QStringLiteral(",E'");
    }
    return "INSERT INTO UTILISATEURS_PARAMETRES values ('" + login + "','" + nom + "'" + ouverture + v + "',"
        + litteral(maintenant, true) + ")";
}

inline QString lireParametre(const QString& nom, const QString& login)
{
    return "SELECT valeur FROM UTILISATEURS_PARAMETRES where parametre='" + nom + "' and login='" + login + "'";
}

} // namespace ordres
