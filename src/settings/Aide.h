#pragma once

#include <QUrl>
#include <functional>

// Opens help page `sujet` (0: the main page) beside the help file that the
// host main window names in `fichierAide`, or at the address it gives.
void OuvrirAide(qint16 sujet);

// How a page is shown: the desktop's Open action by default. Returns false when
// nothing could open it. Tests and hosts may put their own in its place.
using OuvreurDocument = std::function<bool(const QUrl&)>;
OuvreurDocument DefinirOuvreurDocument(OuvreurDocument ouvreur);
