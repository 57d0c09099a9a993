#pragma once

#include <QString>
#include <cstdint>

// Des fichiers publics de mesures inventés, reproductibles (la même graine
// donne les mêmes octets), aux colonnes des vrais : le fichier quotidien de
// climatologie d'un département (toutes les variables et leurs codes qualité,
// la plupart des postes ne mesurant que la pluie), des chroniques
// piézométriques et des observations hydrométriques élaborées. Une extension
// « .gz » donne un fichier compressé.
class GenerateurArchives
{
public:
    struct Taille
    {
        int stations = 150;
        int premiereAnnee = 1950;
        int annees = 75;
    };

    explicit GenerateurArchives(std::uint64_t graine = 76);

    // Le nombre de lignes de données écrites ; -1 si le fichier n'a pu être écrit.
    qint64 meteoQuotidien(const QString& chemin, const Taille& taille);
    qint64 piezoChroniques(const QString& chemin, const Taille& taille);
    qint64 hydroElab(const QString& chemin, const Taille& taille);

private:
    double uniforme();
    double pluieDuJour(double& humidite);

    std::uint64_t m_etat;
};
