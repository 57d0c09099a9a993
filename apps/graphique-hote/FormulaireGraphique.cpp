#include "FormulaireGraphique.h"

#include "commun/ValeursProcessus.h"

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
    // Avant le premier tracé, le contrôle n'a encore reçu ni fenêtre ni projet :
    // l'aide les trouve déjà, le projet KOR nommant ses pages.
    ValeursProcessus& processus = ValeursProcessus::courantes();
    if (!processus.fenetrePrincipale)
        processus.fenetrePrincipale = fenetrePrincipale();
    if (processus.nomProjet.isEmpty())
        processus.nomProjet = QStringLiteral("KOR");
}

void FormulaireGraphique::definirCheminEdition(const QString& dossier)
{
    fenetrePrincipale()->setProperty("CheminEdition", dossier);
}
