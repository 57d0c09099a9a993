#include "FormulaireGraphique.h"

#include "commun/ValeursProcessus.h"

#include <QVariant>

FormulaireGraphique::FormulaireGraphique(QWidget* parent)
    : HoteGraphique(parent)
{
    // Le projet nomme les paramètres de l'utilisateur, que le panneau de la demande lit dès sa
    // création, et les pages de l'aide : il est connu avant le premier tracé.
    ValeursProcessus& processus = ValeursProcessus::courantes();
    if (processus.nomProjet.isEmpty())
        processus.nomProjet = projet;
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
    // Avant le premier tracé, le contrôle n'a encore reçu aucune fenêtre : l'aide la trouve déjà.
    ValeursProcessus& processus = ValeursProcessus::courantes();
    if (!processus.fenetrePrincipale)
        processus.fenetrePrincipale = fenetrePrincipale();
}

void FormulaireGraphique::definirCheminEdition(const QString& dossier)
{
    fenetrePrincipale()->setProperty("CheminEdition", dossier);
}
