#pragma once

#include <QString>
#include <QStringList>

// Les formats proposés pour les libellés de l'axe du temps. Le code d'un choix
// est le texte entre ses crochets ; il devient un type d'axe et un format.
class FormatsAxeX
{
public:
    struct Reglage
    {
        QString type;    // "AUTO", "FIXE" ou "PERSO"
        QString format;
        bool operator==(const Reglage&) const = default;
    };

    // Axe d'une année, et axe de plusieurs années.
    static const QStringList& choixAnnee();
    static const QStringList& choixPluriannuel();

    static QString code(const QString& choix);
    // "AUTO" : format vide ; "PERSO" : le format personnalisé ; autre code : "FIXE" et le code.
    static Reglage reglage(const QString& code, const QString& personnalise);
    // Le choix à montrer pour un réglage rangé ; un format fixe absent de la
    // liste se montre en format personnalisé, un type inconnu en automatique.
    static int indice(const QStringList& choix, const Reglage& reglage);
};
