#include "settings/AffichageRetenu.h"

#include "commun/parametres/Parametres.h"
#include "model/Classe_Graphiques.h"

#include <QStringList>

namespace {

// Un paramètre par genre : « Affichage_Annee » = "fond;grilleX;grilleY;divisions". Celui d'une version
// d'avant y ajoutait six champs d'échelles, valables pour tout le genre : ils sont ignorés.
QString nom(TypeGraph type)
{
    return QStringLiteral("Affichage_") + NomTypeGraph(type);
}

// Un paramètre par graphique dont une échelle est fixée : « Echelle_<série> » = "auto;min;max;autoPluie;minPluie;maxPluie".
QString nom(const QString& serie)
{
    return QStringLiteral("Echelle_") + serie;
}

QString echelle(const ChoixOptions::Echelle& e)
{
    return QStringLiteral("%1;%2;%3").arg(e.automatique ? 1 : 0).arg(e.minimum, 0, 'g', 17).arg(e.maximum, 0, 'g', 17);
}

std::optional<ChoixOptions::Echelle> echelle(const QStringList& champs, int premier)
{
    bool a = false, b = false, c = false;
    ChoixOptions::Echelle e;
    e.automatique = champs.value(premier).toInt(&a) != 0;
    e.minimum = champs.value(premier + 1).toDouble(&b);
    e.maximum = champs.value(premier + 2).toDouble(&c);
    if (!a || !b || !c)
        return std::nullopt;
    // Une échelle fixe sans étendue (celle des pluies d'un graphique simple) reste automatique.
    if (!(e.minimum < e.maximum))
        e.automatique = true;
    return e;
}

void poser(const ChoixOptions::Echelle& e, Classe_Graphiques& c)
{
    if (e.automatique)
        return;
    c.setEchelleYAuto(false);
    c.setMinY(e.minimum);
    c.setMaxY(e.maximum);
}

} // namespace

AffichageRetenu::Aspect AffichageRetenu::depuis(const ChoixOptions& choix)
{
    return {choix.couleurFond, choix.grilleX, choix.grilleY, choix.nbSeparations};
}

bool AffichageRetenu::retenir(TypeGraph type, const Aspect& a)
{
    return EcrireParametre(nom(type), QStringLiteral("%1;%2;%3;%4").arg(a.couleurFond).arg(a.grilleX ? 1 : 0).arg(a.grilleY ? 1 : 0).arg(a.nbSeparations));
}

std::optional<AffichageRetenu::Aspect> AffichageRetenu::relire(TypeGraph type)
{
    const QStringList champs = LireParametre(nom(type)).split(u';');
    if (champs.size() != 4 && champs.size() != 10)
        return std::nullopt;
    bool f = false, x = false, y = false, n = false;
    Aspect a;
    a.couleurFond = qint16(champs[0].toInt(&f));
    a.grilleX = champs[1].toInt(&x) != 0;
    a.grilleY = champs[2].toInt(&y) != 0;
    a.nbSeparations = qint16(champs[3].toInt(&n));
    // Un paramètre abîmé (modifié à la main) est ignoré plutôt que de donner un graphique faux.
    if (!f || !x || !y || !n || a.couleurFond < 0 || a.couleurFond > 15 || a.nbSeparations < 1)
        return std::nullopt;
    return a;
}

void AffichageRetenu::appliquer(const Aspect& a, Classe_Graphiques& courbes, Classe_Graphiques* pluie)
{
    for (Classe_Graphiques* c : {&courbes, pluie})
        if (c) {
            c->setCouleurFond(a.couleurFond);
            c->setNbSeparations(a.nbSeparations);
        }
    courbes.setGrilleX(a.grilleX);
    courbes.setGrilleY(a.grilleY);
}

bool AffichageRetenu::retenir(const QString& serie, const Echelles& e)
{
    if (serie.isEmpty())
        return false;
    const bool fixee = !e.valeurs.automatique || !e.pluie.automatique;
    return EcrireParametre(nom(serie), fixee ? echelle(e.valeurs) + u';' + echelle(e.pluie) : QString());
}

std::optional<AffichageRetenu::Echelles> AffichageRetenu::relire(const QString& serie)
{
    if (serie.isEmpty())
        return std::nullopt;
    const QStringList champs = LireParametre(nom(serie)).split(u';');
    const auto valeurs = echelle(champs, 0), pluie = echelle(champs, 3);
    if (champs.size() != 6 || !valeurs || !pluie || (valeurs->automatique && pluie->automatique))
        return std::nullopt;
    return Echelles{*valeurs, *pluie};
}

void AffichageRetenu::appliquer(const Echelles& e, Classe_Graphiques& courbes, Classe_Graphiques* pluie)
{
    poser(e.valeurs, courbes);
    if (pluie)
        poser(e.pluie, *pluie);
}
