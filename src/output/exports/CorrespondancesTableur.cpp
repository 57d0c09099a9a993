#include "output/exports/CorrespondancesTableur.h"

#include "commun/Palette.h"
#include "output/classeur/GraphiqueXlsx.h"
#include "output/tableur/CouleursTableur.h"

#include <iterator>

using namespace ConstantesTableur;

namespace CorrespondancesTableur {

int StyleTrait(int motif)
{
    static constexpr int styles[] = {kTraitContinu, kTraitTirets, kTraitPoints, kTraitTiretPoint,
                                     kTraitTiretPointPoint, kAucun};
    return motif >= 0 && motif < int(std::size(styles)) ? styles[motif] : kTraitContinu;
}

std::optional<int> Marque(int symbole)
{
    switch (symbole) {
    case 0: return kMarquePlus;
    case 1: return kMarqueCroix;
    case 12: return kMarqueCercle;
    default: return std::nullopt;
    }
}

qint64 Couleur(int numero)
{
    return CouleursTableur::VersColor(Palette::rgb(numero));
}

} // namespace CorrespondancesTableur
