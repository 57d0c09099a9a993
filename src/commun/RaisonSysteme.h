#pragma once

#include <QString>

// La raison d'un échec que le système donne en anglais (strerror, QFile::errorString), dite en
// français ; une raison inconnue de la table reste telle quelle plutôt que d'être perdue.
QString RaisonSysteme(const QString& raison);
// La même pour le numéro d'erreur courant (errno).
QString RaisonErrno(int numero);
