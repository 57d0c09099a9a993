#include "control/OptionsAffichage.h"

#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/TableauValeurs.h"
#include "commun/ValeursProcessus.h"
#include "control/CtlGraphique.h"
#include "control/SourisEtZoom.h"
#include "data/ChargeurNappes.h"
#include "render/FctGraphique.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/AffichageRetenu.h"
#include "settings/FrmOption.h"
#include "settings/ValidationOptions.h"

#include <QHash>
#include <tuple>

namespace {

// La fenêtre principale de l'hôte : un widget, ou un objet qui répond à "Enabled".
void activerFenetrePrincipale(bool actif)
{
    QObject* fenetre = ValeursProcessus::courantes().fenetrePrincipale;
    if (auto* w = qobject_cast<QWidget*>(fenetre))
        w->setEnabled(actif);
    else
        EcrireMembre(fenetre, QStringLiteral("Enabled"), actif);
}

void centrer(QWidget* boite, QWidget* controle)
{
    const auto* fenetre = qobject_cast<QWidget*>(ValeursProcessus::courantes().fenetrePrincipale.data());
    const QWidget* reference = fenetre ? fenetre : controle->window();
    const QPoint centre = reference->mapToGlobal(reference->rect().center());
    boite->move(centre - QPoint(boite->width() / 2, boite->height() / 2));
}

using Trace = std::tuple<bool, qint16, qint16>;

// Les séries de la collection principale relues comme au chargement (stations 2
// et suivantes), chaque courbe retrouvant par sa clé son tracé d'avant.
void rechargerSeries(CtlGraphique& ctl)
{
    Classe_Graphiques& c = ctl.CollCourbes();
    const QVariant stations = ctl.MonTabPluvio();
    const TableauValeurs* t = TableauDans(stations);
    const auto debut = c.debutChargement(), fin = c.finChargement();
    if (!t || !debut || !fin)
        return;
    QHash<QString, Trace> traces;
    for (int k = 1; k <= c.Compter(); ++k)
        traces.insert(c.GetCourbe(k)->Cle(), {c.GetCourbe(k)->Afficher(), c.GetCourbe(k)->Pattern(), c.GetCourbe(k)->Symbol()});
    const bool piezometres = Traits(ctl.TypeGraphique()).piezometres();
    for (int st = 2; st <= t->borneSup(2); ++st) {
        const auto attribut = [t, st](int a) { return TexteCellule(t->valeur(a, st)).trimmed(); };
        if (piezometres)
            ChargeurNappes::chargerPiezometre(c, *debut, *fin, attribut(2), attribut(4), attribut(4), attribut(1),
                                              CtlGraphique::baseDonnees(), st == 2, st - 1, ctl.typeAffichageEchelle());
        else
            ChargeurNappes::chargerStation(c, *debut, *fin, attribut(3), attribut(1), CtlGraphique::baseDonnees(), st == 2,
                                           st - 1, ctl.typeDonnees(), ctl.echelle());
    }
    for (int k = 1; k <= c.Compter(); ++k) {
        const auto trace = traces.constFind(c.GetCourbe(k)->Cle());
        if (trace == traces.cend())
            continue;
        c.MajAfficher(k, std::get<0>(*trace));
        c.MajPattern(k, std::get<1>(*trace));
        c.MajSymbol(k, std::get<2>(*trace));
    }
}

// Le graphique redessiné comme après un chargement. Les graphiques par périodes
// prennent en plus l'échelle fixe et la grille choisies, que leur tracé ne lit pas.
void redessinerAvecOptions(CtlGraphique& ctl)
{
    if (ValidationOptions::deuxGraphiques(ctl.TypeGraphique())) {
        ctl.AffichageGraphiqueSuperposepluvioPiezo(false, false, nullptr);
        return;
    }
    Classe_Graphiques& c = ctl.CollCourbes();
    ctl.AffichageGraphique(false, false, c.CodePeriode());
    MoteurGraphique& g = ctl.Graphique();
    if (!c.EchelleYAuto())
        FctGraphique::InitEchellePluvio(c, g, c.MinY(), c.MaxY());
    if (Traits(ctl.TypeGraphique()).annuel && EstCumul(ctl.variante()))
        g.ecrire(Prop::EmpilementBarres, 2);
    g.ecrire(Prop::Grille, c.StyleGrille());
    ctl.signalerEchelleFixe();
    g.ecrire(Prop::Dessin, 2);
}

} // namespace

OptionsAffichage::OptionsAffichage(CtlGraphique& controle)
    : m_ctl(controle)
{
}

Classe_Graphiques* OptionsAffichage::pluie()
{
    return ValidationOptions::deuxGraphiques(m_ctl.TypeGraphique()) ? &m_ctl.CollCourbes2() : nullptr;
}

void OptionsAffichage::appliquerRetenu()
{
    const auto aspect = AffichageRetenu::relire(m_ctl.TypeGraphique());
    const auto echelles = AffichageRetenu::relire(m_ctl.serieTracee());
    if ((!aspect && !echelles) || m_ctl.CollCourbes().Compter() == 0)
        return;
    if (aspect)
        AffichageRetenu::appliquer(*aspect, m_ctl.CollCourbes(), pluie());
    if (echelles)
        AffichageRetenu::appliquer(*echelles, m_ctl.CollCourbes(), pluie());
    redessinerAvecOptions(m_ctl);
}

// Les échelles que la boîte vient de poser, gardées pour ce graphique-ci seulement.
void OptionsAffichage::retenirEchelles()
{
    const auto echelle = [](const Classe_Graphiques* c) {
        ChoixOptions::Echelle e;
        if (c && !c->EchelleYAuto())
            e = {false, c->MinY(), c->MaxY()};
        return e;
    };
    AffichageRetenu::retenir(m_ctl.serieTracee(), {echelle(&m_ctl.CollCourbes()), echelle(pluie())});
}

void OptionsAffichage::ouvrir()
{
    if (!m_ctl.CollCourbes().aDesPeriodes())
        return;
    if (m_boite) {
        m_boite->raise();
        m_boite->activateWindow();
        return;
    }
    const TypeGraph type = m_ctl.TypeGraphique();
    const bool deux = ValidationOptions::deuxGraphiques(type);
    m_ctl.souris().noterEchellesAvantOptions();
    auto* boite = new FrmOption(m_ctl.CollCourbes(), deux ? &m_ctl.CollCourbes2() : nullptr, type, m_ctl.typeAffichageEchelle() != 0, &m_ctl);
    m_boite = boite;
    // Un signal de la boîte entre dans le contrôle comme un appel de l'hôte : sous la garde.
    QObject::connect(boite, &FrmOption::optionsAppliquees, &m_ctl,
                     [this](bool recharger, bool coteNgf) { sousGarde([&] { appliquer(recharger, coteNgf); }); });
    QObject::connect(boite, &QDialog::finished, &m_ctl, [boite] {
        activerFenetrePrincipale(true);
        boite->deleteLater();
    });
    activerFenetrePrincipale(false);
    // Une fenêtre fille d'une fenêtre grisée le serait aussi : la boîte reste active.
    boite->setEnabled(true);
    boite->setWindowModality(Qt::ApplicationModal);
    centrer(boite, &m_ctl);
    boite->show();
}

void OptionsAffichage::appliquer(bool recharger, bool coteNgf)
{
    m_ctl.souris().garderChoixDesOptions();
    retenirEchelles();
    if (recharger) {
        m_ctl.setTypeAffichageEchelle(qint16(coteNgf ? 1 : 0));
        EcrireMembre(ValeursProcessus::courantes().fenetrePrincipale, QStringLiteral("typeAffichageEchelle"), m_ctl.typeAffichageEchelle());
        rechargerSeries(m_ctl);
    }
    redessinerAvecOptions(m_ctl);
}
