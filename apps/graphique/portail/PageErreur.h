#pragma once

#include "ReponsePortail.h"

#include <QString>

// Un message des commandes (« date incorrecte : … ») devenu une phrase de page.
QString phrase(const QString& texte);
// La page courte d'un refus : son statut, une phrase en français.
ReponsePortail pageErreur(int statut, const QString& texte);
// La même, prête à partir seule sur une connexion (réponse HTTP complète, connexion fermée après).
QByteArray reponseBrute(int statut, const QByteArray& raison, const QString& texte);
