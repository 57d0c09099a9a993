#pragma once

#include <QString>
#include <optional>

// L'aide du programme : la page entière (« graphique --aide »), ou la part
// d'une commande (« graphique COMMANDE --aide »).
class AideProgramme
{
public:
    static QString page();
    // Rien pour une commande inconnue.
    static std::optional<QString> commande(const QString& nom);
};
