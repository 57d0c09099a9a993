// Les écritures de la saisie des points, sur une vraie base (SQLite, ou
// PostgreSQL dans tests_entry_postgresql) : ce qu'elles écrivent, et qu'une
// panne de n'importe lequel de leurs ordres laisse la table comme avant.
#include "BaseDefaillante.h"

#include "commun/Cellule.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"
#include "data/BaseDeTest.h"
#include "entry/EnregistrementPoints.h"

#include <QDate>
#include <atomic>
#include <thread>
#include <gtest/gtest.h>

namespace {

using E = EnregistrementPoints;

class Enregistrement : public AvecBase
{
protected:
    void SetUp() override
    {
        AvecBase::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        base().SupprimerTable(QStringLiteral("PLUVIO_T1"));
        ASSERT_TRUE(base().CreerTable(QStringLiteral("PLUVIO_T1"),
                                      {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                       {"Pluie", TypeColonne::Reel}, {"Continuite", TypeColonne::Entier},
                                       {"ModeObtention", TypeColonne::Texte}, {"Validite", TypeColonne::Entier},
                                       {"Commentaire", TypeColonne::Texte}},
                                      {"DateCreation", "Heure"}))
            << base().DerniereErreur().toStdString();
        QList<QVariantList> lignes;
        for (QDate d(2024, 1, 1); d <= QDate(2024, 1, 31); d = d.addDays(1))
            lignes.append({d, QStringLiteral("08:00:00"), double(d.day()) / 2, 0, QStringLiteral("A"), 0, QString()});
        ASSERT_TRUE(base().InsererLignes(QStringLiteral("PLUVIO_T1"), lignes));
    }

    // Toute la table, une ligne de texte par mesure, dans l'ordre.
    QStringList table()
    {
        const TableauValeurs t =
            lire("SELECT DateCreation, Heure, Pluie, Continuite, ModeObtention FROM PLUVIO_T1 ORDER BY DateCreation, Heure");
        QStringList l;
        for (int i = 0; i < t.points(); ++i)
            l << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(TexteCellule(t.valeur(0, i)), TexteCellule(t.valeur(1, i)), TexteCellule(t.valeur(2, i)),
                          TexteCellule(t.valeur(3, i)), TexteCellule(t.valeur(4, i)));
        return l;
    }
    QString jour(int j) { return table().filter(QStringLiteral("%1/01/2024").arg(j, 2, 10, QChar(u'0'))).join(u'|'); }

    QList<E::Ligne> grille()
    {
        return {{"03/01/2024", "08:00:00", "1,5", ""},    {"04/01/2024", "09:30:00", "2.25", "R"},
                {"05/01/2024", "", "7", ""},               {"06/01/2024", "25:00:00", "1", ""},
                {"07/01/2024", "08:00:00", "", ""},        {"", "", "", "", false}};
    }
};

TEST_F(Enregistrement, GrilleEntiereRemplaceLaPeriodeEtEcarteLesLignesIllisibles)
{
    E::Bilan bilan;
    QString erreur;
    QList<int> avancement;
    ASSERT_TRUE(E::enregistrerGrille(base(), "T1", QDate(2024, 1, 3), QDate(2024, 1, 10), grille(), bilan, erreur,
                                     [&](int p) { avancement << p; }))
        << erreur.toStdString();
    EXPECT_EQ(bilan.etats, (QList<E::Etat>{E::Etat::Enregistree, E::Etat::Enregistree, E::Etat::Incomplete,
                                           E::Etat::Illisible, E::Etat::Enregistree, E::Etat::Vide}));
    EXPECT_EQ(bilan.enregistrees, 3);
    EXPECT_EQ(bilan.ecartees, 2);
    EXPECT_EQ(avancement.last(), 100);
    // La période chargée est remplacée ; les jours autour restent tels quels.
    EXPECT_EQ(jour(2), "02/01/2024 08:00:00 1 0 A");
    EXPECT_EQ(jour(3), "03/01/2024 08:00:00 1.5 0 M");
    EXPECT_EQ(jour(4), "04/01/2024 09:30:00 2.25 1 M");
    EXPECT_EQ(jour(5), "");   // sans heure : écartée, et la mesure de la période supprimée
    EXPECT_EQ(jour(7), "07/01/2024 08:00:00 0 0 M");   // valeur vide rangée à 0
    EXPECT_EQ(jour(11), "11/01/2024 08:00:00 5.5 0 A");
    EXPECT_EQ(table().size(), 31 - 8 + 3);
}

TEST_F(Enregistrement, PointsPosesAMidiEtPlageSupprimeeAvecSesRuptures)
{
    QString erreur;
    ASSERT_TRUE(E::enregistrerPointsPoses(base(), "T1", {{QDate(2024, 1, 10), 3.5}, {QDate(2024, 1, 12), 0}}, erreur))
        << erreur.toStdString();
    EXPECT_EQ(jour(10), "10/01/2024 12:00:00 3.5 0 C");
    EXPECT_EQ(jour(11), "");
    EXPECT_EQ(jour(12), "12/01/2024 12:00:00 0 0 C");

    // Écrit avec la virgule d'un utilisateur français, relu comme un nombre.
    const QLocale avant = LocaleUtilisateur::locale();
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    const bool virgule = E::enregistrerPointsPoses(base(), "T1", {{QDate(2024, 1, 14), 2.75}, {QDate(2024, 1, 15), 1}}, erreur);
    LocaleUtilisateur::definir(avant);
    ASSERT_TRUE(virgule) << erreur.toStdString();
    EXPECT_EQ(jour(14), "14/01/2024 12:00:00 2.75 0 C");
    EXPECT_EQ(valeur("SELECT Pluie * 2 FROM PLUVIO_T1 WHERE DateCreation = #01/14/2024#").toDouble(), 5.5);

    ASSERT_TRUE(E::supprimerPlage(base(), "T1", QDate(2024, 1, 20), QDate(2024, 1, 25), erreur)) << erreur.toStdString();
    for (int j = 20; j <= 25; ++j)
        EXPECT_EQ(jour(j), "") << j;
    EXPECT_EQ(jour(19), "19/01/2024 08:00:00 9.5 1 M");
    EXPECT_EQ(jour(26), "26/01/2024 08:00:00 13 1 M");
    EXPECT_EQ(jour(18), "18/01/2024 08:00:00 9 0 A");
    // Une plage au bord de la chronique : une seule rupture à écrire, l'autre côté est vide.
    ASSERT_TRUE(E::supprimerPlage(base(), "T1", QDate(2024, 1, 30), QDate(2024, 2, 5), erreur)) << erreur.toStdString();
    EXPECT_EQ(jour(29), "29/01/2024 08:00:00 14.5 1 M");
}

TEST_F(Enregistrement, CodeRefuseRienNEstEcrit)
{
    const QStringList avant = table();
    QString erreur;
    E::Bilan bilan;
    EXPECT_FALSE(E::enregistrerGrille(base(), "T1; DROP TABLE PLUVIO_T1", QDate(2024, 1, 1), QDate(2024, 1, 31), grille(),
                                      bilan, erreur));
    EXPECT_TRUE(erreur.startsWith("Rien n'a été enregistré")) << erreur.toStdString();
    EXPECT_FALSE(E::supprimerPlage(base(), "T 1", QDate(2024, 1, 1), QDate(2024, 1, 31), erreur));
    EXPECT_EQ(table(), avant);
}

// Chaque ordre de chaque écriture tombe en panne à son tour : la table reste
// exactement ce qu'elle était, et l'erreur le dit.
TEST_F(Enregistrement, UnePanneANImporteQuelOrdreNeLaisseRien)
{
    const QStringList avant = table();
    struct Chemin
    {
        const char* nom;
        std::function<bool(BaseDonnees&, QString&)> ecrire;
    };
    const QList<E::Ligne> lignes = grille();
    const QList<Chemin> chemins = {
        {"grille", [&](BaseDonnees& b, QString& e) { E::Bilan bilan; return E::enregistrerGrille(b, "T1", QDate(2024, 1, 3), QDate(2024, 1, 10), lignes, bilan, e); }},
        {"points", [](BaseDonnees& b, QString& e) { return E::enregistrerPointsPoses(b, "T1", {{QDate(2024, 1, 10), 3.5}, {QDate(2024, 1, 11), 1}, {QDate(2024, 1, 12), 0}}, e); }},
        {"plage", [](BaseDonnees& b, QString& e) { return E::supprimerPlage(b, "T1", QDate(2024, 1, 20), QDate(2024, 1, 25), e); }},
    };
    int essais = 0;
    for (const Chemin& c : chemins) {
        // Sans panne d'abord, pour connaître le nombre d'ordres du chemin.
        int ordres = 0;
        {
            BaseDefaillante sansPanne(base(), -1);
            QString erreur;
            ASSERT_TRUE(c.ecrire(sansPanne, erreur)) << c.nom << " " << erreur.toStdString();
            ordres = sansPanne.ordresVus();
        }
        ASSERT_GE(ordres, 3) << c.nom;
        // Remettre la table d'avant : le même chemin en panne part de là.
        ASSERT_TRUE(base().Execute("DELETE FROM PLUVIO_T1"));
        SetUp();
        ASSERT_EQ(table(), avant);
        for (int panne = 1; panne <= ordres; ++panne) {
            BaseDefaillante enPanne(base(), panne);
            QString erreur;
            EXPECT_FALSE(c.ecrire(enPanne, erreur)) << c.nom << " panne " << panne;
            EXPECT_TRUE(erreur.startsWith("Rien n'a été enregistré")) << c.nom << " " << erreur.toStdString();
            ASSERT_EQ(table(), avant) << c.nom << " panne à l'ordre " << panne;
            EXPECT_FALSE(base().EnTransaction());
            ++essais;
        }
    }
    RecordProperty("essais", essais);
    EXPECT_GE(essais, 12);
}

// Deux utilisateurs enregistrent au même moment des grilles qui se chevauchent :
// l'un attend l'autre, et la table tient l'une puis l'autre grille entière,
// jamais un mélange des deux.
TEST_F(Enregistrement, DeuxEnregistrementsSimultanesNeSeMelangentPas)
{
    auto grilleDe = [](int premier, int dernier, const char* valeur) {
        QList<E::Ligne> l;
        for (int j = premier; j <= dernier; ++j)
            for (int h = 0; h < 24; ++h)
                l.append({QStringLiteral("%1/01/2024").arg(j, 2, 10, QChar(u'0')), QStringLiteral("%1:00:00").arg(h, 2, 10, QChar(u'0')),
                          QString::fromLatin1(valeur), QString()});
        return l;
    };
    const QList<E::Ligne> a = grilleDe(3, 10, "1"), b = grilleDe(5, 12, "2");
    for (int essai = 0; essai < 3; ++essai) {
        SetUp();
        auto premiere = autreConnexion(), seconde = autreConnexion();
        ASSERT_TRUE(premiere && seconde);
        QString erreurA, erreurB;
        bool okA = false, okB = false;
        std::atomic<int> prets{0};
        auto lancer = [&](BaseDonnees& b, const QList<E::Ligne>& g, int debut, int fin, QString& erreur, bool& ok) {
            ++prets;
            while (prets < 2) {
            }
            E::Bilan bilan;
            ok = E::enregistrerGrille(b, "T1", QDate(2024, 1, debut), QDate(2024, 1, fin), g, bilan, erreur);
        };
        std::thread t1(lancer, std::ref(*premiere), std::cref(a), 3, 10, std::ref(erreurA), std::ref(okA));
        std::thread t2(lancer, std::ref(*seconde), std::cref(b), 5, 12, std::ref(erreurB), std::ref(okB));
        t1.join();
        t2.join();
        ASSERT_TRUE(okA) << erreurA.toStdString();
        ASSERT_TRUE(okB) << erreurB.toStdString();
        // Du 5 au 10, une seule des deux grilles, entière.
        const TableauValeurs t = lire("SELECT Pluie, Count(*) FROM PLUVIO_T1 WHERE DateCreation >= #01/05/2024# AND "
                                      "DateCreation <= #01/10/2024# GROUP BY Pluie");
        ASSERT_EQ(t.points(), 1) << "mélange des deux grilles à l'essai " << essai;
        EXPECT_EQ(LireNombre(t.valeur(1, 0)).value_or(0), 6 * 24);
    }
}

} // namespace
