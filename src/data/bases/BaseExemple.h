#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class BaseDonnees;

// La base d'exemple, la même pour une même graine : trois pluviomètres de
// 1981 à 2024 (pluie journalière avec saisons, périodes sèches et humides,
// orages d'été, quelques lacunes et quelques valeurs marquées "I"), deux
// piézomètres dont les niveaux répondent à la pluie efficace, une station
// hydrométrique (débit et hauteur), les normales mensuelles des
// pluviomètres, une courbe de référence avec ses échelles, le calendrier et
// la liste des stations que tiendrait un hôte.
class BaseExemple
{
public:
    // La graine de la ligne de commande sans --graine et du bureau : la même base des deux côtés.
    static constexpr quint32 graineParDefaut = 1;
    // Légende de l'étape et avancement de 0 à 100.
    using Progression = std::function<void(const QString& legende, int pourcentage)>;

    // Une ligne de la table STATIONS : Code, Nom, Genre ("pluvio", "piezo",
    // "hydro" ou "reference") et Altitude du sol en m NGF (piézomètres).
    struct Station
    {
        QString code;
        QString nom;
        QString genre;
        std::optional<double> altitude;
    };

    static constexpr int premiereAnnee = 1981;
    static constexpr int derniereAnnee = 2024;
    static constexpr int moisHydro = 10;

    static QList<Station> stations();

    // (Re)crée toutes les tables de l'exemple dans une base ouverte, tout ou rien.
    static bool remplir(BaseDonnees& base, quint32 graine, const Progression& progression, QString& erreur) noexcept;
    // Fait le fichier SQLite ; un fichier existant n'est remplacé qu'une fois
    // l'exemple complet.
    static bool creerFichier(const QString& fichier, quint32 graine, const Progression& progression,
                             QString& erreur) noexcept;

private:
    static bool remplirSousGarde(BaseDonnees& base, quint32 graine, const Progression& progression, QString& erreur);
};
