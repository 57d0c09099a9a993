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

QDesignerCustomWidgetInterface* widget(const QString& nom)
{
    auto* c = collection();
    if (!c)
        return nullptr;
    for (QDesignerCustomWidgetInterface* w : c->customWidgets())
        if (w->name() == nom)
            return w;
    return nullptr;
}

} // namespace

TEST(GreffonDesigner, OffreLesDeuxWidgetsDuGroupeGraphique)
{
    auto* c = collection();
    ASSERT_NE(c, nullptr);
    QStringList noms;
    for (QDesignerCustomWidgetInterface* w : c->customWidgets()) {
        noms << w->name();
        EXPECT_EQ(w->group(), "Graphique");
        EXPECT_FALSE(w->toolTip().isEmpty()) << w->name().toStdString();
        EXPECT_FALSE(w->whatsThis().isEmpty()) << w->name().toStdString();
        EXPECT_EQ(w->includeFile(), "control/" + w->name() + ".h");
        EXPECT_TRUE(w->domXml().contains("class=\"" + w->name() + "\"")) << w->domXml().toStdString();
        EXPECT_FALSE(w->isContainer());
    }
    EXPECT_EQ(noms, (QStringList{"CtlGraphique", "CtlToolBar"}));
}

TEST(GreffonDesigner, CreeLeControleAvecSonGraphique)
{
    auto* f = widget("CtlGraphique");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->isInitialized());
    f->initialize(nullptr);
    EXPECT_TRUE(f->isInitialized());
    QWidget formulaire;
    QWidget* w = f->createWidget(&formulaire);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), "CtlGraphique");
    EXPECT_EQ(w->parentWidget(), &formulaire);
    EXPECT_NE(w->findChild<QWidget*>("Graphique"), nullptr);
}

TEST(GreffonDesigner, CreeLaBarreAvecSesDixBoutons)
{
    auto* f = widget("CtlToolBar");
    ASSERT_NE(f, nullptr);
    QWidget formulaire;
    QWidget* w = f->createWidget(&formulaire);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), "CtlToolBar");
    EXPECT_EQ(w->parentWidget(), &formulaire);
    EXPECT_EQ(w->findChildren<QToolButton*>().size(), 10);
}
