#include "commun/Cellule.h"
#include "data/BaseDeTest.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/BaseSqlite.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString pluvios[] = {QStringLiteral("76401001"), QStringLiteral("76402001"), QStringLiteral("27403001")};

class Exemple : public AvecBase
{
protected:
    void preparer() override
    {
        QString erreur;
        ASSERT_TRUE(BaseExemple::remplir(base(), 11, [&](const QString& l, int p) { m_etapes.append({l, p}); }, erreur))
            << erreur.toStdString();
    }

    QList<double> nombres(const QString& sql, int champ = 0)
    {
        const TableauValeurs t = lire(sql);
        QList<double> l;
        for (int i = 0; i < t.points(); ++i)
            l << t(champ, i).toDouble();
        return l;
    }

    QList<std::pair<QString, int>> m_etapes;
};

TEST_F(Exemple, LaPluieAUneAllureReelle)
{
    for (const QString& code : pluvios) {
        SCOPED_TRACE(code.toStdString());
        const QString table = "PLUVIO_" + code;
        const TableauValeurs bornes = lire("SELECT Min(DateCreation), Max(DateCreation), count(*) FROM " + table);
        EXPECT_EQ(TexteCellule(bornes(0, 0)), "01/01/1981");
        EXPECT_EQ(TexteCellule(bornes(1, 0)), "31/12/2024");
        const qint64 jours = QDate(1981, 1, 1).daysTo(QDate(2024, 12, 31)) + 1;
        // Quelques lacunes, quelques valeurs marquées "I" (et marquées rupture après les lacunes).
        EXPECT_LT(bornes(2, 0).toLongLong(), jours);
        EXPECT_GT(bornes(2, 0).toLongLong(), jours - 200);
        const qint64 invalides = valeur("SELECT count(*) FROM " + table + " WHERE ModeObtention='I'").toLongLong();
        EXPECT_GE(invalides, 3);
        EXPECT_LE(invalides, 10);
        EXPECT_GE(valeur("SELECT count(*) FROM " + table + " WHERE Continuite=1").toLongLong(), 2);

        // Des totaux annuels de climat océanique, des saisons.
        const QList<double> annuels = nombres("SELECT year(DateCreation), sum(Pluie) FROM " + table
                                                  + " WHERE ModeObtention IS NULL GROUP BY year(DateCreation)",
                                              1);
        ASSERT_EQ(annuels.size(), 44);
        for (double a : annuels) {
            EXPECT_GT(a, 350.0);
            EXPECT_LT(a, 1500.0);
        }
        const double hiver = valeur("SELECT avg(Pluie) FROM " + table + " WHERE Month(DateCreation) IN (11, 12, 1) AND ModeObtention IS NULL").toDouble();
        const double printemps = valeur("SELECT avg(Pluie) FROM " + table + " WHERE Month(DateCreation) IN (4, 5) AND ModeObtention IS NULL").toDouble();
        EXPECT_GT(hiver, 1.3 * printemps);
    }
}

TEST_F(Exemple, LesTablesDeReferenceEtLaListeDesStations)
{
    // L'ordre des colonnes d'un pluviomètre, dont dépendent les écritures par position.
    QStringList noms;
    for (const ColonneTable& c : base().ColonnesTable(QStringLiteral("PLUVIO_76402001")))
        noms << c.nom;
    EXPECT_EQ(noms.mid(0, 5), QStringList({"DateCreation", "Heure", "Pluie", "Continuite", "ModeObtention"}));
    for (const char* mesure : {"PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"})
        EXPECT_TRUE(noms.contains(QString::fromLatin1(mesure))) << mesure;
    EXPECT_TRUE(base().Execute("INSERT INTO PLUVIO_76402001 VALUES ('01/01/2025' , '12:00:00' , '2,5' , 0 , 'C' , 0 , '')"))
        << base().DerniereErreur().toStdString();

    // Les normales : 12 mois et l'année, qui en est la somme.
    for (const QString& code : pluvios) {
        const QList<double> mois = nombres("SELECT mois, valeur FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=" + code
                                           + " AND mois>=1 AND Mois<=12 ORDER BY 1,2", 1);
        ASSERT_EQ(mois.size(), 12);
        double somme = 0;
        for (double m : mois)
            somme += m;
        EXPECT_NEAR(valeur("SELECT valeur FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=" + code + " AND mois=13").toDouble(), somme, 1.0);
        EXPECT_GT(valeur("SELECT Etp FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=" + code + " AND mois=7").toDouble(),
                  valeur("SELECT Etp FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=" + code + " AND mois=1").toDouble());
    }
    const TableauValeurs echelles = lire(QStringLiteral(
        "SELECT Min_annee, Max_annee, iterations_annee, grilleX_annee, grilleY_annee, unite FROM PLUVIOMETRES_ECHELLES WHERE "
        "codePluvio='REF_76401001'"));
    ASSERT_EQ(echelles.points(), 1);
    EXPECT_EQ(echelles(5, 0).toString(), "mm");
    EXPECT_EQ(valeur(QStringLiteral("SELECT count(*) FROM COURBE_REF_PLUVIO_76401001 WHERE year(DateCreation) = 2004")).toLongLong(), 366);

    // Seuls les piézomètres ont la cote de leur repère ; les stations, leurs noms, genres et tables
    // se lisent aux tracés, au portail et au bulletin recalculé.
    const TableauValeurs stations = lire(QStringLiteral("SELECT Genre, Altitude FROM STATIONS"));
    for (int i = 0; i < stations.points(); ++i)
        EXPECT_EQ(stations(1, i).isValid(), stations(0, i).toString() == "piezo") << i;

    // La progression va de 0 à 100 sans reculer, avec une légende à chaque étape.
    ASSERT_GE(m_etapes.size(), 5);
    EXPECT_EQ(m_etapes.first().second, 0);
    EXPECT_EQ(m_etapes.last().second, 100);
    for (int i = 1; i < m_etapes.size(); ++i) {
        EXPECT_LE(m_etapes[i - 1].second, m_etapes[i].second);
        EXPECT_FALSE(m_etapes[i].first.isEmpty());
    }
}

// Une autre graine, une autre pluie. Le fichier n'apparaît qu'entier.
TEST(FichierExemple, ReproductibleEtEntier)
{
    QTemporaryDir dossier;
    auto contenu = [](const QString& fichier) {
        QString erreur;
        auto base = BaseSqlite::ouvrir(fichier, erreur);
        QStringList tout;
        TableauValeurs t;
        for (const char* table : {"PLUVIO_76401001", "PLUVIO_27403001", "PZ_00755X0031", "HYDRO_H8043310", "PLUVIOMETRE_NORMALES",
                                  "STATIONS", "PERIODES"}) {
            EXPECT_TRUE(base->ExecuterNatif(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)), &t));
            for (int i = 0; i < t.points(); ++i)
                for (int c = 0; c < t.lignes(); ++c)
                    tout << TexteCellule(t(c, i));
        }
        return tout;
    };
    const QString a = dossier.filePath(QStringLiteral("a.sqlite")), c = dossier.filePath(QStringLiteral("c.sqlite"));
    QString erreur;
    ASSERT_TRUE(BaseExemple::creerFichier(a, 11, {}, erreur)) << erreur.toStdString();
    ASSERT_TRUE(BaseExemple::creerFichier(c, 12, {}, erreur)) << erreur.toStdString();
    const QStringList ca = contenu(a);
    EXPECT_GT(ca.size(), 100000);
    EXPECT_NE(ca, contenu(c));
    EXPECT_FALSE(QFile::exists(a + QStringLiteral(".partiel")));

    const QString impossible = dossier.filePath(QStringLiteral("absent/d.sqlite"));
    EXPECT_FALSE(BaseExemple::creerFichier(impossible, 11, {}, erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_FALSE(QFile::exists(impossible));
}

} // namespace
