#include "data/ChargeurNappes.h"

#include "commun/Cellule.h"
#include "commun/EchelleNappe.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "model/Classe_Graphiques.h"

namespace ChargeurNappes {

namespace {

const OrdreSql sansInvalides = " WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation & ' ' & Heure) >=";

// Les bornes des mesures élargissent celles de la collection ; une requête en échec les remet à zéro.
void elargirBornes(Classe_Graphiques& c, BaseDonnees* base, const OrdreSql& sql, double decalage)
{
    TableauValeurs lignes;
    if (ExtraireLignes(base, sql, lignes) != 1) {
        c.setMinDonnees(0);
        c.setMaxDonnees(0);
        return;
    }
    if (EstVide(lignes.valeur(0, 0)))
        return;
    const double a = Int(LireNombre(lignes.valeur(0, 0)).value_or(0.0) + decalage);
    if (a < c.MinDonnees())
        c.setMinDonnees(a);
    const double b = Int(LireNombre(lignes.valeur(1, 0)).value_or(0.0) + decalage + 1);
    if (b > c.MaxDonnees())
        c.setMaxDonnees(b);
}

int ajouter(Classe_Graphiques& c, BaseDonnees* base, const OrdreSql& sql, bool viderAvant, int numero,
            const QString& titre)
{
    ColonnesTypees lignes;
    const qint32 n = ExtraireLignes(base, sql, lignes);
    if (n <= 0)
        lignes = ColonnesTypees(6);
    if (viderAvant)
        c.ViderCollection();
    auto courbe = std::make_shared<Classe_Graphique>();
    courbe->setCle(QString::number(numero));
    courbe->setTitre(titre);
    courbe->setCouleur(numero);
    courbe->setAfficher(true);
    c.AjouterCourbe(courbe);
    const int position = c.noCourbe(courbe->Cle());
    if (const CourbePtr cible = c.GetCourbe(position))
        cible->AjouterValeurs(std::move(lignes));
    return position;
}

} // namespace

int chargerPiezometre(Classe_Graphiques& c, const QDate& debut, const QDate& fin, const QString& code,
                      const QString& decalageAxe, const QString& decalageValeurs, const QString& titre,
                      BaseDonnees* base, bool viderAvant, int numero, int typeAffichageEchelle)
{
    const auto table = NomVerifie::table(QStringLiteral("PZ_"), code);
    if (!table)
        return 0;
    // En profondeur, les niveaux restent tels que rangés ; les décalages ne servent qu'en cote.
    const bool cote = EchelleNappe::enCote(typeAffichageEchelle);
    QString axe = cote ? decalageAxe : QStringLiteral("0");
    QString texteValeurs = cote ? decalageValeurs : QStringLiteral("0");
    RemplacerTexte(texteValeurs, QStringLiteral(","), QStringLiteral("."));
    // Seul un nombre entre dans l'ordre.
    const auto nombreValeurs = LireNombre(texteValeurs);
    const OrdreSql valeurs = nombreValeurs ? OrdreSql::reel(*nombreValeurs) : OrdreSql("0");
    const double decalage = LireNombre(axe).value_or(0.0);

    const OrdreSql periode = FormatDateBase(debut, true) + " AND CVDATE(DateCreation & ' ' & Heure) <=" + FormatDateBase(fin, true);
    elargirBornes(c, base, "SELECT Min(Valeur), Max(Valeur) FROM " + *table + sansInvalides + " " + periode, decalage);
    if (c.EchelleYAuto()) {
        c.setMinY(c.MinDonnees());
        c.setMaxY(c.MaxDonnees());
    }
    const OrdreSql sql = "SELECT DateCreation, Heure, Valeur+" + valeurs + " , Validite, Continuite, ModeObtention FROM "
        + *table + sansInvalides + periode + " ORDER BY DateCreation, Heure";
    return ajouter(c, base, sql, viderAvant, numero, titre);
}

int chargerStation(Classe_Graphiques& c, const QDate& debut, const QDate& fin, const QString& code,
                   const QString& titre, BaseDonnees* base, bool viderAvant, int numero, const QString& typeDonnees,
                   const QString& echelle)
{
    const auto table = NomVerifie::table(QStringLiteral("HYDRO_"), code);
    const auto colonne = NomVerifie::depuis(typeDonnees);
    if (!table || !colonne)
        return 0;
    const OrdreSql periode = FormatDateBase(debut, true) + " AND CVDATE(DateCreation & ' ' & Heure) <=" + FormatDateBase(fin, true);
    elargirBornes(c, base, "SELECT Min(" + *colonne + "), Max(" + *colonne + ") FROM " + *table + sansInvalides + " " + periode, 0.0);
    if (c.EchelleYAuto()) {
        if (c.MinDonnees() >= 0)
            c.setMinDonnees(0);
        c.setMinY(c.MinDonnees());
        c.setMaxY(c.MaxDonnees());
    }
    const OrdreSql sql = "SELECT DateCreation, Heure, " + *colonne + " , Validite, Continuite, ModeObtention FROM " + *table
        + sansInvalides + periode + " ORDER BY DateCreation, Heure";
    return ajouter(c, base, sql, viderAvant, numero, titre + QStringLiteral(" (") + echelle + u')');
}

} // namespace ChargeurNappes
