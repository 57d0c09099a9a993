// L'ensemble d'acceptation : chaque forme d'ordre que le système envoie tourne
// sur SQLite (formulation "ACCESS") et sur PostgreSQL ("POSTGRESQL") contre la
// même base d'exemple, et rend les mêmes lignes.
#include "commun/Cellule.h"
#include "commun/ValeursProcessus.h"
#include "data/BaseDeTest.h"
#include "data/JeuEnregistrements.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/OrdresDuSysteme.h"

#include <QTemporaryDir>
#include <cmath>
#include <functional>

namespace {

const QString pluvio = QStringLiteral("76401001");
const QString piezo = QStringLiteral("00754X0012");
const QString riviere = QStringLiteral("H8043310");

struct Forme
{
    QString nom;  // le chargement, les statistiques ou la saisie qui l'envoie
    std::function<QString(const QString& typeBase)> sql;
    int lignesMin = 1;
};

bool memeCellule(const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    const bool na = a.metaType().id() == QMetaType::Double || a.metaType().id() == QMetaType::LongLong;
    const bool nb = b.metaType().id() == QMetaType::Double || b.metaType().id() == QMetaType::LongLong;
    if (na || nb)
        return na && nb && std::fabs(a.toDouble() - b.toDouble()) <= 1e-9 * std::max(1.0, std::fabs(a.toDouble()));
    // Une date peut revenir en date seule sur un moteur, en date et heure sur l'autre : même texte du runtime.
    return TexteCellule(a) == TexteCellule(b);
}

class MemesLignes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ValeursProcessus::courantes().fenetrePrincipale = &m_fenetre;
        if (!m_postgres.base()) {
            if (m_postgres.facultative())
                GTEST_SKIP() << m_postgres.raison().toStdString();
            FAIL() << m_postgres.raison().toStdString();
        }
        QString erreur;
        m_sqlite = BaseSqlite::ouvrir(m_dossier.filePath(QStringLiteral("exemple.sqlite")), erreur);
        ASSERT_TRUE(m_sqlite) << erreur.toStdString();
        for (BaseDonnees* b : bases())
            ASSERT_TRUE(BaseExemple::remplir(*b, 7, {}, erreur)) << erreur.toStdString();
    }
    void TearDown() override { ValeursProcessus::courantes().fenetrePrincipale = nullptr; }

    QList<BaseDonnees*> bases() { return {m_sqlite.get(), m_postgres.base()}; }

    // L'ordre de la forme, écrit pour la base donnée.
    QString ordre(const Forme& f, BaseDonnees& b)
    {
        m_fenetre.setProperty("typeBase", b.typeBase());
        return f.sql(b.typeBase());
    }

    TableauValeurs lire(BaseDonnees& b, const QString& sql)
    {
        TableauValeurs t;
        qint32 n = -1;
        EXPECT_TRUE(b.ExtraireRecords(OrdreSql::sansVerification(sql), t, n)) << b.typeBase().toStdString() << " : " << sql.toStdString() << "\n"
                                                   << b.DerniereErreur().toStdString();
        return t;
    }

    // Les deux bases rendent les mêmes lignes ; rend leur nombre.
    int comparer(const Forme& f)
    {
        SCOPED_TRACE(f.nom.toStdString());
        const TableauValeurs a = lire(*m_sqlite, ordre(f, *m_sqlite));
        const TableauValeurs b = lire(*m_postgres.base(), ordre(f, *m_postgres.base()));
        EXPECT_GE(a.points(), f.lignesMin);
        EXPECT_EQ(a.points(), b.points());
        EXPECT_EQ(a.lignes(), b.lignes());
        int differences = 0;
        for (int r = 0; r < std::min(a.points(), b.points()); ++r)
            for (int c = 0; c < std::min(a.lignes(), b.lignes()); ++c)
                if (!memeCellule(a(c, r), b(c, r)) && ++differences <= 3)
                    ADD_FAILURE() << "ligne " << r << ", champ " << c << " : " << TexteCellule(a(c, r)).toStdString() << " / "
                                  << TexteCellule(b(c, r)).toStdString();
        return a.points();
    }

    QTemporaryDir m_dossier;
    std::unique_ptr<BaseSqlite> m_sqlite;
    BaseDeTest m_postgres;
    QObject m_fenetre;
};

QList<Forme> formesDeLecture()
{
    using namespace ordres;
    QList<Forme> l = {
        {"chargement : dates de chargement", [](const QString&) { return datesChargement(pluvio); }},
        {"chargement : années des statistiques", [](const QString&) { return anneesStatistiques(pluvio); }},
        {"piézomètres et rivières : bornes piézomètre", [](const QString&) { return bornesPiezometre(piezo, "01/01/1995", "31/12/2000"); }},
        {"piézomètres et rivières : série piézomètre", [](const QString&) { return seriePiezometre(piezo, "01/01/1995", "31/12/1996", "-95"); }, 700},
        {"piézomètres et rivières : série piézomètre, décalage négatif", [](const QString&) { return seriePiezometre(piezo, "15/03/2001", "15/04/2001", "-2.5"); }, 30},
        {"piézomètres et rivières : bornes rivière", [](const QString&) { return bornesRiviere(riviere, "Debit", "01/01/1990", "31/12/1990"); }},
        {"piézomètres et rivières : série rivière", [](const QString&) { return serieRiviere(riviere, "Hauteur", "01/06/1990", "30/06/1991"); }, 350},
        {"cumuls de pluie : cumul jusqu'au jour", [](const QString&) { return cumulJusquAuJour("Pluie", pluvio, "01/10/2003", "15/06/2004"); }},
        {"cumuls de pluie : maximum des totaux mensuels", [](const QString&) { return maximumTotauxMensuels("Pluie", pluvio, 1991, 2020); }, 30},
        {"cumuls de pluie : totaux mensuels", [](const QString& t) { return totauxMensuels("Pluie", pluvio, 1991, 2020, t); }, 360},
        {"cumuls de pluie : totaux mensuels hydrologiques", [](const QString&) { return totauxMensuelsHydro("Etp", pluvio, 2000, 2004); }, 60},
        {"cumuls de pluie : courbe de référence", [](const QString&) { return sommesAvecBornesAnnees("Mois", "Pluie", pluvio, "01/01/2010", "31/12/2011", "COURBE_REF_PLUVIO_"); }, 24},
        {"cumuls de pluie : échelles de la référence", [](const QString&) { return echellesReference(pluvio); }},
        {"statistiques : enveloppe", [](const QString&) { return enveloppe("Pluie", pluvio, "1991", "2020"); }, 12},
        {"statistiques : totaux des quintiles", [](const QString&) { return totauxQuintiles("PluieEfficace", pluvio, "1991", "2020"); }, 360},
        {"statistiques : médiane mensuelle", [](const QString&) { return medianeMensuelle("Pluie", pluvio, 1991, 2020); }, 360},
        {"statistiques : médiane annuelle", [](const QString&) { return medianeAnnuelle("Etp", pluvio, 1991, 2020); }, 30},
        {"statistiques : normales mensuelles", [](const QString&) { return normalesMensuelles("valeur", pluvio); }, 12},
        {"statistiques : normales mensuelles d'une mesure", [](const QString&) { return normalesMensuelles("PluieEfficace", pluvio); }, 12},
        {"statistiques : normale annuelle", [](const QString&) { return normaleAnnuelle("Etp", pluvio); }},
        {"saisie : point avant le trou", [](const QString&) { return pointAvant(pluvio, "10/05/2004"); }, 8000},
        {"saisie : point après le trou", [](const QString&) { return pointApres(pluvio, "20/05/2004"); }, 7000},
    };
    const QStringList periodes = {"Jour", "Decade", "Mois", "Trimestre", "Annee"};
    for (const QString& x : periodes) {
        l.append({"cumuls de pluie : sommes avec bornes d'années, " + x,
                  [x](const QString&) { return ordres::sommesAvecBornesAnnees(x, "Pluie", pluvio, "01/01/2004", "31/12/2004"); }});
        l.append({"cumuls de pluie : sommes par période, " + x,
                  [x](const QString&) { return ordres::sommesParPeriode(x, "PluieEfficace", pluvio, "15/02/2003", "20/11/2005"); }});
        l.append({"cumuls de pluie : squelette, " + x, [x](const QString& t) {
                      return ordres::squelette(x, "01/01/2003", "31/12/2005", ordres::filtreSquelette(t));
                  }});
    }
    l.append({"cumuls de pluie : sommes par année hydrologique",
              [](const QString&) { return ordres::sommesHydro("Pluie", pluvio, "01/10/1995", "30/09/2005"); }, 20});
    l.append({"cumuls de pluie : squelette de l'année hydrologique",
              [](const QString&) { return ordres::squelette("Hydro", "01/02/1995", "01/01/2005", "CVDate(DateCreation)"); }, 20});
    return l;
}

TEST_F(MemesLignes, ChaqueFormeDeLectureRendLesMemesLignes)
{
    int lignes = 0;
    for (const Forme& f : formesDeLecture())
        lignes += comparer(f);
    EXPECT_GT(lignes, 20000);

    // Quelques faits de la base d'exemple, lus par les deux moteurs.
    for (BaseDonnees* b : bases()) {
        m_fenetre.setProperty("typeBase", b->typeBase());
        const TableauValeurs dates = lire(*b, ordres::datesChargement(pluvio));
        EXPECT_EQ(TexteCellule(dates.valeur(0, 0)), "01/01/1981");
        EXPECT_EQ(TexteCellule(dates.valeur(1, 0)), "31/12/2024");
        const TableauValeurs annees = lire(*b, ordres::anneesStatistiques(pluvio));
        EXPECT_EQ(TexteCellule(annees.valeur(1, 0)), "01/01/2024");
        // 12 mois de 2004, dans l'ordre, libellés au premier jour.
        const TableauValeurs mois = lire(*b, ordres::sommesAvecBornesAnnees("Mois", "Pluie", pluvio, "01/01/2004", "31/12/2004"));
        ASSERT_EQ(mois.points(), 12);
        EXPECT_EQ(mois(0, 0).toString(), "01/01/2004");
        EXPECT_EQ(mois(1, 0).toString(), "12:00:00");
        EXPECT_EQ(mois(6, 11).toString(), "2004/12/01");
        // Les valeurs "I" sont écartées des séries.
        const TableauValeurs serie = lire(*b, ordres::seriePiezometre(piezo, "01/01/1990", "31/12/2024", "0"));
        for (int i = 0; i < serie.points(); ++i)
            ASSERT_NE(serie(5, i).toString(), "I");
    }
}

TEST_F(MemesLignes, LesEcrituresDeLaSaisieLaissentLesMemesTables)
{
    const QString table = "PLUVIO_" + pluvio;
    const Forme etat{"état de la table",
                     [table](const QString&) {
                         return "SELECT DateCreation, Heure, Pluie, Continuite, ModeObtention, Validite, Commentaire FROM " + table
                             + " WHERE year(DateCreation) = 2004 ORDER BY DateCreation, Heure";
                     },
                     300};
    // Tout ce que fait la saisie des points, dans l'ordre où elle le fait.
    const QList<std::function<bool(BaseDonnees&)>> etapes = {
        // Enregistrement de la grille : la période effacée, puis chaque ligne par AccesBase.
        [&](BaseDonnees& b) { return b.Execute(OrdreSql::sansVerification(ordres::supprimerPeriodeChargee(pluvio, "01/03/2004", "31/03/2004"))); },
        [&](BaseDonnees& b) {
            for (int jour = 1; jour <= 5; ++jour) {
                std::unique_ptr<JeuEnregistrements> jeu;
                qint32 n = -1;
                const QString date = QStringLiteral("%1/03/2004").arg(jour, 2, 10, QChar(u'0'));
                if (!b.AccesBase(OrdreSql::sansVerification(ordres::rechercheLigne(pluvio, date, "12:00:00")), jeu, n) || n != 0)
                    return false;
                jeu->AddNew();
                jeu->Fields(0) = date;
                jeu->Fields(1) = QStringLiteral("12:00:00");
                jeu->Fields(2) = jour == 3 ? QVariant(0) : QVariant(QStringLiteral("%1,5").arg(jour));
                jeu->Fields(3) = jour == 4 ? 1 : 0;
                jeu->Fields(4) = QStringLiteral("M");
                if (!jeu->Update())
                    return false;
                jeu->Close();
            }
            return true;
        },
        // Une ligne existante trouvée par AccesBase est écrasée.
        [&](BaseDonnees& b) {
            std::unique_ptr<JeuEnregistrements> jeu;
            qint32 n = -1;
            if (!b.AccesBase(OrdreSql::sansVerification(ordres::rechercheLigne(pluvio, "02/03/2004", "12:00:00")), jeu, n) || n != 1)
                return false;
            jeu->Fields(2) = 42.0;
            return jeu->Update();
        },
        // Points du graphique : suppression puis insertion à midi.
        [&](BaseDonnees& b) { return b.Execute(OrdreSql::sansVerification(ordres::supprimerPoints(pluvio, "10/04/2004", "12/04/2004"))); },
        [&](BaseDonnees& b) {
            return b.Execute(OrdreSql::sansVerification(ordres::insererPoint(pluvio, "10/04/2004", "3,5")))
                && b.Execute(OrdreSql::sansVerification(ordres::insererPoint(pluvio, "11/04/2004", "0")))
                && b.Execute(OrdreSql::sansVerification(ordres::insererPoint(pluvio, "12/04/2004", "12.25")));
        },
        // Plage effacée sur le graphique : ruptures sur les points qui la bordent.
        [&](BaseDonnees& b) {
            if (!b.Execute(OrdreSql::sansVerification(ordres::supprimerPoints(pluvio, "10/05/2004", "20/05/2004"))))
                return false;
            TableauValeurs t;
            qint32 n = 0;
            if (!b.ExtraireRecords(OrdreSql::sansVerification(ordres::pointAvant(pluvio, "10/05/2004")), t, n) || n < 1)
                return false;
            if (!b.Execute(OrdreSql::sansVerification(ordres::ruptureAvant(pluvio, TexteCellule(t(0, 0)), TexteCellule(t(1, 0))))))
                return false;
            if (!b.ExtraireRecords(OrdreSql::sansVerification(ordres::pointApres(pluvio, "20/05/2004")), t, n) || n < 1)
                return false;
            return b.Execute(OrdreSql::sansVerification(ordres::ruptureApres(pluvio, TexteCellule(t(0, 0)), TexteCellule(t(1, 0)))));
        },
    };
    for (int i = 0; i < etapes.size(); ++i) {
        SCOPED_TRACE("étape " + std::to_string(i));
        for (BaseDonnees* b : bases()) {
            m_fenetre.setProperty("typeBase", b->typeBase());
            EXPECT_TRUE(etapes[i](*b)) << b->typeBase().toStdString() << " : " << b->DerniereErreur().toStdString();
        }
        comparer(etat);
    }
    // Ce qui a été écrit se relit comme attendu.
    for (BaseDonnees* b : bases()) {
        m_fenetre.setProperty("typeBase", b->typeBase());
        const TableauValeurs mars = lire(*b, "SELECT DateCreation, Pluie, Continuite, ModeObtention FROM " + table + " WHERE DateCreation>="
                                                 + FormatDateBase("01/03/2004").texte() + " AND DateCreation<=" + FormatDateBase("31/03/2004").texte()
                                                 + " ORDER BY DateCreation");
        ASSERT_EQ(mars.points(), 5);
        EXPECT_EQ(TexteCellule(mars(0, 4)), "05/03/2004");
        EXPECT_DOUBLE_EQ(mars(1, 1).toDouble(), 42.0);
        EXPECT_DOUBLE_EQ(mars(1, 2).toDouble(), 0.0);
        EXPECT_EQ(mars(2, 3).toLongLong(), 1);
        const TableauValeurs avril = lire(*b, "SELECT Pluie, ModeObtention, Heure FROM " + table + " WHERE DateCreation="
                                                  + FormatDateBase("12/04/2004").texte());
        ASSERT_EQ(avril.points(), 1);
        EXPECT_DOUBLE_EQ(avril(0, 0).toDouble(), 12.25);
        EXPECT_EQ(TexteCellule(avril(1, 0)), "C");
        EXPECT_EQ(TexteCellule(avril(2, 0)), "12:00:00");
        const TableauValeurs bords = lire(*b, "SELECT DateCreation FROM " + table
                                                  + " WHERE Continuite=1 AND ModeObtention='M' AND year(DateCreation)=2004 ORDER BY 1");
        ASSERT_EQ(bords.points(), 3);
        EXPECT_EQ(TexteCellule(bords(0, 1)), "09/05/2004");
        EXPECT_EQ(TexteCellule(bords(0, 2)), "21/05/2004");
    }
}

TEST_F(MemesLignes, LesParametresEnTableFontLAllerRetour)
{
    for (BaseDonnees* b : bases())
        ASSERT_TRUE(b->CreerTable(QStringLiteral("UTILISATEURS_PARAMETRES"),
                                  {{QStringLiteral("login"), TypeColonne::Texte},
                                   {QStringLiteral("parametre"), TypeColonne::Texte},
                                   {QStringLiteral("valeur"), TypeColonne::Texte},
                                   {QStringLiteral("DateEcriture"), TypeColonne::DateHeure}}));
    const QString chemin = QStringLiteral("C:\\Editions\\KOR");
    for (BaseDonnees* b : bases()) {
        m_fenetre.setProperty("typeBase", b->typeBase());
        TableauValeurs t;
        qint32 n = -1;
        for (const QString& valeur : {QStringLiteral("ancien"), chemin}) {
            EXPECT_TRUE(b->ExtraireRecords(OrdreSql::sansVerification(ordres::supprimerParametre("CheminEdition", "dupont")), t, n));
            EXPECT_EQ(n, 0);
            EXPECT_TRUE(b->Execute(OrdreSql::sansVerification(ordres::ecrireParametre("dupont", "CheminEdition", valeur, "05/03/2004 08:30:00", b->typeBase()))))
                << b->DerniereErreur().toStdString();
        }
        EXPECT_TRUE(b->Execute(OrdreSql::sansVerification(ordres::ecrireParametre("martin", "CheminEdition", "autre", "05/03/2004 08:30:00", b->typeBase()))));
        const TableauValeurs lu = lire(*b, ordres::lireParametre("CheminEdition", "dupont"));
        ASSERT_EQ(lu.points(), 1);
        EXPECT_EQ(lu(0, 0).toString(), chemin);
        EXPECT_EQ(TexteCellule(lire(*b, "SELECT DateEcriture FROM UTILISATEURS_PARAMETRES WHERE login='dupont'").valeur(0, 0)),
                  "05/03/2004 08:30:00");
    }
    comparer({"paramètres : lecture d'un paramètre", [](const QString&) { return ordres::lireParametre("CheminEdition", "martin"); }});
}

} // namespace
