// Vérification des entrées de la boîte d'options et correspondance des formats
// de l'axe du temps, sans fenêtre.
#include "settings/FormatsAxeX.h"
#include "settings/PageGrille.h"
#include "settings/ValidationOptions.h"

#include <gtest/gtest.h>

namespace {

SaisieOptions bonneSaisie()
{
    SaisieOptions s;
    s.minimum = "0";
    s.maximum = "12,5";
    s.minimumPluie = "0";
    s.maximumPluie = "80";
    s.tailleAxes = "7";
    s.tailleTitre = "14";
    s.nbSeparations = "5";
    s.dateDebut = "01/10/2021";
    s.dateFin = "30/09/2023";
    s.courbes = {{0, 0}, {5, 3}};
    return s;
}

QString refus(const SaisieOptions& s, TypeGraph type = TypeGraph::edition)
{
    const auto r = ValidationOptions::valider(s, type);
    return std::holds_alternative<QString>(r) ? std::get<QString>(r) : QString();
}

TEST(ValidationOptions, ChaqueRefusDonneSonMessageDansLOrdre)
{
    const QString bornes = "La valeur du minimum et/ou du maximum n'est pas correcte.";
    const QString piezo = "La valeur du minimum et/ou du maximum de la piézomètrie n'est pas correcte.";
    const QString hydro = "La valeur du minimum et/ou du maximum de la station hydro n'est pas correcte.";
    const QString pluie = "La valeur du minimum et/ou du maximum de la pluviométrie n'est pas correcte pour la saisie.";
    const QString polices = "La valeur de la taille des polices des titres ou des axes n'est pas correcte.";
    const QString separateurs = "Le nombre de séparateurs n'est pas correct.";
    const QString ordre = "La valeur du minimum doit être inférieure au maximum.";
    const QString datesIllisibles = "Les dates d'affichage ne sont pas correctes.";
    const QString datesInversees = "La date de début doit être inférieure à la date de fin.";

    EXPECT_EQ(refus(bonneSaisie()), "");
    // Tout est faux à la fois : chaque correction fait paraître le refus suivant.
    SaisieOptions s = bonneSaisie();
    s.maximum = "douze";
    s.maximumPluie = "";
    s.tailleAxes = "3";
    s.nbSeparations = "-1";
    s.dateDebut = "31/02/2022";
    EXPECT_EQ(refus(s, TypeGraph::PluvioPiezo), piezo);
    EXPECT_EQ(refus(s, TypeGraph::PluvioStation), hydro);
    EXPECT_EQ(refus(s, TypeGraph::Annee), bornes);
    s.maximum = "-2";
    EXPECT_EQ(refus(s, TypeGraph::PluvioPiezo), pluie);
    EXPECT_EQ(refus(s, TypeGraph::edition), polices);  // la pluie n'est lue que sur deux graphiques
    s.maximumPluie = "80";
    EXPECT_EQ(refus(s, TypeGraph::PluvioPiezo), polices);
    s.tailleAxes = "9";
    EXPECT_EQ(refus(s), separateurs);
    s.nbSeparations = "0";
    EXPECT_EQ(refus(s), ordre);
    s.maximum = "0";
    EXPECT_EQ(refus(s), ordre);
    s.maximum = "12.5";
    EXPECT_EQ(refus(s), datesIllisibles);
    s.dateDebut = s.dateFin;
    EXPECT_EQ(refus(s), datesInversees);
    s.dateDebut = "01/10/2023";
    EXPECT_EQ(refus(s), datesInversees);
    s.dateDebut = "29/09/2023";
    EXPECT_EQ(refus(s), "");

    // L'échelle de pluie aussi doit aller du plus petit au plus grand.
    s.minimumPluie = "80";
    EXPECT_EQ(refus(s, TypeGraph::PluvioStation), ordre);
}

TEST(ValidationOptions, TaillesEtSeparateursDansLeursBornes)
{
    const QString polices = "La valeur de la taille des polices des titres ou des axes n'est pas correcte.";
    const std::tuple<QString SaisieOptions::*, QStringList, QString> cas[] = {
        {&SaisieOptions::tailleTitre, {"3", "73", "7,5", "sept", "", "40000"}, polices},
        {&SaisieOptions::tailleAxes, {"4", "72", " 9 ", "10,0"}, ""},
        {&SaisieOptions::nbSeparations, {"101", "2,5", "cinq", ""}, "Le nombre de séparateurs n'est pas correct."},
    };
    for (const auto& [champ, saisies, attendu] : cas)
        for (const QString& saisie : saisies) {
            SaisieOptions s = bonneSaisie();
            s.*champ = saisie;
            EXPECT_EQ(refus(s), attendu) << saisie.toStdString();
        }
    // Acceptée, une taille est rangée sans ses blancs.
    SaisieOptions s = bonneSaisie();
    s.tailleAxes = " 9 ";
    EXPECT_EQ(std::get<ChoixOptions>(ValidationOptions::valider(s, TypeGraph::edition)).texteTailleAxes, "9");
}

// Un choix des listes, rangé puis retrouvé à la réouverture, est essayé par la boîte d'options ;
// ici, ce qu'elle ne montre pas : un format automatique n'en garde aucun, un réglage inconnu.
TEST(FormatsAxeX, ReglagesSansChoixDeLaListe)
{
    EXPECT_EQ(FormatsAxeX::reglage("AUTO", "ignoré"), (FormatsAxeX::Reglage{"AUTO", ""}));
    // Un format fixe inconnu de la liste se montre personnalisé ; un type inconnu, automatique.
    EXPECT_EQ(FormatsAxeX::indice(FormatsAxeX::choixPluriannuel(), {"FIXE", "mmm"}), 3);
    EXPECT_EQ(FormatsAxeX::indice(FormatsAxeX::choixPluriannuel(), {"", ""}), 0);
}

TEST(PageGrille, SeparateursComptesSurLaPeriode)
{
    EXPECT_EQ(PageGrille::nombreSeparateurs("15/03/2022", "02/11/2022"), "9");   // mars à novembre
    EXPECT_EQ(PageGrille::nombreSeparateurs("01/01/2022", "31/01/2022"), "1");
    EXPECT_EQ(PageGrille::nombreSeparateurs("31/12/2021", "01/01/2022"), "2");
    EXPECT_EQ(PageGrille::nombreSeparateurs("  /  /    ", "01/01/2022"), "0");
    EXPECT_EQ(PageGrille::nombreSeparateurs("30/02/2022", "01/03/2022"), "0");
}

} // namespace
