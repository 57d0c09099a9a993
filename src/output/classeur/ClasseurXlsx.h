#pragma once

#include "output/classeur/FeuilleXlsx.h"

#include <QDate>
#include <QString>
#include <vector>

class PaquetOoxml;

// Un classeur .xlsx écrit sans tableur.
//
// Les feuilles sont numérotées à partir de 0 dans l'ordre d'ajout ; lignes et
// colonnes à partir de 1. Une écriture hors des feuilles ou des limites du
// tableur (1 048 576 lignes, 16 384 colonnes) est ignorée et rend faux.
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
    int ajouterFeuille(const QString& nom = {});
    int nombreFeuilles() const { return int(m_feuilles.size()); }
    QString nomFeuille(int feuille) const;
    const FeuilleXlsx* feuille(int feuille) const;

    bool definirNombre(int feuille, int ligne, int colonne, double valeur);
    bool definirTexte(int feuille, int ligne, int colonne, const QString& texte);
    // Le jour de série du tableur ; la cellule sans format reçoit "dd/mm/yyyy".
    bool definirDate(int feuille, int ligne, int colonne, const QDate& date);
    bool viderCellule(int feuille, int ligne, int colonne);
    // Format de nombre du tableur ("0.00", "dd/mm/yyyy", "mmm-yy"…).
    bool definirFormat(int feuille, int ligne, int colonne, const QString& format);

    // Colle un bloc de texte à partir de (ligne, colonne) : lignes séparées
    // par CR, LF ou CRLF, champs par des tabulations. Chaque champ devient une
    // date "DD/MM/YYYY", un nombre (virgule ou point décimal), un texte, ou
    // vide la cellule s'il est vide. Rend le nombre de cellules écrites.
    int collerTexte(int feuille, int ligne, int colonne, const QString& texte);

    // Les parties du classeur ; d'autres (dessins, graphiques) peuvent s'y
    // ajouter avant l'écriture du paquet.
    void construirePaquet(PaquetOoxml& paquet) const;
    // Écrit le fichier .xlsx de façon atomique (voir PaquetOoxml::enregistrer) ;
    // `erreur` en français en cas d'échec.
    bool enregistrer(const QString& chemin, QString& erreur) const;

private:
    QString nomDisponible(const QString& demande) const;
    bool nomPris(const QString& nom) const;
    FeuilleXlsx* feuilleModifiable(int feuille);
    bool collerChamp(FeuilleXlsx& f, int ligne, int colonne, const QString& champ);

    std::vector<FeuilleXlsx> m_feuilles;
};
