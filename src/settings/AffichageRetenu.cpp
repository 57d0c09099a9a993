#include "settings/AffichageRetenu.h"

#include "commun/parametres/Parametres.h"
#include "model/Classe_Graphiques.h"

#include <QStringList>

namespace {

// Un paramètre par genre : « Affichage_Annee » = "fond;grilleX;grilleY;divisions;auto;min;max;autoPluie;minPluie;maxPluie".
QString nom(TypeGraph type)
{
    return QStringLiteral("Affichage_") + NomTypeGraph(type);
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

void poser(const AffichageRetenu::Aspect& a, const ChoixOptions::Echelle& e, Classe_Graphiques& c)
{
    c.setCouleurFond(a.couleurFond);
    c.setNbSeparations(a.nbSeparations);
    if (e.automatique)
        return;
    c.setEchelleYAuto(false);
    c.setMinY(e.minimum);
    c.setMaxY(e.maximum);
}

} // namespace

AffichageRetenu::Aspect AffichageRetenu::depuis(const ChoixOptions& choix)
{
    return {choix.couleurFond, choix.grilleX, choix.grilleY, choix.nbSeparations, choix.echelleY, choix.echellePluie};
}

bool AffichageRetenu::retenir(TypeGraph type, const Aspect& a)
{
    const QString texte = QStringLiteral("%1;%2;%3;%4;%5;%6")
                              .arg(a.couleurFond)
                              .arg(a.grilleX ? 1 : 0)
                              .arg(a.grilleY ? 1 : 0)
                              .arg(a.nbSeparations)
                              .arg(echelle(a.echelleY), echelle(a.echellePluie));
    return EcrireParametre(nom(type), texte);
}

std::optional<AffichageRetenu::Aspect> AffichageRetenu::relire(TypeGraph type)
{
    const QStringList champs = LireParametre(nom(type)).split(u';');
    if (champs.size() != 10)
        return std::nullopt;
    bool f = false, x = false, y = false, n = false;
    Aspect a;
    a.couleurFond = qint16(champs[0].toInt(&f));
    a.grilleX = champs[1].toInt(&x) != 0;
    a.grilleY = champs[2].toInt(&y) != 0;
    a.nbSeparations = qint16(champs[3].toInt(&n));
    const auto e = echelle(champs, 4), p = echelle(champs, 7);
    // Un paramètre abîmé (modifié à la main) est ignoré plutôt que de donner un graphique faux.
    if (!f || !x || !y || !n || !e || !p || a.couleurFond < 0 || a.couleurFond > 15 || a.nbSeparations < 1)
        return std::nullopt;
    a.echelleY = *e;
    a.echellePluie = *p;
    return a;
}

void AffichageRetenu::appliquer(const Aspect& a, Classe_Graphiques& courbes, Classe_Graphiques* pluie)
{
    poser(a, a.echelleY, courbes);
    courbes.setGrilleX(a.grilleX);
    courbes.setGrilleY(a.grilleY);
    if (pluie)
        poser(a, a.echellePluie, *pluie);
}
