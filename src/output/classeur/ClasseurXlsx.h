#pragma once

#include "output/classeur/FeuilleGraphiqueXlsx.h"
#include "output/classeur/FeuilleXlsx.h"

#include <QDate>
#include <QString>
#include <memory>
#include <vector>

class ChainesPartagees;
class PaquetOoxml;
class StylesXlsx;

// Un classeur .xlsx écrit sans tableur.
//
// Les feuilles, de cellules ou graphiques, sont numérotées à partir de 0 dans
// l'ordre des onglets ; lignes et colonnes à partir de 1. Une écriture hors
// des feuilles de cellules ou des limites du tableur (1 048 576 lignes,
// 16 384 colonnes) est ignorée et rend faux ; une ligne au-delà de la
// dernière fait en plus refuser l'enregistrement (LignesFeuille).
//
// Textes : les caractères de contrôle autres que tabulation, saut de ligne et
// retour chariot sont retirés, XML 1.0 les interdisant ; le texte d'une
// cellule est coupé à 32 767 caractères, la limite du tableur.
// Nombres : un infini ou un « pas un nombre » n'est pas écrit.
class ClasseurXlsx
{
public:
    // Ajoute une feuille et rend son numéro. Un nom vide donne "Feuil1",
    // "Feuil2"… ; un nom trop long est coupé à 31 caractères, les caractères
    // [ ] : * ? / \ deviennent '_', un nom déjà pris (sans égard à la casse)
    // reçoit un suffixe " (2)"… ; nomFeuille() rend le nom retenu.
    // position : rang de l'onglet, -1 (ou hors bornes) à la fin ; les
    // feuilles suivantes sont renumérotées, la feuille active reste la même.
    int ajouterFeuille(const QString& nom = {}, int position = -1);
    // Ajoute une feuille graphique, nommée comme ajouterFeuille, "Graph1",
    // "Graph2"… par défaut. Le tableur insère la sienne devant la feuille
    // active : c'est à l'appelant de donner cette position.
    int ajouterFeuilleGraphique(const QString& nom = {}, int position = -1);
    int nombreFeuilles() const { return int(m_onglets.size()); }
    QString nomFeuille(int feuille) const;
    // Rien pour une feuille graphique.
    const FeuilleXlsx* feuille(int feuille) const;
    bool estFeuilleGraphique(int feuille) const;
    // Le graphique d'une feuille graphique, rien pour une feuille de cellules.
    // L'adresse reste bonne quand d'autres feuilles s'ajoutent.
    GraphiqueXlsx* graphique(int feuille);
    const GraphiqueXlsx* graphique(int feuille) const;

    // La feuille affichée à l'ouverture (la première par défaut) ; un numéro
    // hors des feuilles est ignoré.
    void definirFeuilleActive(int feuille);
    int feuilleActive() const { return m_active; }

    bool definirNombre(int feuille, int ligne, int colonne, double valeur);
    bool definirTexte(int feuille, int ligne, int colonne, const QString& texte);
    // Le jour de série du tableur ; la cellule sans format reçoit "dd/mm/yyyy".
    bool definirDate(int feuille, int ligne, int colonne, const QDate& date);
    bool viderCellule(int feuille, int ligne, int colonne);
    // Format de nombre du tableur ("0.00", "dd/mm/yyyy", "mmm-yy"…).
    bool definirFormat(int feuille, int ligne, int colonne, const QString& format);
    // Largeur d'une colonne, en caractères.
    bool definirLargeurColonne(int feuille, int colonne, double largeur);

    // Colle un bloc de texte à partir de (ligne, colonne) : lignes séparées
    // par CR, LF ou CRLF, champs par des tabulations. Chaque champ devient une
    // date "DD/MM/YYYY", un nombre (virgule ou point décimal), un texte, ou
    // vide la cellule s'il est vide. Rend le nombre de cellules écrites.
    int collerTexte(int feuille, int ligne, int colonne, const QString& texte);

    // Écrit le fichier .xlsx de façon atomique (voir PaquetOoxml::enregistrer) ;
    // `erreur` en français en cas d'échec.
    bool enregistrer(const QString& chemin, QString& erreur) const;

private:
    // Un onglet : une feuille de cellules ou une feuille graphique.
    struct Onglet
    {
        std::unique_ptr<FeuilleXlsx> cellules;
        std::unique_ptr<FeuilleGraphiqueXlsx> graphique;
        const QString& nom() const { return cellules ? cellules->nom() : graphique->nom(); }
    };
    struct Numeros
    {
        int feuilles = 0, graphiques = 0, dessins = 0;
    };

    QString nomDisponible(const QString& demande, const QString& prefixe, int rangParDefaut) const;
    bool nomPris(const QString& nom) const;
    int nombreGraphiques() const;
    int inserer(Onglet onglet, int position);
    FeuilleXlsx* feuilleModifiable(int feuille);
    FeuilleXlsx* feuilleModifiable(int feuille, int ligne);
    bool collerChamp(FeuilleXlsx& f, int ligne, int colonne, const QString& champ);
    // Les parties du classeur ; feuilles, styles et textes partagés s'écrivent
    // à l'enregistrement, et `chaines` et `styles` doivent vivre jusque-là.
    void construirePaquet(PaquetOoxml& paquet, ChainesPartagees& chaines, StylesXlsx& styles) const;
    static void ajouterRacine(PaquetOoxml& paquet);
    QString ajouterGraphique(PaquetOoxml& paquet, const GraphiqueXlsx& graphique, Numeros& n) const;
    QString ajouterPartiesFeuilleGraphique(PaquetOoxml& paquet, const FeuilleGraphiqueXlsx& f, bool active,
                                           Numeros& n) const;

    std::vector<Onglet> m_onglets;
    int m_active = 0;
    qint64 m_derniereLigneDemandee = 0;  // au-delà de la feuille ; 0 sinon
};
