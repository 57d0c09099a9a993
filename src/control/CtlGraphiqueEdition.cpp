#include "control/CtlGraphique.h"

#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Nombres.h"
#include "control/EnteteStations.h"
#include "control/FenetreZoom.h"
#include "entry/EnregistrementPoints.h"
#include "entry/GrillePoints.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/Messages.h"

namespace {

constexpr int colonneDate = GrillePoints::Date;
constexpr int colonneValeur = GrillePoints::Valeur;

} // namespace

void CtlGraphique::DeclencheEnregistrer() noexcept
{
    sousGarde([&] {
        const int n = m_sprPoints->lignes();
        BaseDonnees* base = baseDonnees();
        if (m_outilCourant != 4 || n < 2 || !base)
            return;
        const QString premier = m_sprPoints->texte(0, colonneDate), dernier = m_sprPoints->texte(n - 1, colonneDate);
        QList<std::pair<QDate, double>> points;
        for (int r = 0; r < n; ++r)
            if (const auto d = LireDate(m_sprPoints->texte(r, colonneDate)))
                points.append({*d, LireNombre(m_sprPoints->texte(r, colonneValeur)).value_or(0.0)});
        QString erreur;
        const auto projet = EnregistrementPoints::projetPointsPoses(*base, m_entete->CodeStation(), points, erreur);
        if (!projet) {
            AfficherMessage(QStringLiteral("erreur"), erreur);
            return;
        }
        enregistrerProjet(*projet,
                          QStringLiteral("Etes vous sûr de vouloir enregistrer les points à partir du ") + premier
                              + QStringLiteral(" jusqu'au ") + dernier + QStringLiteral(" ?"),
                          QStringLiteral("points posés sur le graphique"));
    });
}

void CtlGraphique::DeclencheSupprimer() noexcept
{
    sousGarde([&] {
        if (m_outilCourant != 4)
            return;
        MoteurGraphique& g = Graphique();
        g.ecrire(Prop::Jeu, 2);
        for (int r = 1; r <= m_sprPoints->lignes(); ++r) {
            g.ecrire(Prop::Point, r);
            g.ecrire(Prop::Manquant, 1);
        }
        g.ecrire(Prop::Dessin, 2);
        m_sprPoints->setLignes(0);
    });
}

// Outil 5, autre bouton que le gauche : les mesures entre les deux bords de la sélection sont supprimées.
void CtlGraphique::supprimerPlageSelectionnee(double x1, double x2)
{
    MoteurGraphique& g = Graphique();
    const Classe_Graphiques& c = CollCourbes();
    const auto debut = LireDate(c.DateDebutAffichage()), fin = LireDate(c.DateFinAffichage());
    if (!debut || !fin)
        return;
    g.ecrire(Prop::AxeY, 0);
    const FenetreZoom::Bornes vue{g.lireNombre(Prop::XMin), g.lireNombre(Prop::XMax)};
    const auto [d1, d2] = FenetreZoom::dates(*debut, *fin, vue, std::min(x1, x2), std::max(x1, x2));
    const auto validation = LireDate(m_derniereValidation);
    if (validation && d1 <= *validation) {
        AfficherMessage(QStringLiteral("aide"), QStringLiteral("Vous ne pouvez pas supprimer les points avant la date de dernière validation (")
                                                    + m_derniereValidation + QStringLiteral(")"));
        return;
    }
    BaseDonnees* base = baseDonnees();
    if (!base)
        return;
    QString erreur;
    const auto projet = EnregistrementPoints::projetPlage(*base, m_entete->CodeStation(), d1, d2, erreur);
    if (!projet) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return;
    }
    enregistrerProjet(*projet,
                      QStringLiteral("Voulez vous supprimer les points entre le ") + TexteDate(d1) + QStringLiteral(" et le ")
                          + TexteDate(d2) + QStringLiteral(" ?"),
                      QStringLiteral("suppression d'une plage"));
}
