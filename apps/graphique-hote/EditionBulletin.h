#pragma once

#include "data/bulletin/BulletinMensuel.h"

#include <QDate>
#include <QString>
#include <QStringList>

class BaseDonnees;
class QProgressDialog;
class QWidget;

// Le bulletin d'un mois calculé puis écrit en PDF, et en classeur si on le
// demande, sous une jauge qu'on peut annuler : tout est écrit, ou rien.
class EditionBulletin
{
public:
    struct Demande
    {
        QDate mois;
        QList<CleStation> stations;  // vide : toutes celles qui ont des mesures ce mois-là
        QString pdf;
        QString classeur;  // vide : pas de classeur
    };

    EditionBulletin(BaseDonnees& base, QWidget* parent);

    // Faux et la raison en une ligne française ; `annulee` dit si c'est la jauge qui l'a arrêté.
    bool executer(const Demande& demande, QString& erreur);
    bool annulee() const { return m_annulee; }

private:
    bool produire(const Demande& demande, QString& erreur);
    BulletinMensuel::Progression avancement(int debut, int fin);

    BaseDonnees& m_base;
    QWidget* m_parent;
    QProgressDialog* m_jauge = nullptr;
    bool m_annulee = false;
};
