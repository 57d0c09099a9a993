// Le bulletin lu dans une base, sur le moteur de l'exécutable (SQLite dans
// tests_data, PostgreSQL dans tests_postgresql).
#include "commun/Horloge.h"
#include "data/BaseDeTest.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/CopieBase.h"
#include "data/bulletin/BulletinMensuel.h"

#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <future>

namespace {

// La valeur de chaque ligne du bulletin, « genre code valeur ».
QStringList valeurs(const BulletinMensuel& b)
{
    QStringList l;
    for (const LigneBulletin& ligne : b.lignes)
        l << GenresStation::nom(ligne.genre->genre) + u' ' + ligne.code + u' ' + QString::number(ligne.valeur.value_or(-999));
    return l;
}

// Deux piézomètres, l'un avec la cote de son repère (100 m NGF), l'autre sans : des niveaux de -5 m
// de janvier à mars 2020 pour le premier, de -7 m en janvier et février pour le second ; en avril,
// une mesure marquée "I" ; en juin, le mois en cours, une mesure.
class BulletinSurBase : public AvecBase
{
protected:
    void preparer() override
    {
        Horloge::fixer(QDate(2020, 6, 15));
        const QString piezo = GenresStation::nom(GenreStation::Genre::Piezo);
        ASSERT_TRUE(base().CreerTable("STATIONS", {{"Code", TypeColonne::Texte}, {"Nom", TypeColonne::Texte},
                                                   {"Genre", TypeColonne::Texte}, {"Altitude", TypeColonne::Reel}}));
        ASSERT_TRUE(base().InsererLignes("STATIONS", {{"A", "Forage", piezo, 100.0}, {"B", "Puits", piezo, QVariant()}}));
        for (const auto& [code, niveau, dernier] : {std::tuple{"A", -5.0, 3}, {"B", -7.0, 2}}) {
            const QString table = QStringLiteral("PZ_") + code;
            ASSERT_TRUE(base().CreerTable(table, {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                                  {"Valeur", TypeColonne::Reel}, {"ModeObtention", TypeColonne::Texte}}));
            QList<QVariantList> lignes = {{QDate(2020, 4, 10), "06:00:00", -1.0, "I"}, {QDate(2020, 6, 2), "06:00:00", -3.0, QVariant()}};
            for (int mois = 1; mois <= dernier; ++mois)
                for (int jour : {5, 15, 25})
                    lignes.append({QDate(2020, mois, jour), "06:00:00", niveau, QVariant()});
            ASSERT_TRUE(base().InsererLignes(table, lignes)) << base().DerniereErreur().toStdString();
        }
    }
    void TearDown() override
    {
        Horloge::fixer(QDate());
        AvecBase::TearDown();
    }

    // Les valeurs du bulletin de février 2020 ; `autre`, s'il est donné, est lancé d'un autre fil
    // dès la première station lue (sur SQLite il attend la fin de la lecture, sur PostgreSQL il
    // valide tout de suite), et `autreFait` dit s'il a réussi.
    QStringList bulletin(const std::function<bool()>& autre = {}, bool* autreFait = nullptr)
    {
        std::future<bool> f;
        QString erreur;
        const auto b = BulletinMensuel::calculer(base(), {QDate(2020, 2, 1), {}, 0}, [&](const QString&, int pourcent) {
            if (autre && pourcent > 0 && !f.valid()) {
                f = std::async(std::launch::async, autre);
                f.wait_for(std::chrono::seconds(1));
            }
            return true;
        }, erreur);
        if (autreFait)
            *autreFait = f.valid() && f.get();
        EXPECT_TRUE(b) << erreur.toStdString();
        return b ? valeurs(*b) : QStringList();
    }
};

} // namespace

TEST_F(BulletinSurBase, LeMoisProposeEstLeDernierMesure)
{
    // Avril n'a qu'une mesure marquée "I", juin n'est pas achevé : mars, ou février pour le second seul.
    EXPECT_EQ(BulletinMensuel::dernierMoisMesure(base(), {}), QDate(2020, 3, 1));
    EXPECT_EQ(BulletinMensuel::dernierMoisMesure(base(), {{"B", {}}}), QDate(2020, 2, 1));
    Horloge::fixer(QDate(2019, 12, 31));
    EXPECT_FALSE(BulletinMensuel::dernierMoisMesure(base(), {}));
}

// Un import validé par un autre utilisateur pendant le bulletin, entre la lecture
// de la première station et celle de la seconde : le bulletin est tout entier
// d'avant, jamais une station d'avant et l'autre d'après.
TEST_F(BulletinSurBase, UnImportPendantLeBulletinNeMelangePasDeuxInstants)
{
    auto autre = autreConnexion();
    ASSERT_TRUE(autre);
    const QStringList avant = bulletin();
    bool fait = false;
    const QStringList pendant = bulletin([&] {
        return autre->Execute(OrdreSql::sansVerification(QStringLiteral("UPDATE PZ_A SET Valeur = Valeur - 1")))
            && autre->Execute(OrdreSql::sansVerification(QStringLiteral("UPDATE PZ_B SET Valeur = Valeur - 1")));
    }, &fait);
    ASSERT_TRUE(fait) << autre->DerniereErreur().toStdString();
    EXPECT_EQ(pendant, avant);
    EXPECT_EQ(bulletin(), (QStringList{"piezo A -6", "piezo B -8"}));
    EXPECT_EQ(avant, (QStringList{"piezo A -5", "piezo B -7"}));
}

// Une copie qui remplace une table par une autre de structure différente,
// validée par un autre utilisateur pendant le bulletin, avant la lecture de
// cette table : elle n'y paraît ni vide ni nouvelle à côté des autres d'avant.
TEST_F(BulletinSurBase, UneCopieQuiRecreeUneTablePendantLeBulletinNeMelangePasDeuxInstants)
{
    auto autre = autreConnexion();
    ASSERT_TRUE(autre);
    QTemporaryDir dossier;
    QString erreur;
    const auto source = BaseSqlite::ouvrir(dossier.filePath(QStringLiteral("source.db")), erreur);
    ASSERT_TRUE(source) << erreur.toStdString();
    ASSERT_TRUE(source->CreerTable("PZ_B", {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                            {"Valeur", TypeColonne::Reel}, {"ModeObtention", TypeColonne::Texte}},
                                   {"DateCreation", "Heure"}));
    ASSERT_TRUE(source->InsererLignes("PZ_B", {{QDate(2020, 2, 15), "06:00:00", -9.0, QVariant()}}));
    bool fait = false;
    const QStringList pendant = bulletin([&] {
        QList<CopieBase::Bilan> bilans;
        return CopieBase(*source, dynamic_cast<BaseAcces&>(*autre)).copier(true, bilans, erreur);
    }, &fait);
    ASSERT_TRUE(fait) << erreur.toStdString();
    EXPECT_EQ(pendant, (QStringList{"piezo A -5", "piezo B -7"}));
    EXPECT_EQ(bulletin(), (QStringList{"piezo A -5", "piezo B -9"}));
}
