#include "entry/EnregistrementPoints.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "data/BaseDonnees.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"

#include <memory>

namespace {

const QString rienEnregistre = QStringLiteral("Rien n'a été enregistré : %1");

std::optional<NomVerifie> tablePluie(const QString& code, QString& erreur)
{
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
    if (!table)
        erreur = rienEnregistre.arg(MessageNomRefuse(code));
    return table;
}

// Le travail dans sa transaction ; l'erreur de la base dite en une ligne s'il échoue.
bool toutOuRien(BaseDonnees& base, QString& erreur, const std::function<bool()>& travail)
{
    if (base.ToutOuRien(travail))
        return true;
    if (erreur.isEmpty())
        erreur = rienEnregistre.arg(base.DerniereErreur());
    return false;
}

bool supprimer(BaseDonnees& base, const NomVerifie& table, const QDate& debut, const QDate& fin)
{
    return base.Execute("DELETE FROM " + table + " WHERE DateCreation>=" + FormatDateBase(debut)
                        + " AND DateCreation<=" + FormatDateBase(fin));
}

// Le point le plus proche du trou d'un côté : sa date et son heure, s'il existe.
bool marquerRupture(BaseDonnees& base, const NomVerifie& table, const OrdreSql& cherche, const OrdreSql& marque)
{
    TableauValeurs lignes;
    qint32 n = 0;
    if (!base.ExtraireRecords(cherche, lignes, n))
        return false;
    if (n < 1)
        return true;
    const auto jour = DateDepuisCellule(lignes.valeur(0, 0));
    const QString heure = TexteCellule(lignes.valeur(1, 0));
    return jour && base.Execute("UPDATE " + table + marque + " WHERE DateCreation=" + FormatDateBase(jour->date())
                                + " AND Heure=" + FormatHeureBase(heure));
}

EnregistrementPoints::Etat lire(const EnregistrementPoints::Ligne& l, QDate& date, QTime& heure, double& valeur)
{
    using Etat = EnregistrementPoints::Etat;
    if (!l.remplie)
        return Etat::Vide;
    if (l.date.trimmed().isEmpty() || l.heure.trimmed().isEmpty())
        return Etat::Incomplete;
    const auto d = LireDate(l.date.trimmed());
    const auto h = LireHeure(l.heure.trimmed());
    const auto v = ConvertirNombre(l.valeur.trimmed());
    if (!d || !h || !v)
        return Etat::Illisible;
    date = *d;
    heure = *h;
    valeur = v->toDouble();
    return Etat::Enregistree;
}

// Une ligne lisible écrite à sa date et son heure, à la place de celle qui s'y
// trouverait. La période a déjà été vidée : seule une ligne répétée de la grille
// peut y être, et la dernière l'emporte. (Un jeu d'enregistrements ne sert pas
// ici : les tables de séries SQLite, rangées par leur clé, n'ont pas d'identité
// de ligne à rouvrir.)
bool ecrireLigne(BaseDonnees& base, const NomVerifie& table, const QDate& date, const QTime& heure, double valeur,
                 bool rupture)
{
    const OrdreSql instant = " WHERE DateCreation=" + FormatDateBase(date) + " AND Heure=" + FormatHeureBase(TexteHeure(heure));
    return base.Execute("DELETE FROM " + table + instant)
        && base.Execute("INSERT INTO " + table + " (DateCreation, Heure, Pluie, Continuite, ModeObtention) VALUES ("
                        + TexteSqlDate(date) + " , " + TexteSqlHeure(heure) + " , " + OrdreSql::reel(valeur) + " , "
                        + OrdreSql::entier(rupture ? 1 : 0) + " , 'M')");
}

} // namespace

bool EnregistrementPoints::enregistrerGrille(BaseDonnees& base, const QString& code, const QDate& debut,
                                             const QDate& fin, const QList<Ligne>& lignes, Bilan& bilan,
                                             QString& erreur, const std::function<void(int)>& pourcent)
{
    const auto table = tablePluie(code, erreur);
    if (!table)
        return false;
    Bilan b;
    const bool ok = toutOuRien(base, erreur, [&] {
        if (!supprimer(base, *table, debut, fin))
            return false;
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            if (pourcent)
                pourcent(int(100 * i / (lignes.size() + 1)));
            QDate date;
            QTime heure;
            double valeur = 0;
            const Etat etat = lire(lignes[i], date, heure, valeur);
            b.etats << etat;
            if (etat == Etat::Incomplete || etat == Etat::Illisible)
                ++b.ecartees;
            if (etat != Etat::Enregistree)
                continue;
            if (!ecrireLigne(base, *table, date, heure, valeur, !lignes[i].rupture.trimmed().isEmpty()))
                return false;
            ++b.enregistrees;
        }
        return true;
    });
    if (pourcent)
        pourcent(100);
    bilan = b;
    return ok;
}

bool EnregistrementPoints::enregistrerPointsPoses(BaseDonnees& base, const QString& code,
                                                  const QList<std::pair<QDate, double>>& points, QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    if (!table || points.isEmpty())
        return false;
    return toutOuRien(base, erreur, [&] {
        if (!supprimer(base, *table, points.first().first, points.last().first))
            return false;
        for (const auto& [date, valeur] : points)
            // Les colonnes nommées : les tables de pluie ont des colonnes de plus que ces sept valeurs.
            if (!base.Execute("INSERT INTO " + *table + " (DateCreation, Heure, Pluie, Continuite, ModeObtention, Validite, "
                              "Commentaire) VALUES (" + TexteSqlDate(date) + " , '12:00:00' , "
                              + TexteSqlNombre(valeur) + " , 0 , 'C' , 0 , '')"))
                return false;
        return true;
    });
}

bool EnregistrementPoints::supprimerPlage(BaseDonnees& base, const QString& code, const QDate& premier,
                                          const QDate& dernier, QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    if (!table)
        return false;
    return toutOuRien(base, erreur, [&] {
        return base.Execute("DELETE FROM " + *table + " WHERE DateCreation >=" + FormatDateBase(premier)
                            + " AND DateCreation <=" + FormatDateBase(dernier))
            && marquerRupture(base, *table,
                              "SELECT DateCreation, Heure FROM " + *table + " WHERE DateCreation <="
                                  + FormatDateBase(premier) + " ORDER bY DateCreation DESC",
                              " SET Continuite=1,ModeObtention='M'")
            && marquerRupture(base, *table,
                              "SELECT DateCreation, Heure FROM " + *table + " WHERE DateCreation >="
                                  + FormatDateBase(dernier) + " ORDER bY DateCreation ASC",
                              " SET Continuite=1, ModeObtention='M'");
    });
}
