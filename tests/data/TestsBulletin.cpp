// La ligne de bulletin d'une station, tirée d'un relevé mensuel fait à la main.
#include "data/bulletin/CalculBulletin.h"

#include <gtest/gtest.h>

namespace {

const GenreBulletin& genre(GenreStation::Genre g)
{
    return *GenresBulletin::de(g);
}

LigneBulletin calculer(const ReleveMensuel& r, GenreStation::Genre g, QDate mois, const CalculBulletin::Normales& normales = {})
{
    return CalculBulletin(r, genre(g), mois, 10, normales).ligne(QStringLiteral("X1"), QStringLiteral("Station"));
}

} // namespace

TEST(Bulletin, LeMoisSePlaceParmiLesMoisCompletsDuReleveParRangEtParQuintiles)
{
    // Totaux de mars 10, 20, 40, 50 sur quatre ans, 30 l'année du bulletin : quintiles 18, 26, 34, 42.
    ReleveMensuel r;
    for (auto [annee, total] : {std::pair{2000, 10.0}, {2001, 20.0}, {2002, 40.0}, {2003, 50.0}, {2005, 30.0}})
        r.ajouter(annee, 3, {total, true});
    LigneBulletin l = calculer(r, GenreStation::Genre::Pluvio, QDate(2005, 3, 1));
    EXPECT_EQ(l.texteRang(), QStringLiteral("3/5"));
    EXPECT_EQ(l.texteClasse(), QStringLiteral("normal"));
    // Un mois égal à celui d'une autre année prend le premier rang des deux.
    r.ajouter(2005, 3, {20.0, false});
    l = calculer(r, GenreStation::Genre::Pluvio, QDate(2005, 3, 1));
    EXPECT_EQ(l.texteRang(), QStringLiteral("2/5"));
    // Les bornes : sous le 1er quintile, sous le 2e, jusqu'au 3e compris, jusqu'au 4e compris, au-delà.
    const std::array<std::optional<double>, 4> q = {18.0, 26.0, 34.0, 42.0};
    const std::pair<double, int> cas[] = {{17.99, 0}, {18, 1}, {25.99, 1}, {26, 2}, {34, 2}, {34.01, 3}, {42, 3}, {42.01, 4}};
    for (const auto& [v, classe] : cas)
        EXPECT_EQ(CalculBulletin::classe(v, q), classe) << v;
    // Sans mesure ce mois-là : ni rang ni classe.
    ReleveMensuel seul;
    seul.ajouter(2010, 7, {12.5, false});
    const LigneBulletin vide = calculer(seul, GenreStation::Genre::Piezo, QDate(2010, 8, 1));
    EXPECT_TRUE(vide.texteRang().isEmpty());
    EXPECT_FALSE(vide.valeur || vide.classe || vide.tendance);
}

TEST(Bulletin, LeCumulCouvreLAnneeHydrologiqueEtLaNormaleCumuleeExigeChaqueNormale)
{
    ReleveMensuel r;
    r.ajouter(2014, 9, {500.0, true});  // avant le 1er octobre : hors du cumul
    for (auto [annee, mois, total] : {std::tuple{2014, 10, 80.0}, {2014, 11, 60.0}, {2015, 1, 40.0}, {2015, 2, 30.0}})
        r.ajouter(annee, mois, {total, true});
    CalculBulletin::Normales normales;
    for (int m = 1; m <= 12; ++m)
        normales[std::size_t(m - 1)] = 10.0 * m;
    // Décembre sans mesure compte pour rien.
    LigneBulletin l = calculer(r, GenreStation::Genre::Pluvio, QDate(2015, 2, 1), normales);
    EXPECT_DOUBLE_EQ(*l.cumul, 210.0);
    normales[11].reset();
    l = calculer(r, GenreStation::Genre::Pluvio, QDate(2015, 2, 1), normales);
    EXPECT_TRUE(l.cumul && !l.normaleCumulee);
    // La page du pluviomètre montre l'année hydrologique : d'octobre à septembre, rien après février.
    ASSERT_EQ(l.contexte.size(), 12u);
    EXPECT_EQ(l.contexte.front().mois, QDate(2014, 10, 1));
    EXPECT_TRUE(l.contexte[4].valeur && !l.contexte[5].valeur);
    EXPECT_TRUE(l.contexte[5].normale);
    // Chaque mois de la page a la classe que lui donne son propre bulletin.
    for (const LigneBulletin::MoisContexte& c : l.contexte)
        EXPECT_EQ(c.classe, calculer(r, GenreStation::Genre::Pluvio, c.mois, normales).classe) << c.mois.toString().toStdString();
}

TEST(Bulletin, LaTendanceCompareAuMoisPrecedentAvecUnSeuilTireDeLEtendueDuMois)
{
    // Niveaux de mai de -20 à -10 : étendue 10, stable jusqu'à 0,5 d'écart avec avril.
    ReleveMensuel r;
    for (int annee = 2000; annee <= 2010; ++annee)
        r.ajouter(annee, 5, {-20.0 + (annee - 2000), true});
    r.ajouter(2011, 4, {-15.0, true});
    r.ajouter(2011, 5, {-15.5, true});
    EXPECT_EQ(calculer(r, GenreStation::Genre::Piezo, QDate(2011, 5, 1)).texteTendance(), QStringLiteral("stable"));
    // Sans mois précédent, pas de tendance ; le contexte finit au mois du bulletin.
    const LigneBulletin l = calculer(r, GenreStation::Genre::Piezo, QDate(2010, 5, 1));
    EXPECT_FALSE(l.tendance);
    EXPECT_EQ(l.contexte.back().mois, QDate(2010, 5, 1));
    EXPECT_EQ(l.contexte.front().mois, QDate(2009, 6, 1));
}
