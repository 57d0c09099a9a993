#include "control/CtlGraphique.h"

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

// Une valeur lue de la base s'écrit avec la virgule des valeurs saisies, sans
// arrondi : une mesure au millième ne change pas pour avoir été montrée.
QString texteValeur(const QVariant& v)
{
    QString t = texteChamp(v);
    if (LireNombre(v))
        t.replace(u'.', u',');
    return t;
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

void CtlGraphique::brancherGrille()
{
    connect(m_sprPoints, &GrillePoints::celluleModifiee, this, [this](int l, int c) { sousGarde([&] { celluleGrilleModifiee(l, c); }); });
    connect(m_sprPoints, &GrillePoints::celluleCliquee, this, [this](int l, int c) { sousGarde([&] { celluleGrilleCliquee(l, c); }); });
    connect(m_cmdInsertion, &QPushButton::clicked, this, [this] { sousGarde([&] { insererPointGrille(); }); });
    connect(m_cmdSuppression, &QPushButton::clicked, this, [this] { sousGarde([&] { supprimerPointGrille(); }); });
    // Le bouton enregistre ce que l'outil courant a préparé : les points posés (outil 4) ou la grille (outil 6).
    connect(m_cmdEnregistrer, &QPushButton::clicked, this, [this] {
        sousGarde([&] {
            if (m_outilCourant == 4)
                DeclencheEnregistrer();
            else if (m_outilCourant == 6)
                enregistrerGrillePoints();
        });
    });
}

// Outil 6 : la grille préparée puis remplie, montrée dans son cadre.
void CtlGraphique::editerGrillePoints()
{
    m_sprPoints->setUpdatesEnabled(false);
    const bool prete = preparerGrillePoints();
    if (prete)
        remplirGrillePoints();
    m_frmOutils->setVisible(prete);
    if (prete) {
        // Le cadre prend la largeur de la grille : ses cinq colonnes se lisent en entier.
        m_sprPoints->resizeColumnsToContents();
        int largeur = m_sprPoints->verticalHeader()->sizeHint().width() + m_sprPoints->verticalScrollBar()->sizeHint().width()
            + 2 * m_sprPoints->frameWidth() + 12;
        for (int c = G::Date; c <= G::Obtention; ++c)
            largeur += m_sprPoints->columnWidth(c);
        m_frmOutils->resize(largeur, m_frmOutils->height());
    }
    DispositionRedimensionnement();
    m_sprPoints->setUpdatesEnabled(true);
}

bool CtlGraphique::preparerGrillePoints()
{
    const Classe_Graphiques& c = CollCourbes();
    const auto debut = LireDate(c.DateDebutChargement()), fin = LireDate(c.DateFinChargement());
    if (!debut || !fin) {
        m_sprPoints->hide();
        return false;
    }
    m_sprPoints->setLignes(0);
    m_sprPoints->show();
    const auto validation = LireDate(m_derniereValidation);
    const QDate minimum = validation && *validation >= *debut ? validation->addDays(1) : debut->addDays(1);
    m_sprPoints->definirBornesDates(minimum, fin->addDays(-1));
    return true;
}

// Une ligne par point de la première courbe ; celles d'avant la validation sont grisées et verrouillées.
void CtlGraphique::remplirGrillePoints()
{
    const CourbePtr courbe = CollCourbes().GetCourbe(1);
    if (!courbe)
        return;
    const int n = courbe->NbValeurs();
    const auto validation = LireDate(m_derniereValidation);
    m_sprPoints->setLignes(n);
    for (int r = 0; r < n; ++r) {
        for (int champ = 0; champ <= 1; ++champ)
            m_sprPoints->setTexte(r, champ, texteChamp(courbe->cellule(champ, r)));
        m_sprPoints->setTexte(r, G::Valeur, texteValeur(courbe->cellule(G::Valeur, r)));
        const auto rupture = ConvertirNombre(courbe->cellule(4, r));
        m_sprPoints->setTexte(r, G::Rupture, rupture && rupture->toDouble() != 0 ? QStringLiteral("R") : QString());
        m_sprPoints->setTexte(r, G::Obtention, texteChamp(courbe->cellule(5, r)));
        const auto jour = LireDate(m_sprPoints->texte(r, G::Date));
        // La mesure que la ligne montre : l'enregistrement sait ainsi ce que la grille tient de la base.
        if (jour)
            m_sprPoints->setOrigine(r, *jour, LireHeure(m_sprPoints->texte(r, G::Heure).trimmed()).value_or(QTime(0, 0)));
        if (validation && jour && *jour <= *validation) {
            m_sprPoints->setStyle(r, -1, G::Style::Grise);
            m_sprPoints->verrouiller(r, -1, true);
        }
    }
}

void CtlGraphique::celluleGrilleCliquee(int ligne, int colonne)
{
    if (colonne != G::Rupture || ligne < 0 || ligne >= m_sprPoints->lignes() || m_sprPoints->verrouille(ligne, G::Date))
        return;
    const bool rupture = m_sprPoints->texte(ligne, G::Rupture).trimmed() == QStringLiteral("R");
    m_sprPoints->setTexte(ligne, G::Rupture, rupture ? QStringLiteral(" ") : QStringLiteral("R"));
    m_sprPoints->setStyle(ligne, G::Rupture, G::Style::Accepte);
    celluleGrilleModifiee(ligne, G::Rupture);
}

void CtlGraphique::celluleGrilleModifiee(int ligne, int colonne)
{
    if (m_outilCourant == 4) {
        // Un point posé ne peut pas précéder la dernière validation : il passe au lendemain.
        if (const auto v = LireDate(m_derniereValidation))
            for (int r = 0; r < m_sprPoints->lignes(); ++r)
                if (const auto d = LireDate(m_sprPoints->texte(r, G::Date)); d && *d <= *v)
                    m_sprPoints->setTexte(r, G::Date, TexteDate(v->addDays(1)));
        return;
    }
    if (m_outilCourant != 6 || ligne < 0 || ligne >= m_sprPoints->lignes())
        return;
    m_sprPoints->setTexte(ligne, G::Obtention, QStringLiteral("M"));
    m_sprPoints->marquerModifiee(ligne);
    if (colonne == G::Date || colonne == G::Heure) {
        const QString t = m_sprPoints->texte(ligne, colonne).trimmed();
        const bool lisible = colonne == G::Date ? LireDate(t).has_value() : LireHeure(t).has_value();
        m_sprPoints->setStyle(ligne, colonne, lisible ? G::Style::Accepte : G::Style::Invalide);
    } else if (colonne == G::Valeur) {
        m_sprPoints->setStyle(ligne, colonne, G::Style::Accepte);
    }
    if (colonne == G::Date || colonne == G::Heure || colonne == G::Rupture)
        ligne = m_sprPoints->trierSurDateHeure(ligne);
    reconstruireCourbeDepuisGrille();
    positionnerLigneGrille(ligne, colonne == G::Date);
    RedessinerPoints();
}

// La première courbe reprend les lignes datées de la grille, une rupture en double, puis se montre point par point.
void CtlGraphique::reconstruireCourbeDepuisGrille()
{
    const CourbePtr courbe = CollCourbes().GetCourbe(1);
    if (!courbe)
        return;
    QList<QList<QVariant>> points;
    for (int r = 0; r < m_sprPoints->lignes(); ++r) {
        if (!LireDate(m_sprPoints->texte(r, G::Date).trimmed()))
            continue;
        const QList<QVariant> point{m_sprPoints->texte(r, G::Date).trimmed(), m_sprPoints->texte(r, G::Heure).trimmed(),
                                    m_sprPoints->texte(r, G::Valeur).trimmed(), QVariant(), 0};
        points << point;
        if (m_sprPoints->texte(r, G::Rupture).trimmed() == QStringLiteral("R")) {
            QList<QVariant> coupure = point;
            coupure[4] = 1;
            points << coupure;
        }
    }
    TableauValeurs t(5, int(points.size()));
    Classe_Graphiques& c = CollCourbes();
    for (int i = 0; i < points.size(); ++i) {
        for (int champ = 0; champ < 5; ++champ)
            t.definir(champ, i, points[i][champ]);
        // Une valeur saisie au-delà de l'axe l'élargit : elle se voit entière.
        const double v = LireNombre(points[i][2]).value_or(0.0);
        c.setMaxDonnees(std::max(c.MaxDonnees(), v));
        c.setMinDonnees(std::min(c.MinDonnees(), v));
    }
    courbe->AjouterValeurs(t);
    AffichageGraphique(false, false, QStringLiteral("SANS"));
}

// Les colonnes cachées V X et V Y d'une ligne : sa place sur le graphique.
void CtlGraphique::positionnerLigneGrille(int ligne, bool xSeulement)
{
    if (ligne < 0 || ligne >= m_sprPoints->lignes())
        return;
    MoteurGraphique& g = Graphique();
    const Classe_Graphiques& c = CollCourbes();
    const auto debut = LireDateHeure(c.DateDebutAffichage()), fin = LireDateHeure(c.DateFinAffichage());
    const auto jour = LireDate(m_sprPoints->texte(ligne, G::Date).trimmed());
    g.ecrire(Prop::AxeY, 0);
    const double xMin = g.lireNombre(Prop::XMin), xMax = g.lireNombre(Prop::XMax);
    if (debut && fin && jour && debut->secsTo(*fin) > 0) {
        const QDateTime instant(*jour, LireHeure(m_sprPoints->texte(ligne, G::Heure).trimmed()).value_or(QTime(0, 0)));
        const double part = double(debut->secsTo(instant)) / double(debut->secsTo(*fin));
        m_sprPoints->setTexte(ligne, G::PositionX, FormatNombre(xMin + part * (xMax - xMin), QStringLiteral("0.00000")));
    }
    if (!xSeulement) {
        const double valeur = LireNombre(m_sprPoints->texte(ligne, G::Valeur)).value_or(0.0);
        const double y = std::clamp(valeur, g.lireNombre(Prop::YMin), std::max(g.lireNombre(Prop::YMin), g.lireNombre(Prop::YMax)));
        m_sprPoints->setTexte(ligne, G::PositionY, FormatNombre(y, QStringLiteral("0.00000")));
    }
}

void CtlGraphique::insererPointGrille()
{
    if (Graphique().lire(Prop::NbJeux).toInt() < 2)
        return;
    const int active = m_sprPoints->ligneActive();
    m_sprPoints->insererLigne(active >= 0 && active < m_sprPoints->lignes() ? active : 0);
}

void CtlGraphique::supprimerPointGrille()
{
    const int active = m_sprPoints->ligneActive();
    if (active < 0 || active >= m_sprPoints->lignes() || m_sprPoints->verrouille(active, G::Date))
        return;
    m_sprPoints->supprimerLigne(active);
    RedessinerPoints();
}

void CtlGraphique::enregistrerGrillePoints()
{
    const Classe_Graphiques& c = CollCourbes();
    const auto debut = LireDate(c.DateDebutChargement()), fin = LireDate(c.DateFinChargement());
    BaseDonnees* base = baseDonnees();
    if (!debut || !fin || !base)
        return;
    QList<EnregistrementPoints::Ligne> lignes;
    for (int r = 0; r < m_sprPoints->lignes(); ++r)
        lignes.append({m_sprPoints->texte(r, G::Date), m_sprPoints->texte(r, G::Heure), m_sprPoints->texte(r, G::Valeur),
                       m_sprPoints->texte(r, G::Rupture), m_sprPoints->ligneRemplie(r), m_sprPoints->origine(r),
                       m_sprPoints->modifiee(r)});
    // Une ligne supprimée de la grille : sa mesure est à supprimer de la base.
    for (const auto& retiree : m_sprPoints->originesRetirees())
        lignes.append({{}, {}, {}, {}, false, retiree, true});
    QString erreur;
    const auto projet = EnregistrementPoints::projetGrille(*base, m_entete->CodeStation(), *debut, *fin, lignes, erreur);
    if (projet)
        marquerEtats(*m_sprPoints, projet->etats);
    if (!erreur.isEmpty() || !projet) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return;
    }
    enregistrerProjet(*projet, QStringLiteral("Enregistrer la grille des points ?"), QStringLiteral("grille des points"));
}

// Ce qui va changer, dit en nombres et confirmé, puis écrit tout ou rien et rechargé : le
// graphique et la grille montrent ce que la base tient désormais.
bool CtlGraphique::enregistrerProjet(const EnregistrementPoints::Projet& projet, const QString& question,
                                     const QString& origine)
{
    if (projet.changements.isEmpty()) {
        AfficherMessage(QStringLiteral("aide"), QStringLiteral("Aucune mesure ne change : rien à enregistrer."));
        return false;
    }
    const QString station = (m_entete->CodeStation() + u' ' + m_entete->NomStation()).trimmed();
    if (AfficherMessage(QStringLiteral("question"), question + u'\n' + projet.bilan(station) + u'.') != BoutonMessage::Oui)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit progression(QStringLiteral("Enregistrement de données"), 0);
    QString erreur;
    const bool ok = EnregistrementPoints::enregistrer(*baseDonnees(), projet, origine, erreur);
    emit progression(QString(), 100);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return false;
    }
    rechargerApresEnregistrement();
    return true;
}

// Les données chargées de nouveau : par l'hôte, qui sait ce qu'il a montré (l'outil 10), sinon
// par la dernière demande ; puis l'outil d'édition reprend, sa grille remplie de ce qui est en base.
void CtlGraphique::rechargerApresEnregistrement()
{
    const qint16 outil = m_outilCourant;
    m_sprPoints->setLignes(0);
    bool hote = false;
    AppelerMembre(getExtender(), m_typeGraphique == TypeGraph::annuaire ? QStringLiteral("TraitementParametresTotal")
                                                                        : QStringLiteral("TraitementParametres"),
                  {}, &hote);
    if (!hote)
        ChargementDonnees();
    declencheOutil(outil);
}
