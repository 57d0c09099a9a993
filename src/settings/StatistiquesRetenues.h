#pragma once

#include <QString>
#include <optional>
#include <utility>

// Les choix des statistiques qu'un utilisateur garde d'une exécution à l'autre, dans ses
// paramètres : les années des statistiques, le premier mois de l'année hydrologique, les
// normales officielles pour la comparaison à la normale. L'application de bureau les reprend
// au démarrage ; la ligne de commande les prend quand son option n'est pas donnée.
class StatistiquesRetenues
{
public:
    struct Choix
    {
        int premiereAnnee = 0, derniereAnnee = 0;  // 0 : choisies d'après les mesures
        int moisHydro = 0;                         // 0 : pas de choix
        bool normalesOfficielles = false;
        bool operator==(const Choix&) const = default;
    };
    static constexpr int anneeMin = 1800, anneeMax = 2200;

    static Choix relire();
    static bool retenir(const Choix& choix);

    // Pourquoi des années ne vont pas ensemble, en une ligne française ; vide si elles vont.
    static QString defautAnnees(int premiere, int derniere);
    // "1991-2020", ou une seule année ; rien, avec la raison en français, sinon.
    static std::optional<std::pair<int, int>> lireAnnees(const QString& texte, QString& erreur);
    // Un numéro de 1 à 12 ou le nom français du mois (« septembre », « aout ») ; rien, avec la raison, sinon.
    static std::optional<int> lireMois(const QString& texte, QString& erreur);
};
