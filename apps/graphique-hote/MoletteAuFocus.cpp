#include "MoletteAuFocus.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>

void MoletteAuFocus::proteger(QWidget& racine)
{
    auto* filtre = new MoletteAuFocus(&racine);
    QList<QWidget*> champs;
    for (QComboBox* c : racine.findChildren<QComboBox*>())
        champs << c;
    for (QAbstractSpinBox* c : racine.findChildren<QAbstractSpinBox*>())
        champs << c;
    for (QWidget* champ : champs) {
        // La molette ne donne plus le focus : elle ne le prend qu'après un clic ou une tabulation.
        champ->setFocusPolicy(Qt::StrongFocus);
        champ->installEventFilter(filtre);
    }
}

// Ignorée, la molette remonte au parent ; le défilement la prend.
bool MoletteAuFocus::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() != QEvent::Wheel)
        return false;
    auto* champ = qobject_cast<QWidget*>(objet);
    if (!champ || champ->hasFocus())
        return false;
    evenement->ignore();
    return true;
}
