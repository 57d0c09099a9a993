#pragma once

// Le contrôle essayé sur la base d'exemple, comme un utilisateur la voit : la
// base faite dans un dossier jetable, la date du jour fixée, les paramètres et
// les messages gardés pour l'essai.
#include "HoteTest.h"

#include "commun_tests/JourFixe.h"
#include "control/HoteGraphique.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/BaseSqlite.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/MessagesEnregistres.h"

#include <gtest/gtest.h>

// Deux années hydrologiques entières (aucun ajustement de dates à annoncer), l'année 2023.
inline HoteGraphique::Demande DemandeExemple(TypeGraph type, const QString& station, const QStringList& autres = {})
{
    HoteGraphique::Demande d;
    d.type = type;
    d.station = station;
    d.stations = autres;
    d.debut = QDate(2021, 10, 1);
    d.fin = QDate(2023, 9, 30);
    d.annee = 2023;
    return d;
}

class SurBaseExemple : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString erreur;
        base = BaseSqlite::ouvrir(dossier.filePath("exemple.db"), erreur);
        ASSERT_TRUE(base) << erreur.toStdString();
        ASSERT_TRUE(BaseExemple::remplir(*base, 5, {}, erreur)) << erreur.toStdString();
    }

    static HoteGraphique::Demande demande(TypeGraph type, const QString& station, const QStringList& autres = {})
    {
        return DemandeExemple(type, station, autres);
    }
    void tracer(HoteGraphique& hote, const HoteGraphique::Demande& d)
    {
        QString erreur;
        ASSERT_TRUE(hote.tracer(d, base.get(), erreur)) << erreur.toStdString();
    }

    MagasinTemporaire magasin;
    JourFixe jour{QDate(2024, 3, 15)};
    QTemporaryDir& dossier = jour.dossier;
    MessagesEnregistres messages;
    std::unique_ptr<BaseSqlite> base;
};

// Un hôte montré à la taille de l'application, qui trace sur la base d'exemple.
class HoteMontre : public SurBaseExemple
{
protected:
    void SetUp() override
    {
        SurBaseExemple::SetUp();
        hote.resize(1200, 810);
        hote.show();
    }

    using SurBaseExemple::tracer;
    void tracer(TypeGraph type, const QString& station, const QStringList& autres = {})
    {
        SurBaseExemple::tracer(hote, demande(type, station, autres));
    }

    CtlGraphique& ctl() { return hote.controle(); }
    MoteurGraphique& g() { return ctl().Graphique(); }
    // Une propriété numérique lue sur l'axe de gauche.
    double lire(int numero)
    {
        g().ecrire(Prop::AxeY, 0);
        return g().lireNombre(numero);
    }

    HoteGraphique hote;
};
