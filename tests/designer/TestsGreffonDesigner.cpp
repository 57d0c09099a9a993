#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QPluginLoader>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QDesignerCustomWidgetCollectionInterface* collection()
{
    // Le chargeur garde le greffon chargé pour tout le programme.
    static QPluginLoader chargeur(QStringLiteral(GREFFON_DESIGNER));
    if (!chargeur.load()) {
        ADD_FAILURE() << chargeur.errorString().toStdString();
        return nullptr;
    }
    return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(chargeur.instance());
}

} // namespace

// Chaque widget du groupe décrit, puis créé dans un formulaire : le contrôle avec son graphique,
// la barre avec ses dix boutons.
TEST(GreffonDesigner, OffreLesDeuxWidgetsDuGroupeGraphiqueEtLesCree)
{
    auto* c = collection();
    ASSERT_NE(c, nullptr);
    QStringList noms;
    for (QDesignerCustomWidgetInterface* w : c->customWidgets()) {
        const std::string nom = w->name().toStdString();
        noms << w->name();
        EXPECT_EQ(w->group(), "Graphique");
        EXPECT_FALSE(w->toolTip().isEmpty()) << nom;
        EXPECT_FALSE(w->whatsThis().isEmpty()) << nom;
        EXPECT_EQ(w->includeFile(), "control/" + w->name() + ".h");
        EXPECT_TRUE(w->domXml().contains("class=\"" + w->name() + "\"")) << w->domXml().toStdString();
        w->initialize(nullptr);
        QWidget formulaire;
        QWidget* cree = w->createWidget(&formulaire);
        ASSERT_NE(cree, nullptr) << nom;
        EXPECT_EQ(QString::fromLatin1(cree->metaObject()->className()), w->name());
        EXPECT_EQ(cree->parentWidget(), &formulaire);
        if (w->name() == "CtlGraphique")
            EXPECT_NE(cree->findChild<QWidget*>("Graphique"), nullptr);
        else
            EXPECT_EQ(cree->findChildren<QToolButton*>().size(), 10);
    }
    EXPECT_EQ(noms, (QStringList{"CtlGraphique", "CtlToolBar"}));
}
