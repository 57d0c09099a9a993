// Les lectures et écritures de dates et de nombres sur des textes
// quelconques : elles refusent ou rendent une valeur, jamais plus.
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/Litteraux.h"

#include <QObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QString texte = QString::fromUtf8(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    LireDate(texte);
    LireHeure(texte);
    const auto instant = LireDateHeure(texte);
    ConvertirEnDate(texte);
    DateDepuisCellule(QVariant(texte));
    const auto nombre = LireNombre(QVariant(texte));
    Val(texte);
    ConvertirNombre(QVariant(texte), true);
    QString remplace = texte;
    RemplacerTexte(remplace, texte.left(2), texte.mid(2, 3));
    // Le texte sert aussi de motif de mise en forme, d'une date et d'un nombre.
    const QString motif = texte.left(64);
    FormatDate(instant.value_or(QDateTime(QDate(2004, 3, 5), QTime(8, 30), Qt::UTC)), motif);
    FormatNombre(nombre.value_or(-1234.5678), motif);
    if (nombre && std::isfinite(*nombre)) {
        Round(*nombre, 2);
        Int(*nombre);
        CInt(*nombre);
        CLng(*nombre);
        TexteNombre(*nombre);
        DateAdd(Intervalle::Jour, *nombre, QDate(2004, 3, 5));
        DateAdd(Intervalle::Mois, *nombre, QDateTime(QDate(2004, 1, 31), QTime(0, 0), Qt::UTC));
    }
    if (instant) {
        DateDiff(Intervalle::Mois, *instant, QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC));
        DateDiff(Intervalle::Seconde, *instant, QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC));
        FormatDateBase(texte, true);
    }
    return 0;
}
