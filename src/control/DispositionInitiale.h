#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

// La visibilité et la place de widgets retenues à la création du contrôle,
// pour les y remettre : un graphique neuf ne garde rien de la disposition que
// le genre du précédent a laissée.
class DispositionInitiale
{
public:
    void retenir(const QList<QWidget*>& widgets);
    void restaurer() const;

private:
    struct Etat
    {
        QPointer<QWidget> widget;
        bool cache = false;
        bool taille = false, position = false;  // fixées à la création
        QRect place;
    };
    QList<Etat> m_etats;
};
