// Titre et légende du graphique : sur la page imprimée, dans les fichiers et, si l'hôte
// le veut, à l'écran.
#include "commun/Cellule.h"
#include "commun/Garde.h"
#include "commun/TableauValeurs.h"
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"
#include "control/EnteteStations.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include "render/FctGraphique.h"

#include <QStringList>

namespace {

using FctGraphique::EcrirePolice;

// « a », « a et b », « a, b et c ».
QString enumeration(const QStringList& termes)
{
    if (termes.size() <= 1)
        return termes.value(0);
    return termes.mid(0, termes.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") + termes.last();
}

// Le genre des stations compagnes, dit dans le titre après celui du pluviomètre.
QString genreCompagnes(TypeGraph type, qsizetype nombre)
{
    if (Traits(type).piezometres())
        return nombre > 1 ? QStringLiteral("piézomètres") : QStringLiteral("piézomètre");
    return nombre > 1 ? QStringLiteral("stations hydrométriques") : QStringLiteral("station hydrométrique");
}

bool estTracee(const Classe_Graphique& courbe)
{
    return courbe.Afficher() && courbe.NbValeurs() > 0;
}

int courbesTracees(Classe_Graphiques& c)
{
    int n = 0;
    for (int k = 1; k <= c.Compter(); ++k)
        n += estTracee(*c.GetCourbe(k)) ? 1 : 0;
    return n;
}

// À droite jusqu'à dix entrées, dessous au-delà.
int positionLegende(int entrees)
{
    return entrees <= 10 ? 2 : 1;
}

} // namespace

// Les stations 2 et suivantes de MonTabPluvio : nom (attribut 1), code du piézomètre (2) ou de la station (3).
QList<CtlGraphique::Compagne> CtlGraphique::stationsCompagnes() const
{
    QList<Compagne> compagnes;
    const TableauValeurs* t = TableauDans(d->tabPluvio);
    if (!t || !Traits(d->typeGraphique).deuxGraphiques)
        return compagnes;
    const int attributCode = Traits(d->typeGraphique).piezometres() ? 2 : 3;
    for (int st = 2; st <= t->borneSup(2); ++st) {
        const QString nom = TexteCellule(t->valeur(1, st)).trimmed(), code = TexteCellule(t->valeur(attributCode, st)).trimmed();
        if (!nom.isEmpty() || !code.isEmpty())
            compagnes.append({nom, code});
    }
    return compagnes;
}

QString CtlGraphique::serieTracee() const
{
    const Classe_Graphiques* c = collectionSiCreee();
    if (!c || c->CodePeriode().isEmpty())
        return QString();
    QStringList stations{Traits(d->typeGraphique).courbeReference ? CodeCourbeReference() : RecupSprEntete()->CodeStation()};
    for (const Compagne& s : stationsCompagnes())
        stations << s.code;
    // Les pluviomètres superposés sont tous dans MonTabPluvio, dès la station 1.
    const TableauValeurs* t = TableauDans(d->tabPluvio);
    for (int st = 1; t && Traits(d->typeGraphique).superposeStations() && st <= t->borneSup(2); ++st)
        stations << TexteCellule(t->valeur(1, st)).trimmed();
    QStringList parties{NomTypeGraph(d->typeGraphique), stations.join(u'+'), d->chaineChargement, c->CodePeriode()};
    if (Traits(d->typeGraphique).annuel && !d->chaineTypeGraph.isEmpty())
        parties << d->chaineTypeGraph;
    if (d->isCumul)
        parties << QStringLiteral("CUMUL");
    return parties.join(u'_');
}

// Les textes A, B et C du titre « A - B (C) » : ceux de l'en-tête ; un graphique double
// y ajoute le genre, les noms et les codes de ses stations compagnes.
CtlGraphique::TextesTitre CtlGraphique::textesTitre() const
{
    const EnteteStations& entete = *RecupSprEntete();
    TextesTitre t{entete.TexteA(), entete.TexteB(), entete.TexteC()};
    const QList<Compagne> compagnes = stationsCompagnes();
    if (compagnes.isEmpty())
        return t;
    QStringList noms{t.b}, codes{t.c};
    for (const Compagne& s : compagnes) {
        noms << (s.nom.isEmpty() ? s.code : s.nom);
        codes << s.code;
    }
    noms.removeAll(QString());
    codes.removeAll(QString());
    if (!t.a.isEmpty())
        t.a += QStringLiteral(" et ") + genreCompagnes(d->typeGraphique, compagnes.size());
    t.b = enumeration(noms);
    t.c = enumeration(codes);
    return t;
}

QString CtlGraphique::titreEntete() const
{
    const TextesTitre t = textesTitre();
    return (t.a.isEmpty() ? QString() : t.a + QStringLiteral(" - ")) + t.b
           + (t.c.isEmpty() ? QString() : QStringLiteral(" (") + t.c + u')');
}

// Les entrées que la légende porte en plus des courbes : les séries de pluie d'un graphique
// double (elles sont dans l'image de fond) ; rend leur nombre.
int CtlGraphique::legendePluies()
{
    if (!Traits(d->typeGraphique).deuxGraphiques)
        return 0;
    MoteurGraphique& g = Graphique();
    Classe_Graphiques& pluie = CollCourbes2();
    int n = 0;
    for (int k = 1; k <= pluie.Compter(); ++k) {
        const CourbePtr courbe = pluie.GetCourbe(k);
        if (!estTracee(*courbe))
            continue;
        ++n;
        g.ecrireIndexe(Prop::LegendeFond, n, courbe->Titre().trimmed());
        g.ecrireIndexe(Prop::CouleurLegendeFond, n, courbe->Couleur());
    }
    return n;
}

// Le point que le graphique distingue (l'année choisie d'un cumul annuel) nommé en tête de légende.
int CtlGraphique::legendePointEnValeur()
{
    if (d->legendeEnValeur.isEmpty())
        return 0;
    Graphique().ecrire(Prop::LegendePointEnValeur, d->legendeEnValeur);
    return 1;
}

bool CtlGraphique::titreEtLegende()
{
    Classe_Graphiques& c = CollCourbes();
    if (!c.aDesPeriodes())
        return false;
    MoteurGraphique& g = Graphique();
    EcrirePolice(g, 0, 125);
    const TextesTitre t = textesTitre();
    if (!t.a.isEmpty())
        g.ecrire(Prop::TitreGraphique, t.a + QStringLiteral(" - "));
    g.ecrire(Prop::TitreGraphique, g.lire(Prop::TitreGraphique).toString() + t.b);
    if (!t.c.isEmpty())
        g.ecrire(Prop::TitreGraphique, g.lire(Prop::TitreGraphique).toString() + QStringLiteral(" (") + t.c + u')');
    // Les pluies d'un graphique double comptent parmi ses courbes : une nappe seule s'y nomme aussi.
    const int pluies = legendePluies(), autres = pluies + legendePointEnValeur();
    bool affichee = autres > 0;
    if (c.Compter() + pluies > 1) {
        for (int i = 1; i <= c.Compter(); ++i) {
            const CourbePtr courbe = c.GetCourbe(i);
            g.ecrireIndexe(Prop::Legende, i, courbe->Afficher() ? courbe->Titre() : courbe->Titre() + QStringLiteral(" (X)"));
            affichee = affichee || courbe->Afficher();
        }
    }
    if (affichee) {
        EcrirePolice(g, 3, 90);
        g.ecrire(Prop::Element, 5);
        g.ecrire(Prop::CouleurElement, 0);
        g.ecrire(Prop::CadreLegende, 0);
        g.ecrire(Prop::PositionLegende, positionLegende(c.Compter() + autres));
    }
    return true;
}

void CtlGraphique::effacerLegende()
{
    MoteurGraphique& g = Graphique();
    for (int i = 1; i <= CollCourbes().Compter(); ++i)
        g.ecrireIndexe(Prop::Legende, i, QString());
    for (int i = 1; i <= CollCourbes2().Compter(); ++i)
        g.ecrireIndexe(Prop::LegendeFond, i, QString());
    g.ecrire(Prop::LegendePointEnValeur, QString());
}

void CtlGraphique::setTitreEtLegendeALEcran(bool afficher) noexcept
{
    sousGarde([&] {
        d->titreLegendeEcran = afficher;
        if (afficher) {
            legendeEcran();
            return;
        }
        effacerLegende();
        Graphique().ecrire(Prop::TitreGraphique, QString());
    });
}

// À l'écran, la légende ne nomme que les courbes tracées, chacune sur son jeu de données (un jeu
// par courbe pour les nappes, un par courbe montrée ailleurs), et seulement quand il y en a
// plusieurs (les pluies d'un graphique double comprises) ; le moteur lui fait sa place à droite
// ou dessous, hors de la zone de tracé. Titre et polices sont ceux de la page imprimée.
void CtlGraphique::legendeEcran()
{
    Classe_Graphiques& c = CollCourbes();
    if (!d->titreLegendeEcran || !c.aDesPeriodes())
        return;
    MoteurGraphique& g = Graphique();
    EcrirePolice(g, 0, 125);
    EcrirePolice(g, 3, 90);
    g.ecrire(Prop::TitreGraphique, titreEntete());
    const int tracees = courbesTracees(c), pluies = legendePluies();
    const bool nommees = tracees + pluies > 1;
    int jeu = 0;
    for (int k = 1; k <= c.Compter(); ++k) {
        const CourbePtr courbe = c.GetCourbe(k);
        const bool tracee = estTracee(*courbe);
        jeu = d->jeuxParCourbe ? k : jeu + (tracee ? 1 : 0);
        if (d->jeuxParCourbe || tracee)
            g.ecrireIndexe(Prop::Legende, jeu, tracee && nommees ? courbe->Titre() : QString());
    }
    const int entrees = (nommees ? tracees : 0) + pluies + legendePointEnValeur();
    g.ecrire(Prop::CadreLegende, 0);
    g.ecrire(Prop::PositionLegende, entrees == 0 ? 0 : positionLegende(entrees));
}
