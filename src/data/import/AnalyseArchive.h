#pragma once

#include "data/import/FormatArchive.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

// Ce qu'on lit d'une ligne d'un fichier public ; les textes sont vus dans la
// ligne et ne vivent pas plus qu'elle.
struct LigneArchive
{
    QByteArrayView code;
    QByteArrayView nom;
    QByteArrayView grandeur;
    QDate date;
    std::optional<double> valeur;  // rien : valeur vide
    std::optional<double> niveau;
    std::optional<double> altitude;
    std::optional<int> qualite;
};

// Lit l'en-tête d'un fichier d'un format donné (séparateur ";", "," ou
// tabulation, champs entre guillemets ou non, casse indifférente), puis ses
// lignes. Seules les colonnes lues sont découpées : le reste de la ligne n'est
// pas parcouru.
class AnalyseArchive
{
public:
    explicit AnalyseArchive(const FormatArchive& format);

    // Faux et `erreur` (en français) quand l'en-tête n'a pas une colonne requise
    // ou a plusieurs fois une colonne lue.
    bool lireEntete(QByteArrayView ligne, QString& erreur);
    // Faux et `motif` quand la ligne est fausse ; le motif cite au plus un
    // champ, coupé, jamais la ligne.
    bool lire(QByteArrayView ligne, LigneArchive& resultat, QString& motif) const;

private:
    bool decouper(QByteArrayView ligne, QByteArrayView* champs, QString& motif) const;
    bool lireDate(QByteArrayView texte, QDate& date, QString& motif) const;

    FormatArchive m_format;
    char m_separateur = ';';
    int m_indices[FormatArchive::NombreRoles];
    int m_dernierIndice = -1;
};
