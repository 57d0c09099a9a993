#pragma once

#include <QObject>

class QWidget;

// La fenêtre principale qu'un hôte donne au contrôle. Ses autres membres lus par
// nom sont des propriétés dynamiques ; "Enabled" grise, ou rend active, la
// fenêtre qui porte le formulaire de l'hôte.
class FenetrePrincipaleHote : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    explicit FenetrePrincipaleHote(QWidget* formulaire);
    bool Enabled() const;
    void setEnabled(bool actif);

private:
    QWidget* m_formulaire;
};
