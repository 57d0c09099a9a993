#include "commun/ValeursProcessus.h"

ValeursProcessus& ValeursProcessus::courantes()
{
    static ValeursProcessus valeurs;
    return valeurs;
}
