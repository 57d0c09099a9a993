#pragma once

#include "control/CtlGraphique.h"
#include "data/StationsBase.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class BulletinMensuel;
class DemandePortail;

// Les pages HTML du portail, lisibles sans script : le script n'ajoute que la lecture et le zoom.
namespace PagesPortail {

struct LigneStation
{
    StationBase station;
    QDate premiere, derniere;
};

// La liste des stations par genre ; `filtre` (sans accents ni casse) ne garde que celles qui le contiennent.
QByteArray accueil(const QList<LigneStation>& stations, const QString& filtre);

// Ce que la page d'une station montre sous son formulaire.
struct Trace
{
    QByteArray svg;
    CtlGraphique::LectureImage lecture;
    QStringList messages;
    QString erreur;
};
QByteArray station(const DemandePortail& demande, const QList<StationBase>& stations, const Trace& trace);

// Les mois qui ont des mesures, du plus récent au plus ancien.
QByteArray listeBulletins(const QList<QDate>& mois);
// La synthèse du mois, et les liens vers les mois voisins qui ont des mesures.
QByteArray bulletin(const BulletinMensuel& bulletin, std::optional<QDate> precedent, std::optional<QDate> suivant);

// Le texte sans accents, casse ni ponctuation, pour comparer des noms.
QString sansAccents(const QString& texte);
// Chaque mot du filtre est dans le texte, aux accents, à la casse et à la ponctuation près.
bool correspond(const QString& texte, const QString& filtre);

} // namespace PagesPortail
