#include "control/DispositionInitiale.h"

void DispositionInitiale::retenir(const QList<QWidget*>& widgets)
{
    m_etats.clear();
    for (QWidget* w : widgets)
        if (w)
            m_etats.append({w, w->isHidden(), w->testAttribute(Qt::WA_Resized), w->testAttribute(Qt::WA_Moved), w->geometry()});
}

void DispositionInitiale::restaurer() const
{
    for (const Etat& e : m_etats) {
        if (!e.widget)
            continue;
        // Une taille que personne n'a fixée est celle que Qt donne au premier affichage : elle reste.
        if (e.taille)
            e.widget->setGeometry(e.place);
        else if (e.position)
            e.widget->move(e.place.topLeft());
        e.widget->setHidden(e.cache);
    }
}
