// Un fichier de mesures quelconque : le lecteur rend des mesures valides ou
// des refus comptés, sans jamais garder une ligne démesurée.
#include "data/import/LecteurCsv.h"

#include <QBuffer>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    QByteArray contenu(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    QBuffer source(&contenu);
    source.open(QIODevice::ReadOnly);
    LecteurCsv lecteur(source);
    MesureCsv m;
    qint64 mesures = 0, derniere = 0;
    while (lecteur.suivante(m)) {
        // Ce qui sort est une vraie mesure, d'une ligne qui avance.
        if (!m.date.isValid() || !m.heure.isValid() || !std::isfinite(m.valeur) || m.ligne <= derniere)
            std::abort();
        derniere = m.ligne;
        ++mesures;
    }
    if (mesures + lecteur.nombreRefus() > lecteur.lignesLues() || lecteur.premiersRefus().size() > LecteurCsv::refusGardes)
        std::abort();
    return 0;
}
