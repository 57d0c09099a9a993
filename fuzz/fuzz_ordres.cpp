// Un ordre quelconque lu, traduit et exécuté sur une petite base SQLite en
// mémoire : l'analyseur, le traducteur et les fonctions des ordres ne doivent
// ni planter, ni déborder, ni boucler.
#include "data/bases/BaseSqlite.h"

#include <QString>
#include <memory>

namespace {

BaseSqlite* base()
{
    static std::unique_ptr<BaseSqlite> b = [] {
        QString erreur;
        auto nouvelle = BaseSqlite::ouvrir(QStringLiteral(":memory:"), erreur);
        nouvelle->ExecuterNatif(QStringLiteral("CREATE TABLE PLUVIO_A1 (DateCreation DATE TEXT, Heure TIME TEXT, Pluie REAL, "
                                               "Continuite INTEGER, ModeObtention TEXT, Validite INTEGER, PRIMARY KEY (DateCreation, Heure))"));
        nouvelle->ExecuterNatif(QStringLiteral("INSERT INTO PLUVIO_A1 VALUES ('2004-03-05', '1899-12-30 12:00:00', 1.5, 0, 'C', 0), "
                                               "('2004-03-06', '1899-12-30', NULL, 1, 'I', 1), ('2005-12-31', '1899-12-30 23:59:00', -2, 0, NULL, 0)"));
        nouvelle->ExecuterNatif(QStringLiteral("CREATE TABLE PERIODES (jour TEXT, Mois TEXT, Mois_inverse TEXT)"));
        nouvelle->ExecuterNatif(QStringLiteral("INSERT INTO PERIODES VALUES ('05/03/', '01/03/', '/03/01'), ('31/12/', '01/12/', '/12/01')"));
        nouvelle->ExecuterNatif(QStringLiteral("CREATE TABLE ANNEES (Num_Annee INTEGER)"));
        nouvelle->ExecuterNatif(QStringLiteral("INSERT INTO ANNEES VALUES (2004), (2005)"));
        return nouvelle;
    }();
    return b.get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    TableauValeurs lignes;
    qint32 n = 0;
    // Les ordres d'action se rejouent sur une copie : la base reste la même d'une entrée à l'autre.
    BaseSqlite& b = *base();
    if (b.Commencer()) {
        b.ExtraireRecords(OrdreSql::sansVerification(sql), lignes, n);
        b.Execute(OrdreSql::sansVerification(sql));
        b.Annuler();
    }
    return 0;
}
