#pragma once

#include <QString>

class QByteArray;
class QFileDevice;
class QIODevice;

// La raison d'un échec que le système donne en anglais (strerror, QFile::errorString), dite en
// français ; une raison inconnue de la table reste telle quelle plutôt que d'être perdue.
QString RaisonSysteme(const QString& raison);
// La même pour le numéro d'erreur courant (errno).
QString RaisonErrno(int numero);
// La raison de l'échec d'une lecture ou d'une écriture de ce fichier ; sans raison
// donnée par le système, la cause la plus probable d'une écriture qui échoue.
QString RaisonFichier(const QFileDevice& fichier);
// Écrit tout ou échoue : une écriture coupée net (disque plein, taille de fichier
// limitée) est reprise, et c'est la reprise qui reçoit du système sa raison.
bool EcrireTout(QIODevice& sortie, const QByteArray& octets);
