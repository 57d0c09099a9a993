#pragma once

#include <QString>
#include <functional>

// Le portail en plusieurs processus : la prise d'écoute ouverte une fois, partagée par
// des processus qui y acceptent chacun leurs connexions et tracent chacun leurs graphiques.
// Un processus qui meurt est remplacé ; l'arrêt demandé (SIGTERM, SIGINT) les arrête tous.
namespace ProcessusPortail {

// La prise ouverte sur "ADRESSE:PORT" ; -1 et la raison en français sinon. `port` reçoit le port pris.
int ecouter(const QString& adresse, int& port, QString& erreur);

// `nombre` processus qui font `travail(prise)`, gardés en vie jusqu'à l'arrêt ; le code de sortie.
// Un processus qui échoue dès son départ arrête tout : il échouerait de nouveau.
int servir(int prise, int nombre, const std::function<int(int prise)>& travail);

} // namespace ProcessusPortail
