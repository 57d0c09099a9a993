#include "output/tableur/ClasseurTableur.h"

#include "output/tableur/GraphiqueTableur.h"
#include "output/tableur/ReferencesTableur.h"
#include "output/tableur/SerieTableur.h"

#include <QFileInfo>

ClasseurTableur::ClasseurTableur()
{
    m_xlsx.ajouterFeuille(QStringLiteral("Feuil1"));
    m_selection = PlageTableur(this, 0, 1, 1, 1, 1);
}

int ClasseurTableur::indiceFeuille(const QString& nom) const
{
    for (int i = 0; i < m_xlsx.nombreFeuilles(); ++i)
        if (m_xlsx.nomFeuille(i).compare(nom, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ClasseurTableur::selectionnerFeuille(const QString& nom)
{
    const int i = indiceFeuille(nom);
    if (i < 0)
        return false;
    activer(i);
    return true;
}

void ClasseurTableur::activer(int feuille)
{
    if (feuille < 0 || feuille >= m_xlsx.nombreFeuilles() || feuille == m_active)
        return;
    m_active = feuille;
    m_xlsx.definirFeuilleActive(feuille);
    // Sur une autre feuille, le tableur sélectionne de nouveau A1.
    m_selection = PlageTableur(this, feuille, 1, 1, 1, 1);
}

int ClasseurTableur::ajouterFeuille(const QString& nom)
{
    return m_xlsx.ajouterFeuille(nom);
}

void ClasseurTableur::selectionner(const PlageTableur& plage)
{
    if (plage.valide())
        m_selection = plage;
}

bool ClasseurTableur::GoTo(const QString& referenceR1C1)
{
    const auto p = ReferencesTableur::LireAdresseR1C1(referenceR1C1);
    if (!p || m_xlsx.estFeuilleGraphique(m_active))
        return false;
    m_selection = PlageTableur(this, m_active, p->ligne1, p->colonne1, p->ligne2, p->colonne2);
    return true;
}

PlageTableur ClasseurTableur::range(const QString& adresseA1)
{
    const auto p = ReferencesTableur::LireAdresseA1(adresseA1);
    if (!p)
        return {};
    return PlageTableur(this, m_active, p->ligne1, p->colonne1, p->ligne2, p->colonne2);
}

PlageTableur ClasseurTableur::cells(int ligne, int colonne)
{
    return PlageTableur(this, m_active, ligne, colonne, ligne, colonne);
}

int ClasseurTableur::Paste(const QString& texte)
{
    if (!m_selection.valide() || m_xlsx.estFeuilleGraphique(m_selection.feuille()))
        return 0;
    return m_xlsx.collerTexte(m_selection.feuille(), m_selection.ligne1(), m_selection.colonne1(), texte);
}

void ClasseurTableur::serieDepuisSelection(GraphiqueTableur& graphique, const PlageTableur& s,
                                           const QString& feuille) const
{
    if (feuille.isEmpty() || s.colonne2() <= s.colonne1())
        return;
    // Première ligne : les titres ; première colonne : les abscisses.
    const int debut = s.ligne2() > s.ligne1() ? s.ligne1() + 1 : s.ligne1();
    const SerieTableur serie = graphique.NewSeries();
    if (SerieXlsx* m = serie.modele()) {
        m->x = PlageXlsx{feuille, debut, s.colonne1(), s.ligne2(), s.colonne1()};
        m->valeurs = PlageXlsx{feuille, debut, s.colonne1() + 1, s.ligne2(), s.colonne1() + 1};
    }
}

GraphiqueTableur ClasseurTableur::ajouterGraphique()
{
    // La sélection se lit avant l'insertion, qui décale les numéros de feuille.
    const PlageTableur selection = m_selection;
    const bool donnees = selection.valide() && !m_xlsx.estFeuilleGraphique(selection.feuille());
    const QString nomDonnees = donnees ? m_xlsx.nomFeuille(selection.feuille()) : QString();
    const int feuille = m_xlsx.ajouterFeuilleGraphique(QString(), m_active);
    GraphiqueTableur graphique(this, feuille);
    serieDepuisSelection(graphique, selection, nomDonnees);
    m_active = -1;
    activer(feuille);
    return graphique;
}

GraphiqueTableur ClasseurTableur::ActiveChart()
{
    return GraphiqueTableur(this, m_xlsx.estFeuilleGraphique(m_active) ? m_active : -1);
}

bool ClasseurTableur::SaveAs(const QString& chemin, QString& erreur)
{
    for (int i = 0; i < m_xlsx.nombreFeuilles(); ++i)
        if (m_xlsx.estFeuilleGraphique(i))
            GraphiqueTableur(this, i).preparerEcriture();
    if (!m_xlsx.enregistrer(chemin, erreur))
        return false;
    m_chemin = QFileInfo(chemin).absoluteFilePath();
    return true;
}
