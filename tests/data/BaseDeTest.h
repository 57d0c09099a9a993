#pragma once

// La base sur laquelle tournent les tests du contrat et de la formulation :
// un fichier SQLite temporaire dans tests_data, un schéma PostgreSQL propre au
// test dans tests_postgresql (connexion lue dans GRAPHIQUE_PG).

#include "commun/ValeursProcessus.h"
#include "commun_tests/ImpressionQt.h"
#include "data/BaseDonnees.h"

#include <QObject>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

class BaseDeTest
{
public:
    BaseDeTest();
    ~BaseDeTest();
    BaseDeTest(const BaseDeTest&) = delete;
    BaseDeTest& operator=(const BaseDeTest&) = delete;

    BaseDonnees* base() const;
    // Une seconde connexion à la même base (deux utilisateurs à la fois).
    std::unique_ptr<BaseDonnees> autreConnexion() const;
    // Pourquoi la base manque ; vide quand elle est là.
    QString raison() const;
    // Vrai quand la base manque seulement parce qu'aucun serveur n'est donné
    // (et que GRAPHIQUE_PG_EXIGE n'est pas posée) : le test est alors sauté.
    bool facultative() const;

private:
    struct Etat;
    std::unique_ptr<Etat> m_etat;
};

// Un test sur une base : la fenêtre principale de l'hôte donne le typeBase de
// cette base, pour que FormatDateBase écrive ses littéraux.
class AvecBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_base.base()) {
            if (m_base.facultative())
                GTEST_SKIP() << m_base.raison().toStdString();
            FAIL() << m_base.raison().toStdString();
        }
        m_fenetre.setProperty("typeBase", base().typeBase());
        ValeursProcessus::courantes().fenetrePrincipale = &m_fenetre;
        preparer();
    }
    // Ce que l'essai met dans la base avant de commencer ; jamais appelé sans base.
    virtual void preparer() {}
    void TearDown() override { ValeursProcessus::courantes().fenetrePrincipale = nullptr; }

    BaseDonnees& base() const { return *m_base.base(); }
    std::unique_ptr<BaseDonnees> autreConnexion() const { return m_base.autreConnexion(); }

    // Les lignes d'un SELECT, ou un échec du test.
    TableauValeurs lire(const QString& sql)
    {
        TableauValeurs lignes;
        qint32 n = -1;
        const bool ok = base().ExtraireRecords(OrdreSql::sansVerification(sql), lignes, n);
        EXPECT_TRUE(ok) << sql.toStdString() << "\n" << base().DerniereErreur().toStdString();
        EXPECT_EQ(n, lignes.points());
        return lignes;
    }

    // La seule valeur d'un SELECT d'une ligne et d'un champ.
    QVariant valeur(const QString& sql)
    {
        const TableauValeurs t = lire(sql);
        EXPECT_EQ(t.points(), 1) << sql.toStdString();
        return t.valeur(0, 0);
    }

private:
    BaseDeTest m_base;
    QObject m_fenetre;
};
