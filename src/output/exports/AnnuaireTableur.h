#pragma once

#include <QString>

class ApplicationTableur;
class Classe_Graphiques;
class FenetreProgression;
class GraphiqueTableur;

// La page graphique d'un annuaire de station dans le tableur : la courbe
// annuelle (maximums journaliers d'une année, dans un classeur neuf) ou la
// chronique (plusieurs années, collée en AF1 de "Feuil1" du classeur ouvert).
// Le classeur reste ouvert dans le tableur ; l'appelant l'écrit ou l'imprime.
class AnnuaireTableur
{
public:
    struct Demande
    {
        const Classe_Graphiques* courbes = nullptr;
        bool courbeAnnuelle = true;
        bool automatique = false;  // sans message : l'hôte travaille sans témoin
        bool pointDecimal = false;
    };

    AnnuaireTableur(const Demande& demande, ApplicationTableur& tableur, FenetreProgression* progression);
    // Vrai quand le graphique a été fait.
    bool executer();
    // Le bloc collé, gardé dans le presse-papiers du tableur.
    const QString& texte() const { return m_texte; }

private:
    bool preparerTexte();
    bool suivre(int ligne);
    void coller();
    GraphiqueTableur creerGraphique() const;
    void ecrireSeries(const GraphiqueTableur& g) const;
    void axesValeurs(const GraphiqueTableur& g) const;
    void axeTemps(const GraphiqueTableur& g) const;
    void habillage(const GraphiqueTableur& g) const;
    void legende(const GraphiqueTableur& g) const;
    void boiteAnnee(const GraphiqueTableur& g, bool sombre) const;
    int colonneX(int k) const;
    int anneeDebut() const;
    int anneeFin() const;

    Demande m_demande;
    ApplicationTableur& m_tableur;
    FenetreProgression* m_progression;
    QString m_texte;
    int m_lignes = 0;
};
