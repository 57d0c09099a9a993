#include "data/bases/TablesSysteme.h"

#include "data/NomVerifie.h"

namespace {

struct TableFixe
{
    const char* nom;
    int rang;
};

const TableFixe tablesFixes[] = {
    {"PERIODES", 0}, {"ANNEES", 0}, {"PLUVIOMETRE_NORMALES", 1}, {"PLUVIOMETRES_ECHELLES", 1}, {"PARAMETRES", 1},
    {"HISTORIQUE_MESURES", 2}, {"STATIONS", 3},
};

// L'historique des corrections : HISTORIQUE_MESURES, et toute table qui
// accompagne une table de mesures (HISTORIQUE_PLUVIO_76402001…).
const QString prefixeHistorique = QStringLiteral("HISTORIQUE_");

// Le plus long d'abord : COURBE_REF_PLUVIO_ avant PLUVIO_.
const char* const prefixes[] = {"HISTORIQUE_", "COURBE_REF_PLUVIO_", "PLUVIO_", "PZ_", "HYDRO_"};

const QStringList colonnesPluie = {"DateCreation", "Heure", "Pluie", "Continuite", "ModeObtention", "Validite",
                                   "Commentaire", "PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"};
const QStringList colonnesMesures = {"DateCreation", "Heure", "Valeur", "Validite", "Continuite", "ModeObtention",
                                     "Commentaire", "Debit", "Hauteur"};

// Les colonnes de chaque table, écrites comme le système les écrit.
struct ColonnesConnues
{
    const char* table;  // nom, ou préfixe terminé par "_"
    QStringList colonnes;
};

const ColonnesConnues colonnesConnues[] = {
    {"PLUVIO_", colonnesPluie},
    {"COURBE_REF_PLUVIO_", colonnesPluie},
    {"PZ_", colonnesMesures},
    {"HYDRO_", colonnesMesures},
    {"PLUVIOMETRE_NORMALES", {"codePluviometre", "mois", "valeur", "PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"}},
    {"PLUVIOMETRES_ECHELLES", {"codePluvio", "Min_annee", "Max_annee", "iterations_annee", "grilleX_annee", "grilleY_annee", "unite"}},
    {"PERIODES", {"jour", "Jour_inverse", "Decade", "Decade_inverse", "Mois", "Mois_inverse", "Trimestre", "Trimestre_inverse",
                  "Annee", "Annee_inverse", "Hydro", "Hydro_inverse"}},
    {"ANNEES", {"Num_Annee"}},
    {"STATIONS", {"Code", "Nom", "Genre", "Altitude"}},
    {"HISTORIQUE_MESURES", {"Lot", "TableMesures", "DateMesure", "HeureMesure", "Changement", "AncienneValeur", "AncienMode",
                            "NouvelleValeur", "NouveauMode", "LigneAvant", "LigneApres", "Quand", "Qui", "Origine", "LotAnnule"}},
};


// Le préfixe de mesures que porte le nom, qu'il passe la vérification ou non.
QString prefixeLu(const QString& table)
{
    for (const char* p : prefixes) {
        const QString prefixe = QString::fromLatin1(p);
        if (table.startsWith(prefixe, Qt::CaseInsensitive) && table.size() > prefixe.size())
            return prefixe;
    }
    return QString();
}

QString prefixeDe(const QString& table)
{
    return EstNomVerifie(table) ? prefixeLu(table) : QString();
}

const TableFixe* tableFixe(const QString& table)
{
    for (const TableFixe& t : tablesFixes)
        if (table.compare(QString::fromLatin1(t.nom), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

// La table de mesures qu'une table d'historique accompagne ; vide pour toute autre.
QString tableAccompagnee(const QString& table)
{
    if (!table.startsWith(prefixeHistorique, Qt::CaseInsensitive) || tableFixe(table))
        return QString();
    return table.mid(prefixeHistorique.size());
}

} // namespace

bool TablesSysteme::estDuSysteme(const QString& table)
{
    return tableFixe(table) || !prefixeDe(table).isEmpty();
}

bool TablesSysteme::estMesuresAuNomRefuse(const QString& table)
{
    return !prefixeLu(table).isEmpty() && !EstNomVerifie(table);
}

int TablesSysteme::rang(const QString& table)
{
    const TableFixe* t = tableFixe(table);
    return t ? t->rang : 2;
}

QString TablesSysteme::nomTable(const QString& lu, const QStringList& codesStations)
{
    if (const TableFixe* t = tableFixe(lu))
        return QString::fromLatin1(t->nom);
    if (const QString accompagnee = tableAccompagnee(lu); !accompagnee.isEmpty() && EstNomVerifie(lu))
        return prefixeHistorique + nomTable(accompagnee, codesStations);
    const QString prefixe = prefixeDe(lu);
    if (prefixe.isEmpty())
        return lu;
    const QString code = lu.mid(prefixe.size());
    for (const QString& c : codesStations)
        if (c.compare(code, Qt::CaseInsensitive) == 0)
            return prefixe + c;
    return prefixe + code;
}

QString TablesSysteme::nomColonne(const QString& table, const QString& lue)
{
    // L'historique d'une table de mesures reprend ses colonnes, et en ajoute.
    if (const QString accompagnee = tableAccompagnee(table); !accompagnee.isEmpty())
        return nomColonne(accompagnee, lue);
    const QString prefixe = prefixeDe(table);
    for (const ColonnesConnues& connues : colonnesConnues) {
        const QString t = QString::fromLatin1(connues.table);
        if (t != prefixe && table.compare(t, Qt::CaseInsensitive) != 0)
            continue;
        for (const QString& c : connues.colonnes)
            if (c.compare(lue, Qt::CaseInsensitive) == 0)
                return c;
    }
    return lue;
}
