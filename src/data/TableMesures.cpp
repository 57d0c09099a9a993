#include "data/TableMesures.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "data/BaseDonnees.h"
#include "data/Litteraux.h"

#include <QStringList>

namespace {

const QString colonneDate = QStringLiteral("DateCreation");
const QString colonneHeure = QStringLiteral("Heure");

// Les colonnes de la table, vérifiées ; rien si l'une ne passe pas ou si la table n'a pas ses deux colonnes d'instant.
std::optional<QList<ColonneTable>> colonnes(BaseDonnees& base, const NomVerifie& table)
{
    const QList<ColonneTable> toutes = base.ColonnesTable(table.texte());
    bool date = false, heure = false;
    for (const ColonneTable& c : toutes) {
        if (!EstNomVerifie(c.nom))
            return std::nullopt;
        date = date || c.nom.compare(colonneDate, Qt::CaseInsensitive) == 0;
        heure = heure || c.nom.compare(colonneHeure, Qt::CaseInsensitive) == 0;
    }
    if (!date || !heure)
        return std::nullopt;
    return toutes;
}

} // namespace

std::optional<QList<LigneMesure>> TableMesures::lire(BaseDonnees& base, const NomVerifie& table, const QDate& debut,
                                                     const QDate& fin)
{
    const auto cols = colonnes(base, table);
    if (!cols)
        return std::nullopt;
    QStringList noms;
    for (const ColonneTable& c : *cols)
        noms << c.nom;
    TableauValeurs t;
    qint32 n = 0;
    if (!base.ExtraireRecords("SELECT " + OrdreSql::sansVerification(noms.join(u',')) + " FROM " + table
                                  + " WHERE DateCreation>=" + LitteralDate(debut, base.typeBase())
                                  + " AND DateCreation<=" + LitteralDate(fin, base.typeBase())
                                  + " ORDER BY DateCreation, Heure",
                              t, n))
        return std::nullopt;
    QList<LigneMesure> lignes;
    lignes.reserve(n);
    for (int r = 0; r < n; ++r) {
        LigneMesure l;
        for (int c = 0; c < cols->size(); ++c) {
            const QString& nom = (*cols)[c].nom;
            if (nom.compare(colonneDate, Qt::CaseInsensitive) == 0)
                l.date = DateDepuisCellule(t.valeur(c, r)).value_or(QDateTime()).date();
            else if (nom.compare(colonneHeure, Qt::CaseInsensitive) == 0)
                l.heure = HeureDepuisCellule(t.valeur(c, r));
            else
                // Un texte vide reste un texte vide : seul NULL est sans valeur.
                l.colonnes.insert(nom.toLower(), t.valeur(c, r));
        }
        lignes << l;
    }
    return lignes;
}
