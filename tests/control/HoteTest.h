#pragma once

// Un hôte vu du contrôle graphique : sa fenêtre principale, jointe par nom de
// membre, le formulaire qui porte le contrôle, et des courbes faites comme par
// les chargeurs.
#include "commun/Palette.h"
#include "commun/TableauValeurs.h"
#include "commun/ValeursProcessus.h"
#include "commun_tests/MagasinTemporaire.h"
#include "commun_tests/Pixels.h"
#include "control/CtlGraphique.h"
#include "control/ListeStations.h"
#include "render/moteur/MoteurGraphique.h"

#include <QDate>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>

class FenetreHote : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString typeBase MEMBER typeBase)
    Q_PROPERTY(int coefficientProfondeur MEMBER coefficientProfondeur)
    Q_PROPERTY(int typeAffichageEchelle MEMBER typeAffichageEchelle)
    Q_PROPERTY(QString NoVersionGraphique MEMBER noVersion)

public:
    QString typeBase = QStringLiteral("ACCESS");
    int coefficientProfondeur = -1;
    int typeAffichageEchelle = 0;
    QString noVersion;
};

class FormulaireHote : public QWidget
{
    Q_OBJECT
public:
    QStringList appels;
    int lignesDonnees = 0;  // ce que RempliSprDonnees met dans la grille des données
    Q_INVOKABLE void TraitementParametres() { appels << QStringLiteral("TraitementParametres"); }
    Q_INVOKABLE void RempliSprDonnees(QObject* donnees, QObject*)
    {
        appels << QStringLiteral("RempliSprDonnees");
        if (donnees)
            donnees->setProperty("MaxRows", lignesDonnees);
    }
};

// Les écritures reçues par les moteurs, une ligne chacune : "graphique numéro indice valeur".
struct Journal
{
    QStringList lignes;
    void suivre(MoteurGraphique& m)
    {
        m.setObservateur([this](const QString& nom, int numero, std::optional<int> indice, const QVariant& valeur) {
            lignes << QStringLiteral("%1 %2 %3 %4").arg(nom).arg(numero).arg(indice ? QString::number(*indice) : QString("-"), valeur.toString());
        });
    }
    int compter(const QString& debut) const
    {
        return int(std::count_if(lignes.begin(), lignes.end(), [&](const QString& l) { return l.startsWith(debut); }));
    }
};

// Une série de n points depuis une date, un tous les `pas` jours, valeurs données par une fonction.
template <class Fonction>
TableauValeurs serie(const QDate& debut, int n, int pas, Fonction valeur, int lignes = 6)
{
    TableauValeurs t(lignes, n);
    for (int i = 0; i < n; ++i) {
        const QDate d = debut.addDays(qint64(i) * pas);
        t(0, i) = d.toString(QStringLiteral("dd/MM/yyyy"));
        t(1, i) = QStringLiteral("12:00:00");
        t(2, i) = valeur(i, d);
        t(3, i) = QString();
        t(4, i) = QString();
        t(5, i) = QString();
    }
    return t;
}

// Un point par mois à partir d'un mois donné.
template <class Fonction>
TableauValeurs serieMensuelle(const QDate& debut, int n, Fonction valeur)
{
    TableauValeurs t(7, n);
    for (int i = 0; i < n; ++i) {
        const QDate d = debut.addMonths(i);
        t(0, i) = d.toString(QStringLiteral("dd/MM/yyyy"));
        t(1, i) = QStringLiteral("12:00:00");
        t(2, i) = valeur(i, d);
    }
    return t;
}

// Les pixels d'une couleur de la palette dans une zone de l'image, à l'anticrénelage près.
inline int pixelsDeCouleur(const QImage& image, int couleur, const QRect& zone)
{
    const QRgb c = Palette::rgb(couleur);
    return compterPixels(image, zone, [c](QRgb p) { return procheCouleur(p, c, 49); });
}

inline CourbePtr courbe(const QString& cle, int couleur, const TableauValeurs& valeurs, bool afficher = true)
{
    auto c = std::make_shared<Classe_Graphique>();
    c->setCle(cle);
    c->setTitre(cle);
    c->setCouleur(couleur);
    c->setAfficher(afficher);
    c->AjouterValeurs(valeurs);
    return c;
}

// Pluie mensuelle d'allure tempérée : hivers humides, étés secs.
inline double pluieMensuelle(const QDate& d, int graine = 0)
{
    const double saison = 70 + 35 * std::cos((d.month() - 1) * 3.14159265 / 6.0);
    const double bruit = std::fmod(std::fabs(std::sin((d.year() * 12 + d.month() + graine) * 12.9898) * 43758.5453), 1.0);
    return std::round((saison * (0.45 + 1.1 * bruit)) * 10) / 10;
}
