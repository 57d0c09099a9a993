#pragma once

#include <QUrl>
#include <functional>

// Ouvre la page d'aide `sujet` (0 : la page principale) à côté du fichier d'aide
// que la fenêtre principale de l'hôte nomme dans `fichierAide`, ou à l'adresse
// qu'elle donne.
void OuvrirAide(qint16 sujet);

// Ce qui montre une page : par défaut, l'action Ouvrir du bureau. Rend faux si
// rien n'a pu l'ouvrir. Essais et hôtes peuvent mettre le leur à la place.
using OuvreurDocument = std::function<bool(const QUrl&)>;
OuvreurDocument DefinirOuvreurDocument(OuvreurDocument ouvreur);
// Ouvre un document ou une adresse avec l'ouvreur en place ; faux si rien ne l'a ouvert.
bool OuvrirDocument(const QUrl& adresse);
