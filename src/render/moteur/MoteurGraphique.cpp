#include "render/moteur/MoteurGraphique.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "render/moteur/Disposition.h"
#include "render/moteur/EntierBorne.h"
#include "render/moteur/ImagesFond.h"
#include "render/moteur/PeintreGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/TableProprietes.h"

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

void MoteurGraphique::remettreANeuf()
{
    m_modele = ModeleGraphique();
    m_calque = Calque();
    m_vierge = true;
    m_derniereDemande = -1;
    m_autres.clear();
    m_autresIndexes.clear();
    m_disposition.reset();
    ++m_revision;
    emit dessinDemande();
}

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
    // Choisir un axe, un jeu, un point ou un élément ne change pas l'image.
    if (numero != Prop::AxeY && numero != Prop::Jeu && numero != Prop::Point && numero != Prop::ClasseTexte
        && numero != Prop::Element)
        ++m_revision;
    // Une valeur donnée en variant est tracée ici ; les nombres l'ont été par leur surcharge.
    if (valeurBrute.isValid())
        tracer(numero, std::nullopt, valeurBrute);
    // Les propriétés texte acceptent tout ; les autres veulent un nombre.
    if (appliquerTexte(numero, valeurBrute, nombre, estNombre))
        return;
    if (!estNombre) {
        m_autres.insert(numero, valeurBrute);
        return;
    }
    if (const auto* e = TableProprietes::entiere(numero)) {
        m_modele.*(e->membre) = entier(nombre);
        return;
    }
    if (!appliquerNombre(numero, nombre))
        m_autres.insert(numero, valeurBrute.isValid() ? valeurBrute : QVariant(nombre));
}

int MoteurGraphique::pointCourant() const
{
    const JeuDonnees* j = m_modele.jeuCourant();
    const int p = rang(m_modele.pointSelectionne);
    return (j && p >= 0 && p < j->taille()) ? p : -1;
}

bool MoteurGraphique::appliquerTexte(int numero, const QVariant& valeurBrute, double nombre, bool estNombre)
{
    ModeleGraphique& m = m_modele;
    // Texte seulement pour les quelques propriétés texte : les valeurs passent ici par centaines de milliers.
    const auto texte = [&] { return valeurBrute.isValid() ? TexteCellule(valeurBrute) : TexteNombre(nombre); };
    if (const auto* t = TableProprietes::texte(numero)) {
        m.*(t->membre) = texte();
        return true;
    }
    switch (numero) {
    case Prop::PolicePolice:
        if (m.classeTexte >= 0 && m.classeTexte < 4)
            m.polices[std::size_t(m.classeTexte)].famille = valeurBrute.isValid() ? TexteCellule(valeurBrute) : QString();
        return true;
    case Prop::LibelleDroit:
        m.axes[1].libelles.insert(m.pointSelectionne, texte());
        return true;
    case Prop::ValeurTexte:
        if (const int p = pointCourant(); p >= 0 && estNombre) {
            m.jeuCourant()->valeurs[std::size_t(p)] = float(nombre);
            m.jeuCourant()->modifie();
        }
        return true;
    default:
        return false;
    }
}

bool MoteurGraphique::appliquerNombre(int numero, double nombre)
{
    ModeleGraphique& m = m_modele;
    const int i = entier(nombre);
    switch (numero) {
    case Prop::Reinitialisation:
        if (i == 9) {
            m.reinitialiser();
            m_calque.vider();
        }
        m_autres.insert(numero, i);
        return true;
    case Prop::Dessin:
        demanderDessin(i);
        return true;
    case Prop::Manquant:
        marquerManquant(i != 0);
        return true;
    case Prop::TaillePolice:
        if (m.classeTexte >= 0 && m.classeTexte < 4)
            m.polices[std::size_t(m.classeTexte)].taillePourcent = i;
        return true;
    case Prop::CouleurElement:
        m.couleursElements.insert(m.elementSelectionne, i);
        return true;
    case Prop::Curseur:
        m.curseur = i;
        emit curseurModifie(i);
        return true;
    case Prop::NbPoints:
        m.definirNbPoints(i);
        return true;
    case Prop::NbJeux:
        m.definirNbJeux(i);
        return true;
    case Prop::XMax:
    case Prop::XMin:
        (numero == Prop::XMax ? m.xMaxEcrit : m.xMinEcrit) = nombre;
        (numero == Prop::XMax ? m.xMaxEcrit_ : m.xMinEcrit_) = true;
        m.ordreBornesX = m.prochainOrdre();
        return true;
    case Prop::NbLibellesX:
        if (i <= ModeleGraphique::nbLibellesMax)
            m.nbLibellesX = i;
        return true;
    case Prop::PositionX:
        if (const int p = pointCourant(); p >= 0) {
            m.jeuCourant()->x[std::size_t(p)] = nombre;
            m.jeuCourant()->avecX = true;
            m.jeuCourant()->modifie();
        }
        return true;
    case Prop::YMax:
    case Prop::YMin: {
        AxeValeurs& a = m.axes[std::size_t(std::clamp(m.axeSelectionne, 0, 1))];
        (numero == Prop::YMax ? a.max : a.min) = nombre;
        a.bornesEcrites = true;
        return true;
    }
    case Prop::DivisionsY:
        m.axes[std::size_t(std::clamp(m.axeSelectionne, 0, 1))].divisions = i;
        return true;
    case Prop::PointEnValeur:
        m.jeuPointEnValeur = i > 0 ? m.jeuSelectionne : 0;
        m.pointEnValeur = std::max(i, 0);
        return true;
    default:
        return false;
    }
}

template <typename Texte>
bool MoteurGraphique::ecrireIndexeSimple(int numero, int indice, const Texte& texte, double nombre, bool estNombre)
{
    if (const auto* t = TableProprietes::texteIndexe(numero)) {
        (m_modele.*(t->membre)).insert(indice, texte());
        return true;
    }
    const auto* e = TableProprietes::entiereIndexee(numero);
    if (e && estNombre)
        (m_modele.*(e->membre)).insert(indice, entier(nombre));
    return e != nullptr;
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
    if (ecrireIndexeSimple(numero, indice, texte, nombre, estNombre))
        return;
    const int p = rang(indice);
    const bool pointValide = j && p >= 0 && p < j->taille();
    switch (numero) {
    case Prop::CouleurPoint:
        if (pointValide && estNombre) {
            j->couleurs[std::size_t(p)] = qint8(std::clamp(entier(nombre), -1, 127));
            j->modifie();
            m.pointSelectionne = indice;
        }
        return;
    case Prop::ValeurPoint:
        if (pointValide && estNombre) {
            j->valeurs[std::size_t(p)] = float(nombre);
            j->modifie();
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
        // Un texte vide retire le libellé du point : celui de la liste tabulée reprend sa place.
        if (valeurBrute.isValid() && texte().isEmpty())
            m.libellesX.remove(indice);
        else
            m.libellesX.insert(indice, texte());
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
    if (const auto* e = TableProprietes::entiere(numero))
        return e->effective ? (m.*(e->effective))() : m.*(e->membre);
    if (const auto* t = TableProprietes::texte(numero))
        return m.*(t->membre);
    const int axe = std::clamp(m.axeSelectionne, 0, 1);
    const int p = pointCourant();
    const JeuDonnees* j = m.jeuCourant();
    const bool police = m.classeTexte >= 0 && m.classeTexte < 4;
    switch (numero) {
    case Prop::Dessin: return m_derniereDemande < 0 ? 0 : m_derniereDemande;
    case Prop::Manquant: return p >= 0 ? int(j->manquant[std::size_t(p)]) : 0;
    case Prop::PolicePolice: return police ? m.polices[std::size_t(m.classeTexte)].famille : QString();
    case Prop::TaillePolice: return police ? m.polices[std::size_t(m.classeTexte)].taillePourcent : 100;
    case Prop::CouleurElement: return std::max(m.couleurElement(m.elementSelectionne), 0);
    case Prop::ValeurTexte: return p >= 0 ? TexteNombre(j->valeurs[std::size_t(p)]) : QString();
    case Prop::Curseur: return m.curseur;
    case Prop::NbPoints: return m.nbPoints;
    case Prop::NbJeux: return m.nbJeux();
    case Prop::XMax: return m.bornesX().max;
    case Prop::XMin: return m.bornesX().min;
    case Prop::NbLibellesX: return m.nbLibellesEffectif();
    case Prop::PositionX: return p >= 0 ? j->x[std::size_t(p)] : 0.0;
    case Prop::YMax: return m.bornesY(axe).max;
    case Prop::YMin: return m.bornesY(axe).min;
    case Prop::DivisionsY: return m.divisionsY(axe);
    case Prop::LibelleDroit: return m.axes[1].libelles.value(m.pointSelectionne);
    case Prop::PointEnValeur: return m.jeuPointEnValeur == m.jeuSelectionne ? m.pointEnValeur : 0;
    default: return m_autres.value(numero, 0);
    }
}

QVariant MoteurGraphique::lireIndexe(int numero, int indice) const
{
    const ModeleGraphique& m = m_modele;
    if (const auto* t = TableProprietes::texteIndexe(numero))
        return (m.*(t->membre)).value(indice);
    if (const auto* e = TableProprietes::entiereIndexee(numero))
        return (m.*(e->membre)).value(indice, 0);
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

bool MoteurGraphique::chargerSerie(int jeu, std::vector<double> x, std::vector<float> valeurs, int couleur)
{
    const qint64 n = qint64(valeurs.size());
    if (jeu < 1 || jeu > ModeleGraphique::nbJeuxMax || qint64(x.size()) != n || n > ModeleGraphique::cellulesMax
        || n * std::max(jeu, m_modele.nbJeux()) > ModeleGraphique::cellulesMax)
        return false;
    ++m_revision;
    if (jeu > m_modele.nbJeux())
        m_modele.definirNbJeux(jeu);
    JeuDonnees& j = m_modele.jeux[std::size_t(jeu - 1)];
    // Rempli avant le nombre de points : ce jeu n'est pas d'abord agrandi de zéros pour rien.
    j.charger(std::move(x), std::move(valeurs), couleur);
    m_modele.definirNbPoints(int(n));
    j.resumes();
    return true;
}

bool MoteurGraphique::observe() const
{
    return m_observateur || lcMoteur().isDebugEnabled();
}

void MoteurGraphique::marquerManquant(bool manquant)
{
    if (const int p = pointCourant(); p >= 0) {
        m_modele.jeuCourant()->manquant[std::size_t(p)] = manquant ? 1 : 0;
        m_modele.jeuCourant()->modifie();
    }
}

void MoteurGraphique::placerPoint(double x, const std::optional<double>& valeur)
{
    const int p = pointCourant();
    if (p < 0)
        return;
    JeuDonnees& j = *m_modele.jeuCourant();
    j.x[std::size_t(p)] = x;
    j.avecX = true;
    if (valeur)
        j.valeurs[std::size_t(p)] = float(*valeur);
    j.modifie();
}

void MoteurGraphique::ecrirePointsDates(const std::vector<PointDate>& points, int& p)
{
    ++m_revision;
    ModeleGraphique& m = m_modele;
    for (const PointDate& pt : points) {
        if (!pt.date) {
            marquerManquant(true);
            ++p;
            continue;
        }
        m.pointSelectionne = p;
        if (JeuDonnees* j = m.jeuCourant(); j && p - 1 < j->taille()) {
            j->definirPlafond(p - 1, JeuDonnees::plafondAucun);
            j->definirValidite(p - 1, qint8(std::clamp(pt.validite, -128, 127)));
        }
        placerPoint(pt.x, std::nullopt);
        if (pt.avecValeur) {
            placerPoint(pt.x, pt.valeur);
            marquerManquant(false);
            if (pt.coupure) {
                m.definirNbPoints(m.nbPoints + 1);
                m.pointSelectionne = ++p;
                placerPoint(pt.x, pt.valeur);
                marquerManquant(true);
            }
        }
        ++p;
    }
}

void MoteurGraphique::colorerPoints(int n, int couleur)
{
    ++m_revision;
    JeuDonnees* j = m_modele.jeuCourant();
    const int fin = j ? std::min(n, j->taille()) : 0;
    for (int p = 0; p < fin; ++p)
        j->couleurs[std::size_t(p)] = qint8(std::clamp(couleur, -1, 127));
    if (fin > 0) {
        j->modifie();
        m_modele.pointSelectionne = fin;
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
    ++m_revision;
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
    // La disposition (libellés mesurés, échelles) ne change qu'avec le modèle ou le cadre.
    PeintreGraphique::peindre(peintre, m_modele, disposition(cadre), cadre, o);
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
