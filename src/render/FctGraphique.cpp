#include "render/FctGraphique.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/EchelleNappe.h"
#include "commun/Nombres.h"
#include "commun/Valeurs.h"
#include "model/Classe_Graphiques.h"
#include "render/AxeDates.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QList>

namespace FctGraphique {

namespace {

const QString policeAxes = QStringLiteral("Comic Sans MS");


// L'étendue de l'axe, d'après les dates de chargement ou celles d'affichage ; faux sans dates.
bool periode(Classe_Graphiques& c, QDate& d1, QDate& d2)
{
    if (!c.EchelleXAuto() && c.DateDebutAffichage().isEmpty())
        c.afficherToutLeChargement();
    const auto a = c.EchelleXAuto() ? c.debutChargement() : c.debutAffichage();
    const auto b = c.EchelleXAuto() ? c.finChargement() : c.finAffichage();
    d1 = a.value_or(QDate());
    d2 = b.value_or(QDate());
    return a && b;
}

// Écrit le nombre de libellés, leur police, les libellés et la liste en TAB.
void envoyer(Classe_Graphiques& c, MoteurGraphique& g, const QStringList& libelles, int nombreLibelles, int supplement,
             const QDate& d1, const QDate& d2)
{
    const int ub = int(libelles.size()) - 1;
    g.ecrire(Prop::GraduationsX, 2);
    g.ecrire(Prop::PlacementLibellesX, 2);
    g.ecrire(Prop::NbLibellesX, nombreLibelles);
    EcrirePolice(g, 2, 85);
    const int n = g.lire(Prop::NbLibellesX).toInt() + supplement;
    for (int i = 1; i <= n && i - 1 <= ub; ++i)
        g.ecrireIndexe(Prop::LibelleX, i, libelles[i - 1]);
    EnvoyerLibellesAxe(g, ub + 1, libelles);
    if (c.EchelleXAuto()) {
        c.setDateDebutAffichage(TexteDate(d1));
        c.setDateFinAffichage(TexteDate(d2));
        c.setPasAxeX(qint16(g.lire(Prop::NbLibellesX).toInt()));
    }
}

QString formatPoint(Periode periode, qint64 jours)
{
    switch (periode) {
    case Periode::Mois:
    case Periode::Hydro: return QStringLiteral("MM/YY");
    case Periode::Annee: return QStringLiteral("YY");
    case Periode::Trimestre: return QStringLiteral("q-YY");
    case Periode::Decade: return QStringLiteral("DD/MM/YY");
    case Periode::Sans:
        return jours <= 7 ? QStringLiteral("DD/MM hh:mm") : jours <= 365 ? QStringLiteral("DD/MM") : QStringLiteral("DD/MM/YY");
    case Periode::Aucune: break;
    }
    return QString();
}

QString libellePoint(const QVariant& date, Periode periode, qint64 jours)
{
    const auto d = DateDepuisCellule(date);
    const QString format = formatPoint(periode, jours);
    if (!d || format.isEmpty())
        return QString();
    return FormatDate(*d, format);
}

} // namespace

int EnvoyerLibellesAxe(MoteurGraphique& graphique, int nombre, const QStringList& libelles)
{
    if (nombre != libelles.size())
        return -1;
    return graphique.VBAGLabels(nombre, libelles.join(u'\t'));
}

namespace {

AxeDates::Demande demande(const Classe_Graphiques& c, const QDate& d1, const QDate& d2)
{
    AxeDates::Demande d;
    d.debut = d1;
    d.fin = d2;
    d.unite = c.uniteAxe();
    d.pas = c.PasAxeX();
    d.hydro = c.periode() == Periode::Hydro;
    return d;
}

// L'axe calculé écrit au moteur, et l'unité et le pas qu'il a choisis rendus à la collection.
void ecrireAxe(Classe_Graphiques& c, MoteurGraphique& g, const AxeDates::Axe& axe, QDate& debut, QDate& fin)
{
    if (axe.unite)
        c.setUniteAxe(*axe.unite);
    if (axe.pas)
        c.setPasAxeX(qint16(*axe.pas));
    envoyer(c, g, axe.libelles, axe.nombreLibelles, axe.supplement, axe.debut, axe.fin);
    debut = axe.debut;
    fin = axe.fin;
}

// Un libellé par point de la première courbe : celui de l'axe, ou la date du point.
void libellesDesPoints(Classe_Graphiques& c, MoteurGraphique& g, const AxeDates::Axe& axe)
{
    const CourbePtr premiere = c.GetCourbe(1);
    if (!premiere)
        return;
    const int n = premiere->NbValeurs();
    g.ecrire(Prop::NbPoints, n);
    const int ub = int(axe.libelles.size()) - 1;
    for (int j = 0; j < n; ++j) {
        if (axe.libellesDesPoints) {
            if (j <= ub)
                g.ecrireIndexe(Prop::LibelleX, j + 1, axe.libelles[j]);
            continue;
        }
        const QString t = libellePoint(premiere->cellule(0, j), c.periode(), axe.jours);
        if (!t.isNull())
            g.ecrireIndexe(Prop::LibelleX, j + 1, t);
    }
}

} // namespace

void InitAxeDates(Classe_Graphiques& c, MoteurGraphique& g, QDate& debut, QDate& fin, bool superposition, bool cumulAnnuel)
{
    QDate d1, d2;
    if (!periode(c, d1, d2)) {
        debut = fin = QDate();
        return;
    }
    AxeDates::Demande d = demande(c, d1, d2);
    d.superposition = superposition;
    d.cumulAnnuel = cumulAnnuel;
    const AxeDates::Axe axe = AxeDates::parPeriodes(d);
    ecrireAxe(c, g, axe, debut, fin);
    libellesDesPoints(c, g, axe);
}

void InitAxeDatesPiezo(Classe_Graphiques& c, MoteurGraphique& g, QDate& debut, QDate& fin)
{
    QDate d1, d2;
    if (!periode(c, d1, d2)) {
        debut = fin = QDate();
        return;
    }
    ecrireAxe(c, g, AxeDates::pointsDates(demande(c, d1, d2)), debut, fin);
}

void InitAxeDatesSuperpose(Classe_Graphiques& c, MoteurGraphique& g, QDate& debut, QDate& fin)
{
    InitAxeDatesPiezo(c, g, debut, fin);
    g.ecrire(Prop::CouleurElement, 15);
    g.ecrire(Prop::Element, 4);
}

void InitEchellePluvio(Classe_Graphiques& c, MoteurGraphique& g, double minimum, double maximum)
{
    g.ecrire(Prop::AxeY, 0);
    if (minimum == 0 && maximum == 0) {
        minimum = c.MinDonnees();
        maximum = c.MaxDonnees();
        if (minimum == 0 && maximum == 0)
            maximum = 10;
    }
    g.ecrire(Prop::ModeEchelleY, 2);
    g.ecrire(Prop::DivisionsY, c.NbSeparations());
    g.ecrire(Prop::AxeY, 0);
    g.ecrire(Prop::YMax, maximum);
    g.ecrire(Prop::YMin, minimum);
    EcrirePolice(g, 1, 125);
    g.ecrire(Prop::TitreYGauche, QStringLiteral("Précipitations en mm"));
}

namespace {

// Bornes de l'axe d'une collection ; une étendue nulle s'ouvre de 10.
std::pair<double, double> bornes(Classe_Graphiques& c)
{
    if (c.MinDonnees() == c.MaxDonnees())
        c.setMaxDonnees(c.MinDonnees() + 10);
    return c.BornesAffichees();
}

} // namespace

void InitEchellesPiezo(Classe_Graphiques& piezo, Classe_Graphiques& pluie, MoteurGraphique& g, bool cote,
                       double minimum, double maximum)
{
    if (minimum == 0 && maximum == 0 && piezo.MinDonnees() == 0 && piezo.MaxDonnees() == 0)
        piezo.setMaxDonnees(10);
    g.ecrire(Prop::ModeEchelleY, 2);
    g.ecrire(Prop::PlacementJeux, 2);
    EcrirePolice(g, 2, 85);

    g.ecrire(Prop::AxeY, 0);
    g.ecrire(Prop::DivisionsY, piezo.NbSeparations());
    const auto [bas, haut] = bornes(piezo);
    g.ecrire(Prop::YMax, haut);
    g.ecrire(Prop::YMin, bas);
    qint16 type = 999;
    const EchelleNappe echelle = cote ? EchelleNappe::cote(0) : EchelleNappe::profondeur(CoefficientEchelle(type));
    {
        const int n = g.lire(Prop::DivisionsY).toInt();
        const double mx = g.lire(Prop::YMax).toDouble(), mn = g.lire(Prop::YMin).toDouble();
        for (int i = 1; i <= n + 1; ++i)
            g.ecrireIndexe(Prop::LibelleGauche, i, TexteNombre(Round(echelle.ecrite((mx - mn) * (i - 1) / n + mn), 2)));
    }

    g.ecrire(Prop::AxeY, 1);
    g.ecrire(Prop::DivisionsY, pluie.NbSeparations());
    const auto [basPluie, hautPluie] = bornes(pluie);
    g.ecrire(Prop::YMax, hautPluie);
    g.ecrire(Prop::YMin, basPluie);
    {
        const int n = g.lire(Prop::DivisionsY).toInt();
        const double pasPluie = (g.lire(Prop::YMax).toDouble() - g.lire(Prop::YMin).toDouble()) / n;
        for (int i = 1; i <= n + 1; ++i) {
            g.ecrire(Prop::Point, i);
            g.ecrire(Prop::LibelleDroit, TexteNombre(Round(basPluie + (i - 1) * pasPluie, 2)));
        }
    }

    EcrirePolice(g, 0, 125);
    g.ecrire(Prop::TitreGraphique, QStringLiteral(" "));
    g.ecrire(Prop::TitreX, QStringLiteral(" "));
    EcrirePolice(g, 1, 125);
    g.ecrire(Prop::TitreYGauche, echelle.titreAxe());
    g.ecrire(Prop::TitreYDroite, QStringLiteral("Précipitations en mm"));
}

void InitEchellesSuperpose(Classe_Graphiques& a, Classe_Graphiques& b, MoteurGraphique& g, double minimum,
                           double maximum)
{
    InitEchellesPiezo(a, b, g, false, 0, 0);
    g.ecrire(Prop::AxeY, 0);
    g.ecrire(Prop::DivisionsY, b.NbSeparations());
    const auto [bas, haut] = bornes(b);
    g.ecrire(Prop::YMax, haut);
    g.ecrire(Prop::YMin, bas);
    if (minimum == 0 && maximum == 0) {
        minimum = a.MinDonnees();
        maximum = a.MaxDonnees();
        if (minimum == 0 && maximum == 0) {
            maximum = 10;
            a.setMaxDonnees(10);
        }
    }
    g.ecrire(Prop::Point, 1);
    g.ecrire(Prop::LibelleDroit, FormatNombre(minimum, QStringLiteral("#.0")));
    g.ecrire(Prop::CouleurElement, 15);
    g.ecrire(Prop::Element, 6);
    EcrirePolice(g, 0, 125);
    g.ecrire(Prop::TitreGraphique, QStringLiteral(" "));
    g.ecrire(Prop::TitreX, QStringLiteral(" "));
    EcrirePolice(g, 1, 125);
    g.ecrire(Prop::TitreYGauche, QStringLiteral(" "));
    g.ecrire(Prop::TitreYDroite, QStringLiteral(" "));
}

void EcrirePolice(MoteurGraphique& g, int classe, int taille)
{
    g.ecrire(Prop::ClasseTexte, classe);
    g.ecrire(Prop::PolicePolice, policeAxes);
    g.ecrire(Prop::TaillePolice, taille);
}

} // namespace FctGraphique
