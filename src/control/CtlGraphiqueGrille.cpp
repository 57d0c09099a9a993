#include "control/CtlGraphique.h"

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
#include "settings/messages/Messages.h"

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

// Les lignes écartées marquées invalides, les lignes écrites verrouillées sur leur date et leur heure.
void marquerBilan(GrillePoints& grille, const EnregistrementPoints::Bilan& bilan)
{
    using Etat = EnregistrementPoints::Etat;
    for (int r = 0; r < bilan.etats.size() && r < grille.lignes(); ++r) {
        const Etat e = bilan.etats[r];
        const int derniere = e == Etat::Incomplete ? G::Heure : G::Rupture;
        for (int c = G::Date; c <= derniere; ++c)
            if (e != Etat::Vide)
                grille.setStyle(r, c, e == Etat::Enregistree ? G::Style::Normal : G::Style::Invalide);
        if (e == Etat::Enregistree) {
            grille.verrouiller(r, G::Date, true);
            grille.verrouiller(r, G::Heure, true);
        }
    }
}

} // namespace

void CtlGraphique::brancherGrille()
{
    connect(m_sprPoints, &GrillePoints::celluleModifiee, this, [this](int l, int c) { sousGarde([&] { celluleGrilleModifiee(l, c); }); });
    connect(m_sprPoints, &GrillePoints::celluleCliquee, this, [this](int l, int c) { sousGarde([&] { celluleGrilleCliquee(l, c); }); });
    connect(m_cmdInsertion, &QPushButton::clicked, this, [this] { sousGarde([&] { insererPointGrille(); }); });
    connect(m_cmdSuppression, &QPushButton::clicked, this, [this] { sousGarde([&] { supprimerPointGrille(); }); });
    connect(m_cmdEnregistrer, &QPushButton::clicked, this, [this] { sousGarde([&] { enregistrerGrillePoints(); }); });
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
        for (int champ = 0; champ <= 2; ++champ)
            m_sprPoints->setTexte(r, champ, texteChamp(courbe->cellule(champ, r)));
        const auto rupture = ConvertirNombre(courbe->cellule(4, r));
        m_sprPoints->setTexte(r, G::Rupture, rupture && rupture->toDouble() != 0 ? QStringLiteral("R") : QString());
        const auto jour = LireDate(m_sprPoints->texte(r, G::Date));
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
    for (int i = 0; i < points.size(); ++i)
        for (int champ = 0; champ < 5; ++champ)
            t.definir(champ, i, points[i][champ]);
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
    int remplies = 0;
    for (int r = 0; r < m_sprPoints->lignes(); ++r) {
        const bool remplie = m_sprPoints->ligneRemplie(r);
        remplies += remplie ? 1 : 0;
        lignes.append({m_sprPoints->texte(r, G::Date), m_sprPoints->texte(r, G::Heure), m_sprPoints->texte(r, G::Valeur),
                       m_sprPoints->texte(r, G::Rupture), remplie});
    }
    // Une grille vide effacerait toute la période chargée : cela se demande.
    if (remplies == 0
        && AfficherMessage(QStringLiteral("question"), QStringLiteral("La grille est vide : supprimer toutes les mesures du %1 au %2 ?")
                                                            .arg(TexteDate(*debut), TexteDate(*fin)))
            != BoutonMessage::Oui)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit progression(QStringLiteral("Enregistrement de données"), 0);
    EnregistrementPoints::Bilan bilan;
    QString erreur;
    const bool ok = EnregistrementPoints::enregistrerGrille(*base, m_entete->CodeStation(), *debut, *fin, lignes, bilan, erreur,
                                                            [this](int p) { emit progression(QStringLiteral("Enregistrement de données"), p); });
    emit progression(QString(), 100);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        AfficherMessage(QStringLiteral("erreur"), erreur);
        return;
    }
    marquerBilan(*m_sprPoints, bilan);
    if (bilan.ecartees > 0)
        AfficherMessage(QStringLiteral("aide"), QStringLiteral("%1 ligne(s) enregistrée(s) ; %2 ligne(s) sans date ou heure lisible "
                                                               "n'ont pas été enregistrées (en rouge dans la grille).")
                                                    .arg(bilan.enregistrees)
                                                    .arg(bilan.ecartees));
}
