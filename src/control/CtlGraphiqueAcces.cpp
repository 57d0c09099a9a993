// Les accesseurs du contrôle, hors de l'en-tête : un hôte compilé contre lui
// ne dépend pas de la place des membres.
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"

bool CtlGraphique::lightVersion() const
{
    return d->lightVersion;
}

void CtlGraphique::setLightVersion(bool v)
{
    d->lightVersion = v;
}

bool CtlGraphique::calculauto() const
{
    return d->calculauto;
}

void CtlGraphique::setCalculauto(bool v)
{
    d->calculauto = v;
}

QString CtlGraphique::MaChaineChargement() const
{
    return d->chaineChargement;
}

void CtlGraphique::setMaChaineChargement(const QString& t)
{
    d->chaineChargement = t;
}

QString CtlGraphique::MaChainePeriodes() const
{
    return d->chainePeriodes;
}

void CtlGraphique::setMaChainePeriodes(const QString& t)
{
    d->chainePeriodes = t;
}

QString CtlGraphique::MaChaineTypeGraph() const
{
    return d->chaineTypeGraph;
}

void CtlGraphique::setMaChaineTypeGraph(const QString& t)
{
    d->chaineTypeGraph = t;
    d->variante = VarianteDepuisTexte(t);
}

QString CtlGraphique::MaChaineTypeAffichage() const
{
    return d->chaineTypeAffichage;
}

void CtlGraphique::setMaChaineTypeAffichage(const QString& t)
{
    d->chaineTypeAffichage = t;
}

Variante CtlGraphique::variante() const
{
    return d->variante;
}

bool CtlGraphique::enCourbes() const
{
    return d->chaineTypeAffichage == QLatin1String("COURBE");
}

bool CtlGraphique::isCumul() const
{
    return d->isCumul;
}

void CtlGraphique::setIsCumul(bool v)
{
    d->isCumul = v;
}

bool CtlGraphique::isStatistiquesMeteoFrance() const
{
    return d->isStatistiquesMeteoFrance;
}

void CtlGraphique::setIsStatistiquesMeteoFrance(bool v)
{
    d->isStatistiquesMeteoFrance = v;
}

QString CtlGraphique::titreStatistiqueMeteoFrance() const
{
    return d->titreStatistiqueMeteoFrance;
}

void CtlGraphique::setTitreStatistiqueMeteoFrance(const QString& t)
{
    d->titreStatistiqueMeteoFrance = t;
}

QString CtlGraphique::typeDonnees() const
{
    return d->typeDonnees;
}

void CtlGraphique::setTypeDonnees(const QString& t)
{
    d->typeDonnees = t;
}

QString CtlGraphique::echelle() const
{
    return d->echelle;
}

void CtlGraphique::setEchelle(const QString& t)
{
    d->echelle = t;
}

QVariant CtlGraphique::MonTabPluvio() const
{
    return d->tabPluvio;
}

void CtlGraphique::setMonTabPluvio(const QVariant& v)
{
    d->tabPluvio = v;
}

bool CtlGraphique::graphiqueApercu() const
{
    return d->graphiqueApercu;
}

void CtlGraphique::setGraphiqueApercu(bool v)
{
    d->graphiqueApercu = v;
}

qint16 CtlGraphique::typeAffichageEchelle() const
{
    return d->typeAffichageEchelle;
}

void CtlGraphique::setTypeAffichageEchelle(qint16 v)
{
    d->typeAffichageEchelle = v;
}

TypeGraph CtlGraphique::TypeGraphique() const noexcept
{
    return d->typeGraphique;
}

void CtlGraphique::AnnulerChargement() noexcept
{
    d->annulation = true;
}

void CtlGraphique::setAnnulation(bool annulee) noexcept
{
    d->annulation = annulee;
}

EnteteStations* CtlGraphique::RecupSprEntete() const noexcept
{
    return &d->disposition->entete();
}

void CtlGraphique::setOuvrirApresExport(bool ouvrir)
{
    d->ouvrirApresExport = ouvrir;
}

bool CtlGraphique::titreEtLegendeALEcran() const
{
    return d->titreLegendeEcran;
}

void CtlGraphique::AppliquerInitEnCours(bool xxValeur) noexcept
{
    d->initEnCours = xxValeur;
}

const QString& CtlGraphique::anneeNonComparee() const noexcept
{
    return d->anneeNonComparee;
}

VueGraphique* CtlGraphique::vueGraphique() const
{
    return &d->disposition->vue();
}

VueGraphique* CtlGraphique::vueGraphiqueSuperposePluvio() const
{
    return &d->disposition->vueSuperposee();
}

CtlToolBar* CtlGraphique::PaletteOutils() const
{
    return &d->disposition->palette();
}

ChampDate* CtlGraphique::TxtDateDebut() const
{
    return &d->disposition->dateDebut();
}

ChampDate* CtlGraphique::TxtDateFin() const
{
    return &d->disposition->dateFin();
}

ChampDate* CtlGraphique::TxtAnnee() const
{
    return &d->disposition->annee();
}

QTableWidget* CtlGraphique::SprAide() const
{
    return &d->disposition->sprAide();
}

GrillePoints* CtlGraphique::SprPoints() const
{
    return &d->disposition->sprPoints();
}

qint16 CtlGraphique::outilCourant() const
{
    return d->outilCourant;
}

bool CtlGraphique::annulation() const
{
    return d->annulation;
}

const Classe_Graphiques* CtlGraphique::collectionSiCreee() const
{
    return d->collCourbes.get();
}

SourisEtZoom& CtlGraphique::souris()
{
    return *d->souris;
}

EditionPoints& CtlGraphique::edition()
{
    return *d->edition;
}

qint16 CtlGraphique::typeGraphiqueNumero() const
{
    return qint16(d->typeGraphique);
}

bool CtlGraphique::ouvrirApresExport() const
{
    return d->ouvrirApresExport;
}
