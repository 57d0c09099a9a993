#include "control/GrilleTexte.h"

GrilleTexte::GrilleTexte(QObject* parent)
    : QObject(parent)
{
}
