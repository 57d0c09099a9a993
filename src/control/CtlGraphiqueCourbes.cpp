// Opérations sur la liste des courbes, appelées par l'hôte sur le contrôle.
#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Horloge.h"
#include "commun/Nombres.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"
#include "commun/messages/Messages.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

namespace {

// Couleurs des pluviomètres ajoutés par l'hôte, sauf 7 (gris clair).
qint16 couleurSuivante(qint16 c)
{
    c = qint16(c + 1);
    if (c == 7)
        c = 8;
    if (c > 14)
        c = 0;
    return c;
}

void ecrireCellule(QObject* grille, int ligne, int colonne, const QString& texte)
{
    EcrireMembre(grille, QStringLiteral("Row"), ligne);
    EcrireMembre(grille, QStringLiteral("Col"), colonne);
    EcrireMembre(grille, QStringLiteral("Text"), texte);
}

QString lireCellule(QObject* grille, int ligne, int colonne)
{
    EcrireMembre(grille, QStringLiteral("Row"), ligne);
    EcrireMembre(grille, QStringLiteral("Col"), colonne);
    return LireMembre(grille, QStringLiteral("Text")).toString();
}

} // namespace

void CtlGraphique::AjouteCourbe(const QString& Cle, const QString& Titre, qint16 couleur,
                                const QVariant& TabValeurs) noexcept
{
    sousGarde([&] {
        auto courbe = std::make_shared<Classe_Graphique>();
        courbe->setCle(Cle);
        courbe->setTitre(Titre);
        courbe->setCouleur(couleur);
        courbe->setAfficher(true);
        Classe_Graphiques& c = CollCourbes();
        c.AjouterCourbe(courbe);
        c.AjouterValeurs(c.noCourbe(Cle), TabValeurs);
    });
}

qint16 CtlGraphique::AjoutePluvio(const QString& NomSite, const QString& Cle) noexcept
{
    return sousGarde(qint16(0), [&] {
        auto courbe = std::make_shared<Classe_Graphique>();
        courbe->setCle(Cle);
        courbe->setTitre(NomSite);
        courbe->setCouleur(d->compteurCouleur);
        courbe->setAfficher(true);
        CollCourbes().AjouterCourbe(courbe);
        d->compteurCouleur = couleurSuivante(d->compteurCouleur);
        return d->compteurCouleur;
    });
}

void CtlGraphique::SupprimerPluvio(qint32 noCourbe) noexcept
{
    sousGarde([&] {
        CollCourbes().SupprimerCourbe(noCourbe);
        redessiner();
    });
}

void CtlGraphique::SupprimerPiezo(qint32 noCourbe) noexcept
{
    SupprimerPluvio(noCourbe);
}

void CtlGraphique::MajStatistiques(qint16 noCourbe, bool& CourbeAAfficher) noexcept
{
    sousGarde([&] {
        CollCourbes().MajAfficher(noCourbe, CourbeAAfficher);
        if (TxtAnnee()->EstValide())
            redessiner();
    });
}

void CtlGraphique::MajCourbesAffichees(QObject* Spr, qint32 Row, qint32 Col) noexcept
{
    sousGarde([&] {
        if (Row <= 0 || !Spr)
            return;
        if (Col == 0) {
            const int k = lireCellule(Spr, Row, 2).toInt();
            const QString marque = lireCellule(Spr, Row, 0) == QStringLiteral("X") ? QStringLiteral(" ") : QStringLiteral("X");
            ecrireCellule(Spr, Row, 0, marque);
            CollCourbes().MajAfficher(k, marque == QStringLiteral("X"));
            redessiner();
        } else if (Col == 1) {
            const int k = lireCellule(Spr, Row, 2).toInt();
            CollCourbes().MajTitre(k, lireCellule(Spr, Row, 1));
            // Sans retracer les courbes, la légende à l'écran prend le nouveau nom, comme le classeur.
            if (d->titreLegendeEcran) {
                legendeEcran();
                Graphique().ecrire(Prop::Dessin, 2);
            }
        }
    });
}

void CtlGraphique::SelectUnselectCourbes(QObject* Spr) noexcept
{
    sousGarde([&] {
        if (!Spr)
            return;
        const QString marque = lireCellule(Spr, 0, 0) == QStringLiteral("X") ? QStringLiteral(" ") : QStringLiteral("X");
        ecrireCellule(Spr, 0, 0, marque);
        const int lignes = LireMembre(Spr, QStringLiteral("MaxRows")).toInt();
        for (int r = 1; r <= lignes; ++r) {
            const int k = lireCellule(Spr, r, 2).toInt();
            ecrireCellule(Spr, r, 0, marque);
            CollCourbes().MajAfficher(k, marque == QStringLiteral("X"));
        }
        redessiner();
    });
}

void CtlGraphique::afficheCourbe(qint16 indice) noexcept
{
    sousGarde([&] { CollCourbes().MajAfficher(indice, true); });
}

void CtlGraphique::masqueCourbe(qint16 indice) noexcept
{
    sousGarde([&] { CollCourbes().MajAfficher(indice, false); });
}

qint32 CtlGraphique::getCollCourbesSize() noexcept
{
    return sousGarde(qint32(0), [&] { return qint32(CollCourbes().Compter()); });
}

void CtlGraphique::RecupCourbe(qint16 indice, qint32& nbDates, QVariant& TabValeurs) noexcept
{
    sousGarde([&] {
        const CourbePtr courbe = CollCourbes().GetCourbe(indice);
        if (!courbe)
            return;
        const TableauValeurs* t = courbe->tableau();
        nbDates = t ? t->borneSup(2) : -1;
        TabValeurs = courbe->Valeurs();
    });
}

QString CtlGraphique::CodeCourbeReference() const noexcept
{
    return sousGarde(QString(), [&] { return d->disposition->codeReference(); });
}

void CtlGraphique::InitCourbeReference(const QString& code, const QString& libelle, const QString& DateDebut,
                                       const QString& DateFin, double min, double max) noexcept
{
    sousGarde([&] {
        d->disposition->ecrireReference(code, libelle, DateDebut, DateFin);
        // Des années entières, de celle du début de la courbe à l'année en cours.
        const int anneeCourante = Horloge::aujourdhui().year();
        const auto debut = LireDate(DateDebut.trimmed());
        const QDate d1(debut ? debut->year() : anneeCourante, 1, 1), d2(anneeCourante, 12, 31);
        TxtDateDebut()->setDate(d1);
        TxtDateFin()->setDate(d2);

        Classe_Graphiques& c = CollCourbes();
        c.setPasAxeX(qint16(DateDiff(Intervalle::Annee, d1, d2) + 1));
        c.setNbSeparations(5);
        c.setEchelleXAuto(true);
        c.setEchelleYAuto(true);
        c.setChargement(d1, d2);
        c.setUniteAxe(UniteAxe::Vide);
        c.setMinDonnees(min);
        c.setMaxDonnees(max);
        c.ViderCollection();
    });
}

void CtlGraphique::InitCourbeApercu(double min, double max, const QString& DateDebut, const QString& DateFin) noexcept
{
    sousGarde([&] {
        d->graphiqueApercu = true;
        Classe_Graphiques& c = CollCourbes();
        c.setUniteAxe(UniteAxe::Def);
        c.setMaxDonnees(max);
        c.setMinDonnees(min);
        TxtDateDebut()->setTexte(DateDebut);
        TxtDateFin()->setTexte(DateFin);
        c.setDateDebutChargement(DateDebut);
        c.setDateFinChargement(DateFin);
        c.afficherToutLeChargement();
        const auto d1 = c.debutChargement(), d2 = c.finChargement();
        c.setPasAxeX(qint16(d1 && d2 ? DateDiff(Intervalle::Annee, *d1, *d2) : 0));
        AppelerMembre(getExtender(), QStringLiteral("TraitementParametres"));
        if (c.EchelleYAuto()) {
            c.setMinY(c.MinDonnees());
            c.setMaxY(c.MaxDonnees());
        }
    });
}

void CtlGraphique::MajCourbeAnnee(QObject* SprAugures, const QString& CleCourbe, qint32 nbDates,
                                  const QVariant& TabValeurs) noexcept
{
    sousGarde([&] {
        // La courbe de l'année est la première du graphique annuel : la série de
        // l'année, chargée avant ses statistiques.
        const CourbePtr annee = Traits(d->typeGraphique).annuel ? CollCourbes().GetCourbe(1) : nullptr;
        const TableauValeurs* t = annee ? annee->tableau() : nullptr;
        const TableauValeurs* augure = TableauDans(TabValeurs);
        if (!t || annee->NbValeurs() <= 0) {
            AfficherMessage(QStringLiteral("erreur"),
                            QStringLiteral("Impossible de coller cette courbe d'augure car la courbe de l'année est vide."));
            return;
        }
        if (!augure || augure->points() == 0)
            return;
        const int dernier = annee->NbValeurs() - 1;
        const auto fin = DateDepuisCellule(t->valeur(0, dernier));
        const auto debutAugure = DateDepuisCellule(augure->valeur(0, 0));
        if (!fin || !debutAugure)
            return;
        const qint64 decalage = -DateDiff(Intervalle::Jour, *fin, *debutAugure);
        const double ecart = LireNombre(t->valeur(2, dernier)).value_or(0.0) - LireNombre(augure->valeur(2, 0)).value_or(0.0);

        TableauValeurs decale = *augure;
        const int n = std::min<int>(nbDates, decale.points() - 1);
        for (int i = 0; i <= n; ++i) {
            if (const auto d = DateDepuisCellule(decale(0, i)))
                decale(0, i) = TexteDate(DateAdd(Intervalle::Jour, double(decalage), d->date()));
            if (const auto v = LireNombre(decale(2, i)))
                decale(2, i) = *v + ecart;
        }
        auto courbe = std::make_shared<Classe_Graphique>();
        courbe->setCle(CleCourbe);
        courbe->setCouleur(12);
        courbe->setAfficher(true);
        Classe_Graphiques& c = CollCourbes();
        c.AjouterCourbe(courbe);
        c.AjouterValeurs(c.noCourbe(CleCourbe), QVariant::fromValue(decale));

        if (SprAugures) {
            const int lignes = LireMembre(SprAugures, QStringLiteral("MaxRows")).toInt() + 1;
            EcrireMembre(SprAugures, QStringLiteral("MaxRows"), lignes);
            ecrireCellule(SprAugures, lignes, 0, QStringLiteral("X"));
            ecrireCellule(SprAugures, lignes, 1, CleCourbe);
            ecrireCellule(SprAugures, lignes, 2, QString::number(c.noCourbe(CleCourbe)));
        }
        redessiner();
    });
}
