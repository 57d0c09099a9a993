#include "commun/AppelParNom.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Une fenêtre hôte vue du contrôle : propriétés et méthodes par leur nom.
class FenetreHote : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString typeBase MEMBER m_typeBase)
    Q_PROPERTY(int coefficientProfondeur MEMBER m_coefficient)
    Q_PROPERTY(QString lecteurSeul READ lecteurSeul)

public:
    QString m_typeBase = QStringLiteral("ACCESS");
    int m_coefficient = -1;
    QStringList appels;

    QString lecteurSeul() const { return QStringLiteral("fixe"); }

    Q_INVOKABLE void Form_Resize() { appels << QStringLiteral("Form_Resize"); }
    Q_INVOKABLE void AppelDeclencheClick(qint16 index) { appels << QStringLiteral("Clic %1").arg(index); }
    Q_INVOKABLE bool AppelAnnulerTraitement() { return true; }
    Q_INVOKABLE QString Joindre(const QString& a, int b) { return a + QString::number(b); }
    Q_INVOKABLE QVariant Renvoyer(const QVariant& v) { return v; }
    Q_INVOKABLE void setLegende(const QString& t) { appels << QStringLiteral("Legende ") + t; }
};

TEST(AppelParNom, ProprietesDeclareesEtDynamiques)
{
    FenetreHote hote;
    bool trouve = false;
    EXPECT_EQ(LireMembre(&hote, "typeBase", &trouve).toString(), "ACCESS");
    EXPECT_TRUE(trouve);
    EXPECT_EQ(LireMembre(&hote, "TYPEBASE").toString(), "ACCESS");  // casse ignorée dans les noms

    EXPECT_TRUE(EcrireMembre(&hote, "typebase", QStringLiteral("POSTGRESQL")));
    EXPECT_EQ(hote.m_typeBase, "POSTGRESQL");
    EXPECT_TRUE(EcrireMembre(&hote, "coefficientProfondeur", QStringLiteral("2")));  // converti
    EXPECT_EQ(hote.m_coefficient, 2);
    EXPECT_FALSE(EcrireMembre(&hote, "coefficientProfondeur", QStringLiteral("deux")));
    EXPECT_EQ(hote.m_coefficient, 2);
    EXPECT_FALSE(EcrireMembre(&hote, "lecteurSeul", QStringLiteral("x")));

    hote.setProperty("NoVersionGraphique", QString());
    EXPECT_TRUE(EcrireMembre(&hote, "noversiongraphique", QStringLiteral("Version graphique 6.0.1")));
    EXPECT_EQ(hote.property("NoVersionGraphique").toString(), "Version graphique 6.0.1");

    // Une méthode d'écriture tient lieu de propriété.
    EXPECT_TRUE(EcrireMembre(&hote, "Legende", QStringLiteral("oui")));
    EXPECT_EQ(hote.appels.value(0), "Legende oui");
}

TEST(AppelParNom, UnMembreAbsentNeFaitRien)
{
    FenetreHote hote;
    bool trouve = true;
    EXPECT_FALSE(LireMembre(&hote, "fichierAide", &trouve).isValid());
    EXPECT_FALSE(trouve);
    // L'écriture ne crée jamais ce que l'hôte n'a pas.
    EXPECT_FALSE(EcrireMembre(&hote, "fichierAide", QStringLiteral("x")));
    EXPECT_FALSE(hote.property("fichierAide").isValid());
    AppelerMembre(&hote, "TraitementParametres", {}, &trouve);
    EXPECT_FALSE(trouve);
    // Avec un autre nombre d'arguments, c'est un autre membre.
    AppelerMembre(&hote, "Form_Resize", {1}, &trouve);
    EXPECT_FALSE(trouve);
    EXPECT_TRUE(hote.appels.isEmpty());
    // Aucun objet.
    EXPECT_FALSE(LireMembre(nullptr, "typeBase", &trouve).isValid());
    EXPECT_FALSE(EcrireMembre(nullptr, "typeBase", 1));
    EXPECT_FALSE(AppelerMembre(nullptr, "Form_Resize", {}, &trouve).isValid());
}

TEST(AppelParNom, AppelDeMethodes)
{
    FenetreHote hote;
    bool trouve = false;
    AppelerMembre(&hote, "form_resize", {}, &trouve);
    EXPECT_TRUE(trouve);
    AppelerMembre(&hote, "AppelDeclencheClick", {QStringLiteral("10")});
    EXPECT_EQ(hote.appels, (QStringList{"Form_Resize", "Clic 10"}));
    EXPECT_TRUE(AppelerMembre(&hote, "AppelAnnulerTraitement").toBool());
    EXPECT_TRUE(LireMembre(&hote, "AppelAnnulerTraitement").toBool());  // une méthode lue comme une propriété
    EXPECT_EQ(AppelerMembre(&hote, "Joindre", {QStringLiteral("a"), 3.0}).toString(), "a3");
    EXPECT_EQ(AppelerMembre(&hote, "Renvoyer", {12.5}).toDouble(), 12.5);
    // Un argument non convertible au type du paramètre : l'appel n'a pas lieu.
    AppelerMembre(&hote, "AppelDeclencheClick", {QVariant::fromValue(QStringList{"a"})}, &trouve);
    EXPECT_FALSE(trouve);
    EXPECT_EQ(hote.appels.size(), 2);
}

} // namespace

#include "TestsAppelParNom.moc"
