#include "render/moteur/MoteurGraphique.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "render/moteur/Disposition.h"
#include "render/moteur/EntierBorne.h"
#include "render/moteur/ImagesFond.h"
#include "render/moteur/PeintreGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPainter>
#include <QPicture>
#include <cmath>

Q_LOGGING_CATEGORY(lcMoteur, "graphique.moteur", QtWarningMsg)

namespace {

QString& dossierImages()
{
    static QString dossier;
    return dossier;
}

// Le rang (depuis 0) d'un numéro compté depuis 1 ; -1 pour un numéro hors de portée, sans débordement.
int rang(int numero)
{
    return numero > 0 ? numero - 1 : -1;
}

int entier(double v)
{
    return int(EntierBorne(std::round(v), -2147483648LL, 2147483647LL, 0));
}

} // namespace

MoteurGraphique::MoteurGraphique(const QString& nom, QObject* parent)
    : QObject(parent)
    , m_nom(nom)
{
}

MoteurGraphique::~MoteurGraphique() = default;

void MoteurGraphique::definirDossierImages(const QString& dossier)
{
    dossierImages() = dossier;
}

QString MoteurGraphique::cheminImage(const QString& nom)
{
    if (nom.trimmed().isEmpty())
        return QString();
    if (QFileInfo(nom).isAbsolute())
        return nom;
    QString dossier = dossierImages();
    if (dossier.isEmpty())
        dossier = QDir::temp().filePath(QStringLiteral("graphique-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(dossier);
    return QDir(dossier).filePath(nom);
}

void MoteurGraphique::tracer(int numero, std::optional<int> indice, const QVariant& valeur)
{
    if (lcMoteur().isDebugEnabled()) {
        if (indice)
            qCDebug(lcMoteur).noquote() << m_nom << numero << *indice << TexteCellule(valeur);
        else
            qCDebug(lcMoteur).noquote() << m_nom << numero << TexteCellule(valeur);
    }
    if (m_observateur)
        m_observateur(m_nom, numero, indice, valeur);
}

void MoteurGraphique::ecrire(int numero, const QVariant& valeur)
{
    const auto n = LireNombre(valeur);
    appliquer(numero, valeur, n.value_or(0.0), n.has_value());
}

void MoteurGraphique::ecrire(int numero, double valeur)
{
    if (m_observateur || lcMoteur().isDebugEnabled())
        tracer(numero, std::nullopt, valeur);
    appliquer(numero, QVariant(), valeur, true);
}

void MoteurGraphique::ecrire(int numero, const QString& valeur)
{
    ecrire(numero, QVariant(valeur));
}

void MoteurGraphique::ecrireIndexe(int numero, int indice, const QVariant& valeur)
{
    const auto n = LireNombre(valeur);
    appliquerIndexe(numero, indice, valeur, n.value_or(0.0), n.has_value());
}

void MoteurGraphique::ecrireIndexe(int numero, int indice, double valeur)
{
    if (m_observateur || lcMoteur().isDebugEnabled())
        tracer(numero, indice, valeur);
    appliquerIndexe(numero, indice, QVariant(), valeur, true);
}

void MoteurGraphique::ecrireIndexe(int numero, int indice, const QString& valeur)
{
    ecrireIndexe(numero, indice, QVariant(valeur));
}

void MoteurGraphique::appliquer(int numero, const QVariant& valeurBrute, double nombre, bool estNombre)
{
    ++m_revision;
    // Une valeur donnée en variant est tracée ici ; les nombres l'ont été par leur surcharge.
    if (valeurBrute.isValid())
        tracer(numero, std::nullopt, valeurBrute);
    // Texte seulement pour les quelques propriétés texte : les valeurs passent ici par centaines de milliers.
    const auto texte = [&] { return valeurBrute.isValid() ? TexteCellule(valeurBrute) : TexteNombre(nombre); };
    const int i = entier(nombre);
    ModeleGraphique& m = m_modele;
    auto point = [&]() -> int {
        const JeuDonnees* j = m.jeuCourant();
        const int p = rang(m.pointSelectionne);
        return (j && p >= 0 && p < j->taille()) ? p : -1;
    };
    // Les propriétés texte acceptent tout ; les autres veulent un nombre.
    switch (numero) {
    case Prop::ImageFond:
        m.imageFond = texte();
        return;
    case Prop::TitreX:
        m.titreX = texte();
        return;
    case Prop::TitreGraphique:
        m.titre = texte();
        return;
    case Prop::TitreYGauche:
        m.titreYGauche = texte();
        return;
    case Prop::TitreYDroite:
        m.titreYDroite = texte();
        return;
    case Prop::PolicePolice:
        if (m.classeTexte >= 0 && m.classeTexte < 4)
            m.polices[std::size_t(m.classeTexte)].famille = valeurBrute.isValid() ? TexteCellule(valeurBrute) : QString();
        return;
    case Prop::FichierImage:
        m.fichierImage = texte();
        return;
    case Prop::LibelleDroit:
        m.axes[1].libelles.insert(m.pointSelectionne, texte());
        return;
    case Prop::ValeurTexte: {
        const int p = point();
        if (p >= 0 && estNombre)
            m.jeuCourant()->valeurs[std::size_t(p)] = float(nombre);
        return;
    }
    default:
        break;
    }
    if (!estNombre) {
        m_autres.insert(numero, valeurBrute);
        return;
    }
    switch (numero) {
    case Prop::Ombre:
        m.ombre = i;
        break;
    case Prop::PlacementImageFond:
        m.placementImageFond = i;
        break;
    case Prop::CouleurFond:
        m.couleurFond = i;
        break;
    case Prop::Reinitialisation:
        if (i == 9) {
            m.reinitialiser();
            m_calque.vider();
        }
        m_autres.insert(numero, i);
        break;
    case Prop::Dessin:
        demanderDessin(i);
        break;
    case Prop::Manquant: {
        const int p = point();
        if (p >= 0)
            m.jeuCourant()->manquant[std::size_t(p)] = i != 0 ? 1 : 0;
        break;
    }
    case Prop::TaillePolice:
        if (m.classeTexte >= 0 && m.classeTexte < 4)
            m.polices[std::size_t(m.classeTexte)].taillePourcent = i;
        break;
    case Prop::ClasseTexte:
        m.classeTexte = i;
        break;
    case Prop::CouleurElement:
        m.couleursElements.insert(m.elementSelectionne, i);
        break;
    case Prop::Element:
        m.elementSelectionne = i;
        break;
    case Prop::EmpilementBarres:
        m.empilementBarres = i;
        break;
    case Prop::TypeGraphe:
        m.type = i;
        break;
    case Prop::MotifBarres:
        m.motifBarres = i;
        break;
    case Prop::Grille:
        m.grille = i;
        break;
    case Prop::EspacementLibelles:
        m.espacementLibelles = i;
        break;
    case Prop::Marqueurs:
        m.marqueurs = i;
        break;
    case Prop::PositionLegende:
        m.positionLegende = i;
        break;
    case Prop::CadreLegende:
        m.cadreLegende = i;
        break;
    case Prop::Curseur:
        m.curseur = i;
        emit curseurModifie(i);
        break;
    case Prop::NbPoints:
        m.definirNbPoints(i);
        break;
    case Prop::NbJeux:
        m.definirNbJeux(i);
        break;
    case Prop::PlacementJeux:
        m.placementJeux = i;
        break;
    case Prop::OrientationLibellesX:
        m.orientationLibellesX = i;
        break;
    case Prop::CouleursImpression:
        m.couleursImpression = i;
        break;
    case Prop::CadreZone:
        m.cadreZone = i;
        break;
    case Prop::LignesAxes:
        m.lignesAxes = i;
        break;
    case Prop::Graduations:
        m.graduations = i;
        break;
    case Prop::JeuEnValeur:
        m.jeuEnValeur = i;
        break;
    case Prop::ValeursAffichees:
        m.valeursAffichees = i;
        break;
    case Prop::Point:
        m.pointSelectionne = i;
        break;
    case Prop::Jeu:
        m.jeuSelectionne = i;
        break;
    case Prop::EspacementGraduations:
        m.espacementGraduations = i;
        break;
    case Prop::XMax:
        m.xMaxEcrit = nombre;
        m.xMaxEcrit_ = true;
        m.ordreBornesX = m.prochainOrdre();
        break;
    case Prop::XMin:
        m.xMinEcrit = nombre;
        m.xMinEcrit_ = true;
        m.ordreBornesX = m.prochainOrdre();
        break;
    case Prop::PlacementLibellesX:
        m.placementLibellesX = i;
        break;
    case Prop::GraduationsX:
        m.graduationsX = i;
        break;
    case Prop::NbLibellesX:
        if (i <= ModeleGraphique::nbLibellesMax)
            m.nbLibellesX = i;
        break;
    case Prop::PositionX: {
        const int p = point();
        if (p >= 0) {
            m.jeuCourant()->x[std::size_t(p)] = nombre;
            m.jeuCourant()->avecX = true;
        }
        break;
    }
    case Prop::YMax:
    case Prop::YMin: {
        AxeValeurs& a = m.axes[std::size_t(std::clamp(m.axeSelectionne, 0, 1))];
        (numero == Prop::YMax ? a.max : a.min) = nombre;
        a.bornesEcrites = true;
        break;
    }
    case Prop::DecimalesY:
        m.decimalesY = i;
        break;
    case Prop::ModeEchelleY:
        m.modeEchelleY = i;
        break;
    case Prop::DivisionsY:
        m.axes[std::size_t(std::clamp(m.axeSelectionne, 0, 1))].divisions = i;
        break;
    case Prop::AxeY:
        m.axeSelectionne = i;
        break;
    case Prop::ContourBarres:
        m.contourBarres = i;
        break;
    default:
        m_autres.insert(numero, valeurBrute.isValid() ? valeurBrute : QVariant(nombre));
        return;
    }
}

void MoteurGraphique::appliquerIndexe(int numero, int indice, const QVariant& valeurBrute, double nombre, bool estNombre)
{
    ++m_revision;
    if (valeurBrute.isValid())
        tracer(numero, indice, valeurBrute);
    // Seules les propriétés de libellés veulent le texte : un million d'écritures de nombres ne fabriquent aucun texte.
    const auto texte = [&] { return valeurBrute.isValid() ? TexteCellule(valeurBrute) : TexteNombre(nombre); };
    ModeleGraphique& m = m_modele;
    JeuDonnees* j = m.jeuCourant();
    const int p = rang(indice);
    const bool pointValide = j && p >= 0 && p < j->taille();
    switch (numero) {
    case Prop::CouleurPoint:
        if (pointValide && estNombre) {
            j->couleurs[std::size_t(p)] = qint8(std::clamp(entier(nombre), -1, 127));
            m.pointSelectionne = indice;
        }
        return;
    case Prop::ValeurPoint:
        if (pointValide && estNombre) {
            j->valeurs[std::size_t(p)] = float(nombre);
            m.pointSelectionne = indice;
        }
        return;
    case Prop::Plafond:
        if (pointValide && estNombre)
            j->definirPlafond(p, float(nombre));
        return;
    case Prop::Validite:
        if (pointValide && estNombre)
            j->definirValidite(p, qint8(std::clamp(entier(nombre), -128, 127)));
        return;
    case Prop::LibelleX:
        m.libellesX.insert(indice, texte());
        return;
    case Prop::Legende:
        m.legendes.insert(indice, texte());
        return;
    case Prop::LibelleGauche:
        m.axes[0].libelles.insert(indice, texte());
        return;
    case Prop::Impression:
        if (estNombre)
            m.reglagesImpression.insert(indice, nombre);
        return;
    default:
        m_autresIndexes.insert({numero, indice}, valeurBrute.isValid() ? valeurBrute : QVariant(nombre));
        return;
    }
}

QVariant MoteurGraphique::lire(int numero) const
{
    const ModeleGraphique& m = m_modele;
    const int axe = std::clamp(m.axeSelectionne, 0, 1);
    auto pointSel = [&]() -> int {
        if (m.jeuSelectionne < 1 || m.jeuSelectionne > m.nbJeux())
            return -1;
        const int p = rang(m.pointSelectionne);
        return p >= 0 && p < m.jeux[std::size_t(m.jeuSelectionne - 1)].taille() ? p : -1;
    };
    const JeuDonnees* j = (m.jeuSelectionne >= 1 && m.jeuSelectionne <= m.nbJeux())
        ? &m.jeux[std::size_t(m.jeuSelectionne - 1)]
        : nullptr;
    const int p = pointSel();
    switch (numero) {
    case Prop::Ombre: return m.ombre;
    case Prop::ImageFond: return m.imageFond;
    case Prop::PlacementImageFond: return m.placementImageFond;
    case Prop::CouleurFond: return m.couleurFond;
    case Prop::TitreX: return m.titreX;
    case Prop::Dessin: return m_derniereDemande < 0 ? 0 : m_derniereDemande;
    case Prop::Manquant: return p >= 0 ? int(j->manquant[std::size_t(p)]) : 0;
    case Prop::PolicePolice: return m.classeTexte >= 0 && m.classeTexte < 4 ? m.polices[std::size_t(m.classeTexte)].famille : QString();
    case Prop::TaillePolice: return m.classeTexte >= 0 && m.classeTexte < 4 ? m.polices[std::size_t(m.classeTexte)].taillePourcent : 100;
    case Prop::ClasseTexte: return m.classeTexte;
    case Prop::CouleurElement: return std::max(m.couleurElement(m.elementSelectionne), 0);
    case Prop::Element: return m.elementSelectionne;
    case Prop::ValeurTexte: return p >= 0 ? TexteNombre(j->valeurs[std::size_t(p)]) : QString();
    case Prop::EmpilementBarres: return m.empilementBarres;
    case Prop::TitreGraphique: return m.titre;
    case Prop::TypeGraphe: return m.type;
    case Prop::MotifBarres: return m.motifBarres;
    case Prop::Grille: return m.grille;
    case Prop::FichierImage: return m.fichierImage;
    case Prop::EspacementLibelles: return m.espacementLibellesEffectif();
    case Prop::TitreYGauche: return m.titreYGauche;
    case Prop::Marqueurs: return m.marqueurs;
    case Prop::PositionLegende: return m.positionLegende;
    case Prop::CadreLegende: return m.cadreLegende;
    case Prop::Curseur: return m.curseur;
    case Prop::NbPoints: return m.nbPoints;
    case Prop::NbJeux: return m.nbJeux();
    case Prop::PlacementJeux: return m.placementJeux;
    case Prop::OrientationLibellesX: return m.orientationLibellesX;
    case Prop::CouleursImpression: return m.couleursImpression;
    case Prop::CadreZone: return m.cadreZone;
    case Prop::TitreYDroite: return m.titreYDroite;
    case Prop::LignesAxes: return m.lignesAxes;
    case Prop::Graduations: return m.graduations;
    case Prop::JeuEnValeur: return m.jeuEnValeur;
    case Prop::ValeursAffichees: return m.valeursAffichees;
    case Prop::Point: return m.pointSelectionne;
    case Prop::Jeu: return m.jeuSelectionne;
    case Prop::EspacementGraduations: return m.espacementGraduationsEffectif();
    case Prop::XMax: return m.bornesX().max;
    case Prop::XMin: return m.bornesX().min;
    case Prop::PlacementLibellesX: return m.placementLibellesX;
    case Prop::GraduationsX: return m.graduationsX;
    case Prop::NbLibellesX: return m.nbLibellesEffectif();
    case Prop::PositionX: return p >= 0 ? j->x[std::size_t(p)] : 0.0;
    case Prop::YMax: return m.bornesY(axe).max;
    case Prop::YMin: return m.bornesY(axe).min;
    case Prop::DecimalesY: return m.decimalesY;
    case Prop::ModeEchelleY: return m.modeEchelleY;
    case Prop::DivisionsY: return m.divisionsY(axe);
    case Prop::AxeY: return m.axeSelectionne;
    case Prop::LibelleDroit: return m.axes[1].libelles.value(m.pointSelectionne);
    case Prop::ContourBarres: return m.contourBarres;
    default:
        return m_autres.value(numero, 0);
    }
}

QVariant MoteurGraphique::lireIndexe(int numero, int indice) const
{
    const ModeleGraphique& m = m_modele;
    const JeuDonnees* j = (m.jeuSelectionne >= 1 && m.jeuSelectionne <= m.nbJeux())
        ? &m.jeux[std::size_t(m.jeuSelectionne - 1)]
        : nullptr;
    const int p = rang(indice);
    const bool pointValide = j && p >= 0 && p < j->taille();
    switch (numero) {
    case Prop::CouleurPoint: return pointValide ? j->couleur(p) : 0;
    case Prop::ValeurPoint: return pointValide ? double(j->valeurs[std::size_t(p)]) : 0.0;
    case Prop::Plafond:
        return pointValide && !j->plafonds.empty() ? double(j->plafonds[std::size_t(p)]) : double(JeuDonnees::plafondAucun);
    case Prop::Validite: return pointValide ? int(j->validite(p)) : 0;
    case Prop::LibelleX: return m.libellesX.value(indice);
    case Prop::Legende: return m.legendes.value(indice);
    case Prop::LibelleGauche: return m.axes[0].libelles.value(indice);
    case Prop::Impression: return m.reglagesImpression.value(indice, 0.0);
    case Prop::PositionLue: {
        const int sel = rang(m.pointSelectionne);
        if (!j || sel < 0 || sel >= j->taille())
            return 0.0;
        return indice == 2 ? double(j->valeurs[std::size_t(sel)]) : j->x[std::size_t(sel)];
    }
    default:
        return m_autresIndexes.value({numero, indice}, 0);
    }
}

int MoteurGraphique::VBAGLabels(int nombre, const QString& textes)
{
    qCDebug(lcMoteur).noquote() << m_nom << "VBAGLabels" << nombre << textes;
    QStringList l = textes.split(u'\t');
    if (nombre < 0 || nombre != l.size())
        return -1;
    ++m_revision;
    m_modele.libellesTabulation = l;
    return 0;
}

void MoteurGraphique::GSBox2D(double x, double y, double largeur, double hauteur, int style, int couleur)
{
    m_calque.dessinerBoite({x, y, largeur, hauteur, style, couleur});
    emit calqueModifie();
}

void MoteurGraphique::GSSetROP(int mode)
{
    m_calque.definirMode(mode);
}

void MoteurGraphique::GSSymbol(double x, double y, int forme, int taille)
{
    m_calque.dessinerSymbole({x, y, forme, taille});
    emit calqueModifie();
}

void MoteurGraphique::setTaille(const QSize& taille)
{
    if (taille.isValid() && !taille.isEmpty())
        m_taille = taille;
}

void MoteurGraphique::demanderDessin(int demande)
{
    m_derniereDemande = demande;
    switch (demande) {
    case DemandeDessin::Vierge:
        m_vierge = true;
        m_calque.vider();
        emit dessinDemande();
        break;
    case DemandeDessin::Dessiner:
        m_vierge = false;
        m_calque.vider();
        emit dessinDemande();
        break;
    case DemandeDessin::Imprimer:
        emit impressionDemandee();
        break;
    case DemandeDessin::EcrireImage:
        ecrireFichierImage();
        break;
    default:
        break;
    }
}

bool MoteurGraphique::ecrireFichierImage()
{
    const QString chemin = cheminImage(m_modele.fichierImage);
    if (chemin.isEmpty())
        return false;
    const QRectF cadre(QPointF(0, 0), QSizeF(m_taille));
    const Disposition d(m_modele, cadre);
    const QRectF cible(QPointF(0, 0), d.zone.size());
    QPicture image;
    {
        QPainter p(&image);
        PeintreGraphique::peindreZone(p, m_modele, cadre, cible);
    }
    image.setBoundingRect(cible.toAlignedRect());
    ImagesFond::oublier(chemin);
    return image.save(chemin);
}

void MoteurGraphique::peindre(QPainter& peintre, const QRectF& cadre) const
{
    OptionsPeinture o;
    o.vierge = m_vierge;
    PeintreGraphique::peindre(peintre, m_modele, cadre, o);
}

const Disposition& MoteurGraphique::disposition(const QRectF& cadre) const
{
    if (!m_disposition || m_revisionDisposition != m_revision || m_cadreDisposition != cadre) {
        m_disposition = std::make_shared<const Disposition>(m_modele, cadre);
        m_revisionDisposition = m_revision;
        m_cadreDisposition = cadre;
    }
    return *m_disposition;
}

void MoteurGraphique::peindreCalque(QPainter& peintre, const QRectF& cadre) const
{
    m_calque.peindre(peintre, disposition(cadre).carteGauche);
}

QRectF MoteurGraphique::zoneTrace(const QRectF& cadre) const
{
    return disposition(cadre).zone;
}

QPointF MoteurGraphique::versUnites(const QPointF& pixel, const QRectF& cadre) const
{
    return disposition(cadre).carteGauche.unites(pixel);
}

QPointF MoteurGraphique::versPixels(const QPointF& unites, const QRectF& cadre) const
{
    return disposition(cadre).carteGauche.pixel(unites.x(), unites.y());
}
