// Les écritures de la saisie des points, sur une vraie base (SQLite, ou
// PostgreSQL dans tests_entry_postgresql) : ce qu'elles changeraient, dit
// avant d'écrire ; ce qu'elles écrivent (seulement ce qui change, les autres
// colonnes gardées) ; leur lot dans l'historique, que l'annulation défait
// exactement ; et qu'une panne de n'importe lequel de leurs ordres ne laisse
// rien, ni dans la table ni dans l'historique.
#include "commun_tests/LignesTexte.h"

#include "commun/Dates.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"
#include "data/BaseDeTest.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/HistoriqueMesures.h"
#include "entry/EnregistrementPoints.h"

#include <QDate>
#include <atomic>
#include <functional>
#include <thread>
#include <gtest/gtest.h>

namespace {

using E = EnregistrementPoints;

QDate jan(int j)
{
    return QDate(2024, 1, j);
}

class Enregistrement : public AvecBase
{
protected:
    void preparer() override
    {
        base().SupprimerTable(QStringLiteral("HISTORIQUE_MESURES"));
        base().SupprimerTable(QStringLiteral("PLUVIO_T1"));
        ASSERT_TRUE(base().CreerTable(QStringLiteral("PLUVIO_T1"),
                                      {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                       {"Pluie", TypeColonne::Reel}, {"Continuite", TypeColonne::Entier},
                                       {"ModeObtention", TypeColonne::Texte}, {"Validite", TypeColonne::Entier},
                                       {"Commentaire", TypeColonne::Texte}, {"Etp", TypeColonne::Reel}},
                                      {"DateCreation", "Heure"}))
            << base().DerniereErreur().toStdString();
        QList<QVariantList> lignes;
        for (QDate d = jan(1); d <= jan(31); d = d.addDays(1))
            lignes.append({d, QStringLiteral("08:00:00"), double(d.day()) / 2, 0, QStringLiteral("A"), 0,
                           QStringLiteral("relevé n°%1").arg(d.day()), double(d.day()) / 10});
        ASSERT_TRUE(base().InsererLignes(QStringLiteral("PLUVIO_T1"), lignes));
    }

    // Toute la table, une ligne de texte par mesure, toutes ses colonnes, dans l'ordre.
    QStringList table()
    {
        return lignesTexte(lire("SELECT DateCreation, Heure, Pluie, Continuite, ModeObtention, Commentaire, Etp "
                                "FROM PLUVIO_T1 ORDER BY DateCreation, Heure"),
                           false, u' ');
    }
    QString jour(int j) { return table().filter(TexteDate(jan(j))).join(u'|'); }
    int lignesHistorique()
    {
        return int(LireNombre(valeur("SELECT Count(*) FROM HISTORIQUE_MESURES")).value_or(-1));
    }

    // La grille telle que remplie, une ligne par mesure du `premier` au `dernier` jour, chacune avec la
    // mesure lue en base au remplissage.
    QList<E::Ligne> remplie(BaseDonnees& b, int premier, int dernier)
    {
        QString erreur;
        const auto mesures = E::mesures(b, "T1", jan(premier), jan(dernier), erreur);
        EXPECT_TRUE(mesures) << erreur.toStdString();
        QList<E::Ligne> g;
        for (const LigneMesure& m : mesures.value_or(QList<LigneMesure>{})) {
            const QVariant pluie = m.colonnes.value("pluie");
            g.append({TexteDate(m.date), TexteHeure(m.heure), TexteNombre(pluie.toDouble()), "", true,
                      E::origine(m.date, m.heure, m, pluie)});
        }
        return g;
    }
    QList<E::Ligne> grilleChargee() { return remplie(base(), 3, 10); }
    // Le 4 corrigé avec une rupture, le 6 supprimé, le 7 déplacé à 10 h, une mesure ajoutée le 8 à 9 h 30.
    QList<E::Ligne> grilleCorrigee()
    {
        QList<E::Ligne> g = grilleChargee();
        g[1].valeur = "2,25";
        g[1].rupture = "R";
        g[1].modifiee = true;
        g[4].heure = "10:00:00";
        g[4].modifiee = true;
        const E::Ligne sixieme = g.takeAt(3);
        g.append({"08/01/2024", "09:30:00", "4", "", true, std::nullopt});
        g.append({{}, {}, {}, {}, false, sixieme.origine, true});
        return g;
    }
};

TEST_F(Enregistrement, LaGrilleNEcritQueCeQuiChangeEtLHistoriqueLeDefaitExactement)
{
    const QStringList avant = table();
    QString erreur;
    const auto projet = E::projetGrille(base(), "T1", jan(3), jan(10), grilleCorrigee(), erreur);
    ASSERT_TRUE(projet && erreur.isEmpty()) << erreur.toStdString();
    EXPECT_EQ(projet->bilan("T1 Essai"), "1 mesure modifiée, 2 ajoutées, 2 supprimées, sur la station T1 Essai du 03/01/2024 au 10/01/2024");
    EXPECT_EQ(table(), avant);  // le projet n'écrit rien
    ASSERT_TRUE(E::enregistrer(base(), *projet, "grille des points", erreur)) << erreur.toStdString();

    // Seules les mesures changées changent ; la corrigée garde son commentaire et son ETP.
    EXPECT_EQ(jour(3), "03/01/2024 08:00:00 1.5 0 A relevé n°3 0.3");
    EXPECT_EQ(jour(4), "04/01/2024 08:00:00 2.25 1 M relevé n°4 0.4");
    EXPECT_EQ(jour(6), "");
    EXPECT_EQ(jour(7), "07/01/2024 10:00:00 3.5 0 M relevé n°7 0.7");
    EXPECT_EQ(jour(8), "08/01/2024 08:00:00 4 0 A relevé n°8 0.8|08/01/2024 09:30:00 4 0 M  ");
    EXPECT_EQ(table().size(), 31 - 1 + 1);
    EXPECT_EQ(lignesHistorique(), 5);

    const auto lot = HistoriqueMesures::aAnnuler(base(), "PLUVIO_T1", erreur);
    ASSERT_TRUE(lot) << erreur.toStdString();
    EXPECT_EQ(std::tuple(lot->numero, lot->origine, lot->qui, lot->mesures, lot->premiere),
              std::tuple(1, QStringLiteral("grille des points"), HistoriqueMesures::utilisateur(), 5, jan(4)));

    // Annuler rend la table d'avant, colonne pour colonne ; l'annulation est un lot, qui ne s'annule pas lui-même.
    HistoriqueMesures::Lot annule;
    ASSERT_TRUE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_T1", annule, erreur)) << erreur.toStdString();
    EXPECT_EQ(annule.numero, 1);
    EXPECT_EQ(table(), avant);
    EXPECT_EQ(valeur("SELECT Max(Origine) FROM HISTORIQUE_MESURES WHERE Lot = 2 AND LotAnnule = 1").toString(), "annulation du lot 1");
    EXPECT_FALSE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_T1", annule, erreur));
    EXPECT_EQ(erreur, "Aucune correction à annuler pour PLUVIO_T1.");
    EXPECT_EQ(table(), avant);
    ASSERT_TRUE(E::enregistrer(base(), *projet, "grille des points", erreur)) << erreur.toStdString();

    // Une mesure changée par ailleurs depuis : l'annulation est refusée et ne touche à rien.
    ASSERT_TRUE(base().Execute("UPDATE PLUVIO_T1 SET Pluie=99 WHERE DateCreation=#01/04/2024#"));
    const QStringList changee = table();
    EXPECT_FALSE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_T1", annule, erreur));
    EXPECT_EQ(erreur, "La mesure du 04/01/2024 à 08:00:00 a changé depuis le lot 3 : rien n'a été annulé.");
    EXPECT_EQ(table(), changee);
}

// Une grille remplie avant qu'un autre ne corrige le 5 et ne supprime le 6 : ses lignes laissées telles
// quelles n'écrivent rien, même périmées ; celles que la personne change par-dessus l'autre refusent tout.
TEST_F(Enregistrement, SeulesLesLignesChangeesEcriventEtJamaisParDessusUneAutreCorrection)
{
    const QList<E::Ligne> vue = grilleChargee();
    ASSERT_TRUE(base().Execute("UPDATE PLUVIO_T1 SET Pluie=7 WHERE DateCreation=#01/05/2024#"));
    ASSERT_TRUE(base().Execute("DELETE FROM PLUVIO_T1 WHERE DateCreation=#01/06/2024#"));
    const QStringList apresLAutre = table();
    QString erreur;
    QList<E::Ligne> g = vue;
    g[1].valeur = "9";
    g[1].modifiee = true;
    const auto seul = E::projetGrille(base(), "T1", jan(3), jan(10), g, erreur);
    ASSERT_TRUE(seul && erreur.isEmpty()) << erreur.toStdString();
    EXPECT_EQ(seul->bilan("T1"), "1 mesure modifiée, 0 ajoutée, 0 supprimée, sur la station T1 du 03/01/2024 au 10/01/2024");

    // Le 6, que l'autre a supprimé, retiré de la grille : la base ne tient plus cette mesure, tout est refusé.
    QList<E::Ligne> retiree = vue;
    retiree[3] = {{}, {}, {}, {}, false, retiree[3].origine, true};
    EXPECT_FALSE(E::projetGrille(base(), "T1", jan(3), jan(10), retiree, erreur));
    EXPECT_EQ(erreur, "La mesure du 06/01/2024 à 08:00:00 a changé entre-temps : rien n'a été enregistré. Rechargez les mesures.");
    // Projeté avant l'autre, écrit après : refusé aussi, à l'écriture.
    ASSERT_TRUE(E::enregistrer(base(), *seul, "grille des points", erreur)) << erreur.toStdString();
    EXPECT_EQ(jour(5), "05/01/2024 08:00:00 7 0 A relevé n°5 0.5");
    EXPECT_EQ(jour(4), "04/01/2024 08:00:00 9 0 M relevé n°4 0.4");
    ASSERT_TRUE(E::enregistrer(base(), *seul, "grille des points", erreur) == false);
    EXPECT_TRUE(erreur.startsWith("La mesure du 04/01/2024 à 08:00:00 a changé entre-temps")) << erreur.toStdString();
    EXPECT_EQ(table().size(), apresLAutre.size());
}

// Ce qui ne s'écrit pas tel quel : des lignes changées illisibles (toutes nommées) ; ce qui s'écrit
// et se dit : une valeur effacée (0), toute la période retirée.
TEST_F(Enregistrement, LignesIllisiblesOuEnDoubleRefuseesValeurEffaceeDite)
{
    const QStringList avant = table();
    QString erreur;
    QList<E::Ligne> fautive = grilleChargee();
    fautive[2].heure.clear();
    fautive[5].valeur = "beaucoup";
    fautive[6].refusee = true;
    for (int i : {2, 5, 6})
        fautive[i].modifiee = true;
    const auto projet = E::projetGrille(base(), "T1", jan(3), jan(10), fautive, erreur);
    ASSERT_TRUE(projet);
    EXPECT_TRUE(projet->changements.isEmpty());
    EXPECT_EQ(erreur, "Les lignes 3, 6 et 7 de la grille n'ont pas de date, d'heure ou de valeur lisible dans les dates à "
                      "corriger : corrigez-les ou supprimez-les. Rien n'a été enregistré.");
    EXPECT_EQ((QList{projet->etats.value(0), projet->etats.value(2), projet->etats.value(5), projet->etats.value(6)}),
              (QList{E::Etat::Lue, E::Etat::Incomplete, E::Etat::Illisible, E::Etat::Illisible}));

    // Une ligne ajoutée sans valeur s'écrit 0, et le projet le dit ; rien de changé : rien à écrire, aucun lot.
    QList<E::Ligne> effacee = grilleChargee();
    effacee.append({"09/01/2024", "18:00:00", "", "", true, std::nullopt});
    erreur.clear();
    const auto zero = E::projetGrille(base(), "T1", jan(3), jan(10), effacee, erreur);
    ASSERT_TRUE(zero && erreur.isEmpty()) << erreur.toStdString();
    EXPECT_EQ(zero->detailVides(), QStringList{"09/01/2024 18:00:00 : ajoutée à 0 (valeur vide)"});
    QList<E::Ligne> videe;
    for (const E::Ligne& l : grilleChargee())
        videe.append({{}, {}, {}, {}, false, l.origine, true});
    const auto tout = E::projetGrille(base(), "T1", jan(3), jan(10), videe, erreur);
    ASSERT_TRUE(tout && erreur.isEmpty()) << erreur.toStdString();
    EXPECT_EQ(tout->bilan("T1"), "0 mesure modifiée, 0 ajoutée, 8 supprimées, sur la station T1 du 03/01/2024 au 10/01/2024");
    const auto inchangee = E::projetGrille(base(), "T1", jan(3), jan(10), grilleChargee(), erreur);
    ASSERT_TRUE(inchangee);
    EXPECT_TRUE(inchangee->changements.isEmpty());
    EXPECT_TRUE(E::enregistrer(base(), *inchangee, "grille des points", erreur));
    EXPECT_EQ(table(), avant);
    EXPECT_FALSE(E::projetGrille(base(), "T1; DROP TABLE PLUVIO_T1", jan(3), jan(10), grilleChargee(), erreur));
    EXPECT_TRUE(erreur.startsWith("Rien n'a été enregistré")) << erreur.toStdString();
}

TEST_F(Enregistrement, PointsPosesAMidiEtPlageSupprimeeAvecSesRuptures)
{
    QString erreur;
    const auto poses = E::projetPointsPoses(base(), "T1", {{jan(12), 0}, {jan(10), 3.5}}, erreur);
    ASSERT_TRUE(poses) << erreur.toStdString();
    EXPECT_EQ(poses->bilan("T1"), "0 mesure modifiée, 2 ajoutées, 3 supprimées, sur la station T1 du 10/01/2024 au 12/01/2024");
    ASSERT_TRUE(E::enregistrer(base(), *poses, "points posés sur le graphique", erreur)) << erreur.toStdString();
    EXPECT_EQ(jour(10), "10/01/2024 12:00:00 3.5 0 C  ");
    EXPECT_EQ(jour(11), "");
    EXPECT_EQ(jour(12), "12/01/2024 12:00:00 0 0 C  ");

    // Écrit avec la virgule d'un utilisateur français, relu comme un nombre.
    const QLocale avant = LocaleUtilisateur::locale();
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    const auto virgule = E::projetPointsPoses(base(), "T1", {{jan(14), 2.75}, {jan(15), 1}}, erreur);
    const bool ecrit = virgule && E::enregistrer(base(), *virgule, "points posés sur le graphique", erreur);
    LocaleUtilisateur::definir(avant);
    ASSERT_TRUE(ecrit) << erreur.toStdString();
    EXPECT_EQ(jour(14), "14/01/2024 12:00:00 2.75 0 C  ");
    EXPECT_EQ(valeur("SELECT Pluie * 2 FROM PLUVIO_T1 WHERE DateCreation = #01/14/2024#").toDouble(), 5.5);

    const auto plage = E::projetPlage(base(), "T1", jan(20), jan(25), erreur);
    ASSERT_TRUE(plage) << erreur.toStdString();
    EXPECT_EQ(plage->bilan("T1"), "2 mesures modifiées, 0 ajoutée, 6 supprimées, sur la station T1 du 20/01/2024 au 25/01/2024");
    ASSERT_TRUE(E::enregistrer(base(), *plage, "suppression d'une plage", erreur)) << erreur.toStdString();
    for (int j = 20; j <= 25; ++j)
        EXPECT_EQ(jour(j), "") << j;
    EXPECT_EQ(jour(19), "19/01/2024 08:00:00 9.5 1 M relevé n°19 1.9");
    EXPECT_EQ(jour(26), "26/01/2024 08:00:00 13 1 M relevé n°26 2.6");
    EXPECT_EQ(jour(18), "18/01/2024 08:00:00 9 0 A relevé n°18 1.8");
    // Une plage au bord de la chronique : une seule rupture à écrire, l'autre côté est vide.
    const auto bord = E::projetPlage(base(), "T1", jan(30), QDate(2024, 2, 5), erreur);
    ASSERT_TRUE(bord && E::enregistrer(base(), *bord, "suppression d'une plage", erreur)) << erreur.toStdString();
    EXPECT_EQ(jour(29), "29/01/2024 08:00:00 14.5 1 M relevé n°29 2.9");
    EXPECT_EQ(valeur("SELECT Max(Lot) FROM HISTORIQUE_MESURES").toInt(), 4);
}

// Le moteur refuse à son tour chaque genre d'ordre de chaque écriture, annulation comprise (un
// déclencheur sur la table, sa compagne ou l'historique) : la table et l'historique restent
// exactement ce qu'ils étaient, et l'erreur le dit.
TEST_F(Enregistrement, UnePanneDuMoteurANImporteQuelOrdreNeLaisseRien)
{
    struct Chemin
    {
        const char* nom;
        std::function<bool(BaseDonnees&, QString&)> ecrire;
    };
    const auto ecrire = [](BaseDonnees& b, const std::optional<E::Projet>& p, QString& e) {
        return p && e.isEmpty() && E::enregistrer(b, *p, "essai", e);
    };
    const QList<Chemin> chemins = {
        {"grille", [&](BaseDonnees& b, QString& e) { return ecrire(b, E::projetGrille(b, "T1", jan(3), jan(10), grilleCorrigee(), e), e); }},
        {"points", [&](BaseDonnees& b, QString& e) { return ecrire(b, E::projetPointsPoses(b, "T1", {{jan(10), 3.5}, {jan(12), 0}}, e), e); }},
        {"plage", [&](BaseDonnees& b, QString& e) { return ecrire(b, E::projetPlage(b, "T1", jan(20), jan(25), e), e); }},
        {"annulation", [](BaseDonnees& b, QString& e) { HistoriqueMesures::Lot l; return HistoriqueMesures::annulerDernier(b, "PLUVIO_T1", l, e); }},
    };
    const QList<std::pair<const char*, const char*>> pannes = {
        {"PLUVIO_T1", "DELETE"}, {"PLUVIO_T1", "INSERT"}, {"HISTORIQUE_PLUVIO_T1", "INSERT"}, {"HISTORIQUE_MESURES", "INSERT"}};
    auto& moteur = dynamic_cast<BaseAcces&>(base());
    const bool pg = base().typeBase() == "POSTGRESQL";
    int essais = 0;
    for (const Chemin& c : chemins)
        for (const auto& [nom, ordre] : pannes) {
            SetUp();
            // Une correction déjà faite, que l'annulation défait.
            QString erreur;
            const auto faite = E::projetPlage(base(), "T1", jan(28), jan(28), erreur);
            ASSERT_TRUE(faite && E::enregistrer(base(), *faite, "essai", erreur)) << erreur.toStdString();
            const QStringList avant = table();
            const int historique = lignesHistorique();
            const QString cible = moteur.Identifiant(QString::fromLatin1(nom));
            ASSERT_TRUE(moteur.ExecuterNatif(
                pg ? QStringLiteral("CREATE OR REPLACE FUNCTION panne() RETURNS trigger LANGUAGE plpgsql AS "
                                    "$$BEGIN RAISE EXCEPTION 'panne'; END$$")
                   : QStringLiteral("SELECT 1")));
            ASSERT_TRUE(moteur.ExecuterNatif(
                pg ? QStringLiteral("CREATE TRIGGER panne BEFORE %1 ON %2 FOR EACH STATEMENT EXECUTE FUNCTION panne()").arg(ordre, cible)
                   : QStringLiteral("CREATE TRIGGER panne BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'panne'); END").arg(ordre, cible)))
                << moteur.DerniereErreur().toStdString();
            erreur.clear();
            EXPECT_FALSE(c.ecrire(base(), erreur)) << c.nom << " " << nom << " " << ordre;
            EXPECT_FALSE(erreur.isEmpty()) << c.nom << " " << nom << " " << ordre;
            ASSERT_TRUE(moteur.ExecuterNatif(pg ? QStringLiteral("DROP TRIGGER panne ON ") + cible : QStringLiteral("DROP TRIGGER panne")));
            ASSERT_EQ(table(), avant) << c.nom << " " << nom << " " << ordre;
            ASSERT_EQ(lignesHistorique(), historique) << c.nom << " " << nom << " " << ordre;
            EXPECT_FALSE(base().EnTransaction());
            ++essais;
        }
    EXPECT_EQ(essais, 16);
}

// Deux utilisateurs corrigent au même moment des grilles qui se chevauchent, tirées du même état :
// la première écrite, la seconde refusée (ses mesures ont changé entre-temps), jamais un mélange.
TEST_F(Enregistrement, DeuxCorrectionsSimultaneesNeSeMelangentPas)
{
    auto grilleDe = [this](BaseDonnees& b, int premier, int dernier, const char* valeur) {
        QList<E::Ligne> l = remplie(b, premier, dernier);
        for (E::Ligne& ligne : l) {
            ligne.valeur = QString::fromLatin1(valeur);
            ligne.modifiee = true;
        }
        return l;
    };
    for (int essai = 0; essai < 3; ++essai) {
        SetUp();
        auto premiere = autreConnexion(), seconde = autreConnexion();
        ASSERT_TRUE(premiere && seconde);
        QString erreurA, erreurB;
        const auto a = E::projetGrille(*premiere, "T1", jan(3), jan(10), grilleDe(*premiere, 3, 10, "1"), erreurA);
        const auto b = E::projetGrille(*seconde, "T1", jan(5), jan(12), grilleDe(*seconde, 5, 12, "2"), erreurB);
        ASSERT_TRUE(a && b);
        bool okA = false, okB = false;
        std::atomic<int> prets{0};
        auto lancer = [&](BaseDonnees& base, const E::Projet& p, QString& erreur, bool& ok) {
            ++prets;
            while (prets < 2) {
            }
            ok = E::enregistrer(base, p, "grille des points", erreur);
        };
        std::thread t1(lancer, std::ref(*premiere), std::cref(*a), std::ref(erreurA), std::ref(okA));
        std::thread t2(lancer, std::ref(*seconde), std::cref(*b), std::ref(erreurB), std::ref(okB));
        t1.join();
        t2.join();
        ASSERT_NE(okA, okB) << erreurA.toStdString() << " / " << erreurB.toStdString();
        EXPECT_TRUE((okA ? erreurB : erreurA).contains("a changé entre-temps"));
        // Du 5 au 10, une seule des deux grilles, entière.
        const TableauValeurs t = lire("SELECT Pluie, Count(*) FROM PLUVIO_T1 WHERE DateCreation >= #01/05/2024# AND "
                                      "DateCreation <= #01/10/2024# GROUP BY Pluie");
        ASSERT_EQ(t.points(), 1) << "mélange des deux grilles à l'essai " << essai;
        EXPECT_EQ(LireNombre(t.valeur(0, 0)).value_or(0), okA ? 1 : 2);
    }
}

} // namespace
