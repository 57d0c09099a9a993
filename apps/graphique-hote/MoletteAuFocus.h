#pragma once

#include <QObject>

class QWidget;

// Une molette qui passe sur une liste déroulante ou un compteur sans le focus ne change pas
// leur valeur : elle fait défiler ce qui les contient. Le champ qui a le focus la prend.
class MoletteAuFocus : public QObject
{
    Q_OBJECT

public:
    // Les listes déroulantes et les compteurs de `racine`, présents à l'appel.
    static void proteger(QWidget& racine);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    explicit MoletteAuFocus(QObject* parent) : QObject(parent) {}
};
