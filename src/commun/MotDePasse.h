#pragma once

#include <QString>

// Le mot de passe d'une connexion PostgreSQL ne se montre, ne se retient et ne
// s'écrit nulle part. Toutes les écritures que libpq comprend sont reconnues,
// en toute casse : « postgresql://u:mdp@… », le paramètre « ?password=… » d'une
// adresse (nom encodé ou non), « password = 'valeur \' citée' » ; sslpassword aussi.
namespace MotDePasse {

// Le texte sans ses mots de passe : une connexion qui se retient ou s'affiche.
QString retirer(const QString& texte);

// Un message sur cette connexion (celui de libpq) : sans mot de passe, et
// chaque passage cité entre guillemets qui en contiendrait un, vidé.
QString masquer(const QString& message, const QString& connexion);

} // namespace MotDePasse
