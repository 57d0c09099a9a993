#include "commun/MemoireProcessus.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace MemoireProcessus {

void garderLesGrandsBlocs()
{
#if defined(__GLIBC__)
    // Jusqu'à 64 Mo par bloc pris dans le tas, et 128 Mo libres gardés en haut du tas.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

} // namespace MemoireProcessus
