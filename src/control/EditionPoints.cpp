#include "control/EditionPoints.h"

#include "control/CtlGraphique.h"
#include "control/FenetreZoom.h"
#include "control/SourisEtZoom.h"

#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Nombres.h"
#include "commun/TableauValeurs.h"
#include "control/CadreTitre.h"
#include "control/EnteteStations.h"
#include "data/Litteraux.h"
#include "entry/EnregistrementPoints.h"
#include "entry/GrillePoints.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/Messages.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QPushButton>

namespace {

using G = GrillePoints;

QString texteChamp(const QVariant& v)
{
    return EstVide(v) ? QString() : TexteCellule(v);
}


// Les lignes qui ne se lisent pas marquées invalides ; les autres reprennent le style normal.
void marquerEtats(GrillePoints& grille, const QList<EnregistrementPoints::Etat>& etats)
{
    using Etat = EnregistrementPoints::Etat;
    for (int r = 0; r < etats.size() && r < grille.lignes(); ++r) {
        const Etat e = etats[r];
        if (e == Etat::Vide || grille.verrouille(r, G::Date))
            continue;
        const int derniere = e == Etat::Incomplete ? G::Heure : G::Rupture;
        for (int c = G::Date; c <= derniere; ++c)
            grille.setStyle(r, c, e == Etat::Lue ? G::Style::Normal : G::Style::Invalide);
    }
}

} // namespace

EditionPoints::EditionPoints(CtlGraphique& controle, GrillePoints& grille, CadreTitre& cadre)
    : m_ctl(controle)
    , m_grille(grille)
    , m_cadre(cadre)
{
}

void EditionPoints::brancher(QPushButton& inserer, QPushButton& supprimer, QPushButton& enregistrer)
{
    m_inserer = &inserer;
    majInsertion();
    QObject::connect(&m_grille, &GrillePoints::celluleModifiee, &m_ctl, [this](int l, int c) { sousGarde([&] { celluleModifiee(l, c); }); });
    QObject::connect(&m_grille, &GrillePoints::celluleCliquee, &m_ctl, [this](int l, int c) { sousGarde([&] { celluleCliquee(l, c); }); });
    QObject::connect(&inserer, &QPushButton::clicked, &m_ctl, [this] { sousGarde([&] { insererPoint(); }); });
    QObject::connect(&supprimer, &QPushButton::clicked, &m_ctl, [this] { sousGarde([&] { supprimerPoint(); }); });
    QObject::connect(&enregistrer, &QPushButton::clicked, &m_ctl, [this] { sousGarde([&] { enregistrerDemande(); }); });
}

// Outil 6 : la grille préparée puis remplie, montrée dans son cadre.
void EditionPoints::editerGrille()
{
    m_grille.setUpdatesEnabled(false);
    const bool prete = preparerGrille();
    if (prete)
        remplirGrille();
    m_cadre.setVisible(prete);
    if (prete) {
        // Le cadre prend la largeur de la grille : ses cinq colonnes se lisent en entier.
        m_grille.resizeColumnsToContents();
        int largeur = m_grille.verticalHeader()->sizeHint().width() + m_grille.verticalScrollBar()->sizeHint().width()
            + 2 * m_grille.frameWidth() + 12;
        for (int c = G::Date; c <= G::Obtention; ++c)
            largeur += m_grille.columnWidth(c);
        m_cadre.resize(largeur, m_cadre.height());
    }
    m_ctl.DispositionRedimensionnement();
    m_grille.setUpdatesEnabled(true);
}

bool EditionPoints::preparerGrille()
{
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    const auto debut = c.debutChargement(), fin = c.finChargement();
    if (!debut || !fin) {
        m_grille.hide();
        return false;
    }
    m_grille.setLignes(0);
    m_grille.show();
    const auto& validation = m_derniereValidation;
    const QDate minimum = validation && *validation >= *debut ? validation->addDays(1) : debut->addDays(1);
    m_grille.definirBornesDates(minimum, fin->addDays(-1));
    return true;
}

// Une ligne par point de la première courbe ; celles d'avant la validation sont grisées et verrouillées.
void EditionPoints::remplirGrille()
{
    const CourbePtr courbe = m_ctl.CollCourbes().GetCourbe(1);
    if (!courbe)
        return;
    const QHash<QPair<QDate, QTime>, LigneMesure> enBase = mesuresEnBase();
    const int n = courbe->NbValeurs();
    m_grille.setLignes(n);
    for (int r = 0; r < n; ++r) {
        for (int champ = 0; champ <= 1; ++champ)
            m_grille.setTexte(r, champ, texteChamp(courbe->cellule(champ, r)));
        // Avec la virgule des valeurs saisies, sans arrondi : une mesure au millième ne change pas pour avoir été montrée.
        m_grille.setTexte(r, G::Valeur, TexteCelluleFrancaise(courbe->cellule(G::Valeur, r)));
        const auto rupture = ConvertirNombre(courbe->cellule(4, r));
        m_grille.setTexte(r, G::Rupture, rupture && rupture->toDouble() != 0 ? QStringLiteral("R") : QString());
        m_grille.setTexte(r, G::Obtention, texteChamp(courbe->cellule(5, r)));
        const auto jour = LireDate(m_grille.texte(r, G::Date));
        // La mesure que la ligne montre, telle que la base la tient : l'enregistrement refusera de la
        // changer si la base ne la tient plus ainsi.
        if (jour) {
            const QTime heure = LireHeure(m_grille.texte(r, G::Heure).trimmed()).value_or(QTime(0, 0));
            const auto mesure = enBase.contains({*jour, heure}) ? std::optional(enBase.value({*jour, heure})) : std::nullopt;
            m_grille.setOrigine(r, EnregistrementPoints::origine(*jour, heure, mesure, courbe->cellule(G::Valeur, r)));
        }
        if (jour && avantValidation(*jour)) {
            m_grille.setStyle(r, -1, G::Style::Grise);
            m_grille.verrouiller(r, -1, true);
        }
    }
}

// Les mesures de la période chargée, par instant, telles que la base les tient au remplissage.
QHash<QPair<QDate, QTime>, LigneMesure> EditionPoints::mesuresEnBase()
{
    QHash<QPair<QDate, QTime>, LigneMesure> parInstant;
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    BaseDonnees* base = CtlGraphique::baseDonnees();
    const auto debut = c.debutChargement(), fin = c.finChargement();
    QString erreur;
    const auto lignes = base && debut && fin
        ? EnregistrementPoints::mesures(*base, m_ctl.RecupSprEntete()->CodeStation(), *debut, *fin, erreur)
        : std::nullopt;
    for (const LigneMesure& l : lignes.value_or(QList<LigneMesure>{}))
        parInstant.insert({l.date, l.heure}, l);
    return parInstant;
}

void EditionPoints::celluleCliquee(int ligne, int colonne)
{
    if (colonne != G::Rupture || ligne < 0 || ligne >= m_grille.lignes() || m_grille.verrouille(ligne, G::Date))
        return;
    const bool rupture = m_grille.texte(ligne, G::Rupture).trimmed() == QStringLiteral("R");
    m_grille.setTexte(ligne, G::Rupture, rupture ? QStringLiteral(" ") : QStringLiteral("R"));
    m_grille.setStyle(ligne, G::Rupture, G::Style::Accepte);
    celluleModifiee(ligne, G::Rupture);
}

void EditionPoints::celluleModifiee(int ligne, int colonne)
{
    if (m_ctl.outilCourant() == 4) {
        // Un point posé ne peut pas précéder la dernière validation : il passe au lendemain.
        if (const auto& v = m_derniereValidation)
            for (int r = 0; r < m_grille.lignes(); ++r)
                if (const auto d = LireDate(m_grille.texte(r, G::Date)); d && *d <= *v)
                    m_grille.setTexte(r, G::Date, TexteDate(v->addDays(1)));
        return;
    }
    if (m_ctl.outilCourant() != 6 || ligne < 0 || ligne >= m_grille.lignes())
        return;
    m_grille.setTexte(ligne, G::Obtention, QStringLiteral("M"));
    m_grille.marquerModifiee(ligne);
    marquerSaisie(ligne, colonne);
    if (colonne == G::Date || colonne == G::Heure || colonne == G::Rupture)
        ligne = m_grille.trierSurDateHeure(ligne);
    reconstruireCourbe();
    positionnerLigne(ligne, colonne == G::Date);
    redessinerPoints();
}

// La cellule saisie acceptée, ou invalide quand elle ne se lit pas ou que sa colonne refuse ce qui
// a été tapé (une date impossible, hors des dates à corriger) : le texte reste tel quel.
void EditionPoints::marquerSaisie(int ligne, int colonne)
{
    if (colonne != G::Date && colonne != G::Heure && colonne != G::Valeur)
        return;
    const QString t = m_grille.texte(ligne, colonne).trimmed();
    const bool lisible = colonne == G::Date ? LireDate(t).has_value() : colonne == G::Heure ? LireHeure(t).has_value() : true;
    m_grille.setStyle(ligne, colonne, lisible && m_grille.refus(ligne, colonne).isEmpty() ? G::Style::Accepte : G::Style::Invalide);
}

// La première courbe reprend les lignes datées de la grille, une rupture en double, puis se montre point par point.
void EditionPoints::reconstruireCourbe()
{
    const CourbePtr courbe = m_ctl.CollCourbes().GetCourbe(1);
    if (!courbe)
        return;
    QList<QList<QVariant>> points;
    for (int r = 0; r < m_grille.lignes(); ++r) {
        if (!LireDate(m_grille.texte(r, G::Date).trimmed()))
            continue;
        const QList<QVariant> point{m_grille.texte(r, G::Date).trimmed(), m_grille.texte(r, G::Heure).trimmed(),
                                    m_grille.texte(r, G::Valeur).trimmed(), QVariant(), 0};
        points << point;
        if (m_grille.texte(r, G::Rupture).trimmed() == QStringLiteral("R")) {
            QList<QVariant> coupure = point;
            coupure[4] = 1;
            points << coupure;
        }
    }
    TableauValeurs t(5, int(points.size()));
    Classe_Graphiques& c = m_ctl.CollCourbes();
    for (int i = 0; i < points.size(); ++i) {
        for (int champ = 0; champ < 5; ++champ)
            t.definir(champ, i, points[i][champ]);
        // Une valeur saisie au-delà de l'axe l'élargit : elle se voit entière.
        const double v = LireNombre(points[i][2]).value_or(0.0);
        c.setMaxDonnees(std::max(c.MaxDonnees(), v));
        c.setMinDonnees(std::min(c.MinDonnees(), v));
    }
    courbe->AjouterValeurs(t);
    m_ctl.AffichageGraphique(false, false, TexteCode(Periode::Sans));
}

// Les colonnes cachées V X et V Y d'une ligne : sa place sur le graphique.
void EditionPoints::positionnerLigne(int ligne, bool xSeulement)
{
    if (ligne < 0 || ligne >= m_grille.lignes())
        return;
    MoteurGraphique& g = m_ctl.Graphique();
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    const auto& debut = c.instantDebutAffichage();
    const auto& fin = c.instantFinAffichage();
    const auto jour = LireDate(m_grille.texte(ligne, G::Date).trimmed());
    g.ecrire(Prop::AxeY, 0);
    const double xMin = g.lireNombre(Prop::XMin), xMax = g.lireNombre(Prop::XMax);
    if (debut && fin && jour && debut->secsTo(*fin) > 0) {
        const QDateTime instant(*jour, LireHeure(m_grille.texte(ligne, G::Heure).trimmed()).value_or(QTime(0, 0)));
        const double part = double(debut->secsTo(instant)) / double(debut->secsTo(*fin));
        m_grille.setTexte(ligne, G::PositionX, FormatNombre(xMin + part * (xMax - xMin), QStringLiteral("0.00000")));
    }
    if (!xSeulement) {
        const double valeur = LireNombre(m_grille.texte(ligne, G::Valeur)).value_or(0.0);
        const double y = std::clamp(valeur, g.lireNombre(Prop::YMin), std::max(g.lireNombre(Prop::YMin), g.lireNombre(Prop::YMax)));
        m_grille.setTexte(ligne, G::PositionY, FormatNombre(y, QStringLiteral("0.00000")));
    }
}

void EditionPoints::insererPoint()
{
    if (m_ctl.Graphique().lire(Prop::NbJeux).toInt() < 2)
        return;
    const int active = m_grille.ligneActive();
    m_grille.insererLigne(active >= 0 && active < m_grille.lignes() ? active : 0);
}

// Le graphique de travail garde son second jeu aux points corrigés, que l'insertion, la pose et
// les changements d'outil désignent : sans point, il ne change ni les barres ni la légende.
void EditionPoints::apresAffichage()
{
    MoteurGraphique& g = m_ctl.Graphique();
    if (Traits(m_ctl.TypeGraphique()).saisie && g.lire(Prop::NbJeux).toInt() < 2) {
        g.ecrire(Prop::NbJeux, 2);
        g.ecrire(Prop::Jeu, 2);
        for (int p = 1; p <= g.lire(Prop::NbPoints).toInt(); ++p) {
            g.ecrire(Prop::Point, p);
            g.ecrire(Prop::Manquant, 1);
        }
        g.ecrire(Prop::Jeu, 1);
    }
    majInsertion();
}

// Sans second jeu (un autre graphique que celui de travail), le bouton dit pourquoi il n'insère pas.
void EditionPoints::majInsertion()
{
    if (!m_inserer)
        return;
    const bool possible = m_ctl.Graphique().lire(Prop::NbJeux).toInt() >= 2;
    m_inserer->setEnabled(possible);
    m_inserer->setToolTip(possible ? QStringLiteral("Une ligne vide avant la ligne courante, à remplir puis enregistrer.")
                                   : QStringLiteral("L'insertion ne se fait que dans le graphique de travail (Graphique, "
                                                    "Corriger les mesures…), qui garde un jeu pour les points corrigés."));
}

void EditionPoints::supprimerPoint()
{
    const int active = m_grille.ligneActive();
    if (active < 0 || active >= m_grille.lignes() || m_grille.verrouille(active, G::Date))
        return;
    m_grille.supprimerLigne(active);
    redessinerPoints();
}

// Le bouton enregistre ce que l'outil courant a préparé : les points posés (outil 4) ou la grille
// (outil 6). Un seul point posé ne s'enregistre pas : la personne apprend pourquoi.
void EditionPoints::enregistrerDemande()
{
    if (m_ctl.outilCourant() == 6)
        return enregistrerGrille();
    if (m_ctl.outilCourant() == 4 && m_grille.lignes() >= 2)
        return enregistrerPointsPoses();
    AfficherMessage(QStringLiteral("aide"),
                    m_ctl.outilCourant() != 4 ? QStringLiteral("Rien à enregistrer : une plage supprimée l'est dès qu'elle est confirmée.")
                    : m_grille.lignes() == 0  ? QStringLiteral("Aucun point posé : cliquez sur le graphique pour en poser, puis enregistrez.")
                                              : QStringLiteral("Un seul point posé : il en faut au moins deux, le premier et le dernier "
                                                               "jour de la période qu'ils remplacent."));
}

std::optional<EnregistrementPoints::Projet> EditionPoints::projetGrille(QString& erreur)
{
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    const auto debut = c.debutChargement(), fin = c.finChargement();
    BaseDonnees* base = CtlGraphique::baseDonnees();
    if (!debut || !fin || !base)
        return std::nullopt;
    QList<EnregistrementPoints::Ligne> lignes;
    for (int r = 0; r < m_grille.lignes(); ++r)
        lignes.append({m_grille.texte(r, G::Date), m_grille.texte(r, G::Heure), m_grille.texte(r, G::Valeur),
                       m_grille.texte(r, G::Rupture), m_grille.ligneRemplie(r), m_grille.origine(r),
                       m_grille.modifiee(r), !m_grille.refus(r).isEmpty()});
    // Une ligne supprimée de la grille : sa mesure est à supprimer de la base.
    for (const auto& retiree : m_grille.originesRetirees())
        lignes.append({{}, {}, {}, {}, false, retiree, true, false});
    auto projet = EnregistrementPoints::projetGrille(*base, m_ctl.RecupSprEntete()->CodeStation(), *debut, *fin, lignes, erreur);
    if (projet)
        marquerEtats(m_grille, projet->etats);
    if (!erreur.isEmpty())
        return std::nullopt;
    return projet;
}

void EditionPoints::enregistrerGrille()
{
    m_grille.validerSaisieEnCours();
    QString erreur;
    const auto projet = projetGrille(erreur);
    if (!projet) {
        if (!erreur.isEmpty())
            AfficherMessage(QStringLiteral("erreur"), erreur);
        return;
    }
    enregistrerProjet(*projet, QStringLiteral("Enregistrer la grille des points ?"), QStringLiteral("grille des points"));
}

QString EditionPoints::texteStation() const
{
    return (m_ctl.RecupSprEntete()->CodeStation() + u' ' + m_ctl.RecupSprEntete()->NomStation()).trimmed();
}

// Le bilan, puis chaque valeur effacée qui sera écrite 0 : la personne la voit avant de confirmer.
QString EditionPoints::resume(const EnregistrementPoints::Projet& projet) const
{
    QStringList lignes{projet.bilan(texteStation()) + u'.'};
    lignes << projet.detailVides();
    return lignes.join(u'\n');
}

// Ce qui va changer, dit en nombres et confirmé, puis écrit.
bool EditionPoints::enregistrerProjet(const EnregistrementPoints::Projet& projet, const QString& question,
                                     const QString& origine)
{
    if (projet.changements.isEmpty()) {
        AfficherMessage(QStringLiteral("aide"), QStringLiteral("Aucune mesure ne change : rien à enregistrer."));
        return false;
    }
    if (AfficherMessage(QStringLiteral("question"), question + u'\n' + resume(projet)) != BoutonMessage::Oui)
        return false;
    return ecrireProjet(projet, origine);
}

// Écrit tout ou rien, puis recharge : le graphique et la grille montrent ce que la base tient désormais.
bool EditionPoints::ecrireProjet(const EnregistrementPoints::Projet& projet, const QString& origine)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit m_ctl.progression(QStringLiteral("Enregistrement de données"), 0);
    QString erreur;
    const bool ok = EnregistrementPoints::enregistrer(*CtlGraphique::baseDonnees(), projet, origine, erreur);
    emit m_ctl.progression(QString(), 100);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return false;
    }
    rechargerApresEnregistrement();
    return true;
}

bool EditionPoints::enAttente()
{
    m_grille.validerSaisieEnCours();
    return m_grille.saisiesEnAttente();
}

bool EditionPoints::conclure(bool grapheGarde)
{
    if (!enAttente())
        return true;
    const bool points = m_ctl.outilCourant() == 4;
    QString erreur;
    const auto projet = points ? projetPointsPoses(erreur) : projetGrille(erreur);
    if (!projet && erreur.isEmpty()) {
        abandonner(false);
        return true;
    }
    if (!projet) {
        // Ce qui ne s'enregistre pas tel quel reste à l'écran, pour être repris.
        AfficherMessage(QStringLiteral("erreur"), erreur + QStringLiteral("\nLes corrections restent à l'écran, à reprendre ou à abandonner."));
        return false;
    }
    if (projet->changements.isEmpty()) {
        abandonner(false);
        return true;
    }
    const QString question = (points ? QStringLiteral("Les points posés ne sont pas enregistrés : ")
                                     : QStringLiteral("Les corrections de la grille ne sont pas enregistrées : "))
        + resume(*projet) + QStringLiteral("\nLes enregistrer avant de continuer ? (Non : les abandonner)");
    const qint16 reponse = AfficherMessage(QStringLiteral("choix"), question);
    if (reponse == BoutonMessage::Oui)
        return ecrireProjet(*projet, points ? QStringLiteral("points posés sur le graphique") : QStringLiteral("grille des points"));
    if (reponse == BoutonMessage::Non)
        abandonner(grapheGarde);
    return reponse == BoutonMessage::Non;
}

// Les saisies oubliées ; le graphique que la grille avait changé reprend ce que la base tient.
void EditionPoints::abandonner(bool grapheGarde)
{
    const bool grille = m_ctl.outilCourant() != 4;
    if (!grille)
        masquerPointsPoses();
    m_grille.setLignes(0);
    if (grille && grapheGarde)
        rechargerApresEnregistrement();
}

void EditionPoints::rechargerApresEnregistrement()
{
    const qint16 outil = m_ctl.outilCourant();
    m_grille.setLignes(0);
    if (!m_ctl.demanderChargementALHote())
        m_ctl.ChargementDonnees();
    m_ctl.declencheOutil(outil);
}

std::optional<EnregistrementPoints::Projet> EditionPoints::projetPointsPoses(QString& erreur)
{
    BaseDonnees* base = CtlGraphique::baseDonnees();
    if (m_grille.lignes() < 2) {
        erreur = QStringLiteral("Un seul point posé : il en faut au moins deux pour enregistrer.");
        return std::nullopt;
    }
    if (!base)
        return std::nullopt;
    QList<std::pair<QDate, double>> points;
    for (int r = 0; r < m_grille.lignes(); ++r)
        if (const auto d = LireDate(m_grille.texte(r, G::Date)))
            points.append({*d, LireNombre(m_grille.texte(r, G::Valeur)).value_or(0.0)});
    return EnregistrementPoints::projetPointsPoses(*base, m_ctl.RecupSprEntete()->CodeStation(), points, erreur);
}

void EditionPoints::enregistrerPointsPoses()
{
    const int n = m_grille.lignes();
    if (m_ctl.outilCourant() != 4 || n < 2 || !CtlGraphique::baseDonnees())
        return;
    const QString premier = m_grille.texte(0, G::Date), dernier = m_grille.texte(n - 1, G::Date);
    QString erreur;
    const auto projet = projetPointsPoses(erreur);
    if (!projet) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return;
    }
    enregistrerProjet(*projet,
                      QStringLiteral("Etes vous sûr de vouloir enregistrer les points à partir du ") + premier
                          + QStringLiteral(" jusqu'au ") + dernier + QStringLiteral(" ?"),
                      QStringLiteral("points posés sur le graphique"));
}

void EditionPoints::effacerPointsPoses()
{
    if (m_ctl.outilCourant() != 4)
        return;
    masquerPointsPoses();
    m_grille.setLignes(0);
}

// Les points du jeu édité manquants : le graphique ne les montre plus, la grille les garde.
void EditionPoints::masquerPointsPoses()
{
    MoteurGraphique& g = m_ctl.Graphique();
    g.ecrire(Prop::Jeu, 2);
    for (int r = 1; r <= m_grille.lignes(); ++r) {
        g.ecrire(Prop::Point, r);
        g.ecrire(Prop::Manquant, 1);
    }
    g.ecrire(Prop::Dessin, 2);
}

// Outil 5, autre bouton que le gauche : les mesures entre les deux bords de la sélection sont supprimées.
void EditionPoints::supprimerPlage(double x1, double x2)
{
    const auto jours = m_ctl.souris().joursEntre(std::min(x1, x2), std::max(x1, x2));
    if (!jours)
        return;
    const auto [d1, d2] = *jours;
    if (avantValidation(d1)) {
        AfficherMessage(QStringLiteral("aide"), QStringLiteral("Vous ne pouvez pas supprimer les points avant la date de dernière validation (")
                                                    + texteValidation() + QStringLiteral(")"));
        return;
    }
    BaseDonnees* base = CtlGraphique::baseDonnees();
    if (!base)
        return;
    QString erreur;
    const auto projet = EnregistrementPoints::projetPlage(*base, m_ctl.RecupSprEntete()->CodeStation(), d1, d2, erreur);
    if (!projet) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return;
    }
    enregistrerProjet(*projet,
                      QStringLiteral("Voulez vous supprimer les points entre le ") + TexteDate(d1) + QStringLiteral(" et le ")
                          + TexteDate(d2) + QStringLiteral(" ?"),
                      QStringLiteral("suppression d'une plage"));
}

void EditionPoints::ajouterPointClic(double x, double y)
{
    m_ctl.Graphique().ecrire(Prop::AxeY, 0);
    if (!m_ctl.souris().pointDansGraphique(x, y))
        return;
    const auto jours = m_ctl.souris().joursEntre(x, x);
    if (!jours)
        return;
    const QDate date = jours->first;
    if (avantValidation(date)) {
        AfficherMessage(QStringLiteral("aide"),
                        QStringLiteral("Vous ne pouvez pas ajouter de point avant la date de dernière validation (")
                            + texteValidation() + QStringLiteral(")"));
        return;
    }
    GrillePoints* grille = &m_grille;
    for (int r = 0; r < grille->lignes(); ++r)
        if (const auto px = LireNombre(grille->texte(r, G::PositionX)); px && std::abs(*px - x) <= 0.01)
            return redessinerPoints();
    const int r = grille->lignes();
    grille->setLignes(r + 1);
    grille->setTexte(r, G::Date, TexteDate(date));
    // Un point posé sera enregistré à midi : la grille le montre tel.
    grille->setTexte(r, GrillePoints::Heure, QStringLiteral("12:00:00"));
    grille->setTexte(r, G::Valeur, GrillePoints::texteValeur(y));
    grille->setTexte(r, G::PositionX, FormatNombre(x, QStringLiteral("0.00000")));
    grille->setTexte(r, G::PositionY, FormatNombre(y, QStringLiteral("0.00000")));
    // Les points se suivent dans l'ordre des dates : la ligne qui les relie va de gauche à droite.
    grille->trierSurDateHeure(-1);
    redessinerPoints();
}

void EditionPoints::redessinerPoints()
{
    MoteurGraphique& g = m_ctl.Graphique();
    // Le jeu édité est le second, sur un graphique X–Y : sur un graphique par périodes, une position X
    // en ferait un X–Y et déplacerait la série chargée ; les points n'y sont que marqués.
    const bool jeuEdite = g.lire(Prop::NbJeux).toInt() > 1 && g.modele().estXY();
    if (jeuEdite) {
        g.ecrire(Prop::PlacementJeux, 0);
        g.ecrire(Prop::Jeu, 2);
    }
    const GrillePoints* grille = (&m_grille);
    for (int i = 1; i <= grille->lignes(); ++i) {
        const QString date = grille->texte(i - 1, G::Date);
        const QString valeur = grille->texte(i - 1, G::Valeur);
        // Une ligne sans place sur le graphique (pas encore positionnée) n'y est pas tracée.
        if (date.trimmed().isEmpty() || valeur.trimmed().isEmpty() || grille->texte(i - 1, G::PositionX).trimmed().isEmpty())
            continue;
        const double x = LireNombre(grille->texte(i - 1, G::PositionX)).value_or(0.0);
        const double y = LireNombre(grille->texte(i - 1, G::PositionY)).value_or(0.0);
        if (jeuEdite) {
            if (g.lire(Prop::NbPoints).toInt() < i)
                g.ecrire(Prop::NbPoints, g.lire(Prop::NbPoints).toInt() + 1);
            g.ecrire(Prop::Point, i);
            g.ecrire(Prop::PositionX, x);
            g.ecrire(Prop::ValeurTexte, LireNombre(valeur).value_or(0.0));
            g.ecrire(Prop::Manquant, 0);
        }
        g.GSSymbol(x, y, 1, 2);
    }
}

QString EditionPoints::texteValidation() const
{
    return m_derniereValidation ? TexteDate(*m_derniereValidation) : QString();
}
