#include "FormulaireGraphique.h"

#include <QVariant>

FormulaireGraphique::FormulaireGraphique(QWidget* parent)
    : HoteGraphique(parent)
{
}

void FormulaireGraphique::appliquerStatistiques(const QHash<QString, bool>& cases)
{
    for (auto it = cases.begin(); it != cases.end(); ++it)
        if (QObject* c = property(it.key().toLatin1().constData()).value<QObject*>())
            c->setProperty("Value", it.value() ? 1 : 0);
}

void FormulaireGraphique::definirFichierAide(const QString& chemin)
{
    fenetrePrincipale()->setProperty("fichierAide", chemin);
}

void FormulaireGraphique::definirCheminEdition(const QString& dossier)
{
    fenetrePrincipale()->setProperty("CheminEdition", dossier);
}
