#include "data/bases/Libpq.h"

#include <dlfcn.h>

namespace {

// Le nom que donne le paquet d'exécution (libpq5), pas celui du paquet de développement.
constexpr const char* kNomBibliotheque = "libpq.so.5";

struct Chargement
{
    Libpq fonctions;
    QString erreur;
    bool complet = false;
};

Chargement charge()
{
    Chargement c;
    void* bibliotheque = dlopen(kNomBibliotheque, RTLD_NOW | RTLD_LOCAL);
    if (!bibliotheque) {
        c.erreur = QStringLiteral("la bibliothèque PostgreSQL (%1) est introuvable : installer le paquet libpq5.")
                       .arg(QLatin1String(kNomBibliotheque));
        return c;
    }
    // La bibliothèque reste chargée jusqu'à la fin du programme.
#define GRAPHIQUE_RESOUDRE_LIBPQ(f)                                                                                \
    c.fonctions.f = reinterpret_cast<decltype(&::f)>(dlsym(bibliotheque, #f));                                      \
    if (!c.fonctions.f) {                                                                                          \
        c.erreur = QStringLiteral("la bibliothèque PostgreSQL (%1) est trop ancienne : il lui manque %2.")        \
                       .arg(QLatin1String(kNomBibliotheque), QLatin1String(#f));                                   \
        return c;                                                                                                  \
    }
    GRAPHIQUE_FONCTIONS_LIBPQ(GRAPHIQUE_RESOUDRE_LIBPQ)
#undef GRAPHIQUE_RESOUDRE_LIBPQ
    c.complet = true;
    return c;
}

const Chargement& chargement()
{
    static const Chargement c = charge();
    return c;
}

} // namespace

const Libpq* Libpq::charger(QString& erreur)
{
    const Chargement& c = chargement();
    if (!c.complet) {
        erreur = c.erreur;
        return nullptr;
    }
    return &c.fonctions;
}

const Libpq& Libpq::fonctions()
{
    return chargement().fonctions;
}
