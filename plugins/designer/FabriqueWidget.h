#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>
#include <QString>
#include <functional>

// Un widget du composant tel que Designer le présente dans sa boîte et le
// crée sur un formulaire.
class FabriqueWidget : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    struct Description
    {
        QString classe;         // nom de la classe C++
        QString entete;         // ce que le code généré inclut
        QString infobulle;
        QString aide;           // « Qu'est-ce que c'est ? »
        QString nomObjet;       // nom donné au premier widget posé
        int largeur = 0, hauteur = 0;
        std::function<QWidget*(QWidget*)> creer;
    };

    FabriqueWidget(Description description, QObject* parent);

    QString name() const override { return m_description.classe; }
    QString group() const override;
    QString toolTip() const override { return m_description.infobulle; }
    QString whatsThis() const override { return m_description.aide; }
    QString includeFile() const override { return m_description.entete; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return m_initialise; }
    void initialize(QDesignerFormEditorInterface* editeur) override;
    QString domXml() const override;

private:
    Description m_description;
    bool m_initialise = false;
};
