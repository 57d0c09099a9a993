#pragma once

#include <QSettings>

// Le fichier de réglages de l'application (graphique-hote.conf) : il retient
// des connexions, il n'est lisible que de son propriétaire (0600), même fait
// plus ouvert par une version d'avant.
QSettings ReglagesHote();
