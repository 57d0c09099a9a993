#pragma once

// Le nom de l'application : celui des réglages, et celui que montrent les titres
// des fenêtres et des boîtes de message.
namespace IdentiteApplication {

inline constexpr const char* kNomAffiche = "Graphiques";

void appliquer();

} // namespace IdentiteApplication
