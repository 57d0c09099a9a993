#pragma once

#include <QMap>
#include <QString>

class ModeleGraphique;

// Les propriétés simples du moteur : un nombre ou un texte rangé tel quel dans
// le modèle et relu tel quel (ou par sa valeur effective). L'écriture et la
// lecture passent par la même table ; seules les propriétés qui dépendent du
// jeu, du point ou de l'axe choisis, ou qui ont un effet, ont leur code.
namespace TableProprietes {

struct Entiere
{
    int numero;
    int ModeleGraphique::*membre;
    // La valeur relue quand elle n'est pas celle écrite ; nul : la valeur écrite.
    int (ModeleGraphique::*effective)() const;
};

struct Texte
{
    int numero;
    QString ModeleGraphique::*membre;
};

// Une propriété indexée rangée par indice : un texte (légendes) ou un nombre (leurs couleurs).
struct TexteIndexe
{
    int numero;
    QMap<int, QString> ModeleGraphique::*membre;
};

struct EntiereIndexee
{
    int numero;
    QMap<int, int> ModeleGraphique::*membre;
};

// La propriété de ce numéro ; nul quand elle n'est pas simple.
const Entiere* entiere(int numero);
const Texte* texte(int numero);
const TexteIndexe* texteIndexe(int numero);
const EntiereIndexee* entiereIndexee(int numero);

} // namespace TableProprietes
