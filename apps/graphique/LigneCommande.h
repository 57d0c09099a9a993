#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Les arguments d'une sous-commande : options "--nom valeur" et drapeaux "--drapeau".
class LigneCommande
{
public:
    explicit LigneCommande(QStringList arguments);

    // La valeur de "--nom", retirée des arguments ; rien quand l'option est absente.
    // Une valeur vide ou blanche est notée comme une option sans valeur.
    std::optional<QString> option(const QString& nom);
    // Les noms de "--nom a,b,c", blancs retirés ; rien quand l'option est absente.
    // Une liste qui ne nomme rien ("," ou des blancs) est notée comme une option sans valeur.
    std::optional<QStringList> liste(const QString& nom);
    // Vrai si "--nom" était là (il est retiré).
    bool drapeau(const QString& nom);
    // Option requise ; absente, `erreur` dit ce qui manque.
    QString obligatoire(const QString& nom, QString& erreur);
    // Ce qui reste une fois les options connues retirées : un argument inconnu, même vide.
    std::optional<QString> reste() const;
    // La première option donnée sans sa valeur, ou avec une valeur vide.
    const QString& optionSansValeur() const { return m_sansValeur; }
    // Une fois toutes les options retirées : le premier défaut de la ligne (option
    // manquante nommée par `manque`, option sans valeur, argument inconnu), vide
    // s'il n'y en a pas.
    QString defaut(const QString& manque = QString()) const;

private:
    QStringList m_arguments;
    QString m_sansValeur;
};

// Codes de sortie.
constexpr int sortieOk = 0;
constexpr int sortieErreur = 2;

// Une ligne en français sur stderr, "graphique : …", et le code 2.
int echec(const QString& texte);
void avertir(const QString& texte);
void ecrireLigne(const QString& texte);
