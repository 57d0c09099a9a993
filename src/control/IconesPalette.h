#pragma once

#include <QIcon>

// Les images des dix boutons de la palette, dessinées (aucun fichier à livrer) :
// chacune montre ce que fait son outil.
namespace IconesPalette {

constexpr int taille = 22;

// L'image du bouton `index` (0 à 9) ; une bulle d'aide hors de la palette au-delà.
QIcon icone(int index);

} // namespace IconesPalette
