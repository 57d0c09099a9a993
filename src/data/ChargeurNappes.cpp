#include "data/ChargeurNappes.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"
#include "data/Litteraux.h"
#include "data/NomsVerifies.h"
#include "model/Classe_Graphiques.h"

namespace ChargeurNappes {

namespace {

const QString sansInvalides = QStringLiteral(" WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation & ' ' & Heure) >=");

qint32 extraire(BaseDonnees* base, const QString& sql, TableauValeurs& lignes)
{
    qint32 n = 0;
    if (base && !base->ExtraireRecords(sql, lignes, n))
        n = 0;
    return n;
}

// The bounds of the measurements, widened into the collection's; a failed query resets them.
void elargirBornes(Classe_Graphiques& c, BaseDonnees* base, const QString& sql, double decalage)
{
    TableauValeurs lignes;
    if (extraire(base, sql, lignes) != 1) {
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

int ajouter(Classe_Graphiques& c, BaseDonnees* base, const QString& sql, bool viderAvant, int numero,
            const QString& titre)
{
    TableauValeurs lignes;
    const qint32 n = extraire(base, sql, lignes);
    if (n <= 0)
        lignes = TableauValeurs(6, 0);
    if (viderAvant)
        c.ViderCollection();
    auto courbe = std::make_shared<Classe_Graphique>();
    courbe->setCle(QString::number(numero));
    courbe->setTitre(titre);
    courbe->setCouleur(numero);
    courbe->setAfficher(true);
    c.AjouterCourbe(courbe);
    const int position = c.noCourbe(courbe->Cle());
    c.AjouterValeurs(position, QVariant::fromValue(lignes));
    return position;
}

} // namespace

int chargerPiezometre(Classe_Graphiques& c, const QString& debut, const QString& fin, const QString& code,
                      const QString& decalageAxe, const QString& decalageValeurs, const QString& titre,
                      BaseDonnees* base, bool viderAvant, int numero, int typeAffichageEchelle)
{
    const QString table = NomTableStation(QStringLiteral("PZ_"), code);
    if (table.isEmpty())
        return 0;
    QString axe = typeAffichageEchelle == 0 ? QStringLiteral("0") : decalageAxe;
    QString valeurs = typeAffichageEchelle == 0 ? QStringLiteral("0") : decalageValeurs;
    RemplacerTexte(valeurs, QStringLiteral(","), QStringLiteral("."));
    // Only a number enters the statement.
    const auto nombreValeurs = LireNombre(valeurs);
    if (!nombreValeurs)
        valeurs = QStringLiteral("0");
    else
        valeurs = QString::number(*nombreValeurs, 'g', 15);
    const double decalage = LireNombre(axe).value_or(0.0);

    const QString periode = FormatDateBase(debut, true) + QStringLiteral(" AND CVDATE(DateCreation & ' ' & Heure) <=")
        + FormatDateBase(fin, true);
    elargirBornes(c, base,
                  QStringLiteral("SELECT Min(Valeur), Max(Valeur) FROM ") + table + sansInvalides + u' ' + periode, decalage);
    if (c.EchelleYAuto()) {
        c.setMinY(c.MinDonnees());
        c.setMaxY(c.MaxDonnees());
    }
    const QString sql = QStringLiteral("SELECT DateCreation, Heure, Valeur+") + valeurs
        + QStringLiteral(" , Validite, Continuite, ModeObtention FROM ") + table + sansInvalides + periode
        + QStringLiteral(" ORDER BY DateCreation, Heure");
    return ajouter(c, base, sql, viderAvant, numero, titre);
}

int chargerStation(Classe_Graphiques& c, const QString& debut, const QString& fin, const QString& code,
                   const QString& titre, BaseDonnees* base, bool viderAvant, int numero, const QString& typeDonnees,
                   const QString& echelle)
{
    const QString table = NomTableStation(QStringLiteral("HYDRO_"), code);
    if (table.isEmpty() || !EstNomVerifie(typeDonnees))
        return 0;
    const QString periode = FormatDateBase(debut, true) + QStringLiteral(" AND CVDATE(DateCreation & ' ' & Heure) <=")
        + FormatDateBase(fin, true);
    elargirBornes(c, base,
                  QStringLiteral("SELECT Min(") + typeDonnees + QStringLiteral("), Max(") + typeDonnees
                      + QStringLiteral(") FROM ") + table + sansInvalides + u' ' + periode,
                  0.0);
    if (c.EchelleYAuto()) {
        if (c.MinDonnees() >= 0)
            c.setMinDonnees(0);
        c.setMinY(c.MinDonnees());
        c.setMaxY(c.MaxDonnees());
    }
    const QString sql = QStringLiteral("SELECT DateCreation, Heure, ") + typeDonnees
        + QStringLiteral(" , Validite, Continuite, ModeObtention FROM ") + table + sansInvalides + periode
        + QStringLiteral(" ORDER BY DateCreation, Heure");
    return ajouter(c, base, sql, viderAvant, numero, titre + QStringLiteral(" (") + echelle + u')');
}

} // namespace ChargeurNappes
