#pragma once

#include "commun/ColonnesTypees.h"
#include "commun/TableauValeurs.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

class Classe_GraphiquePrive;

// Une courbe : sa clé, son titre, ses attributs de tracé et sa série, aux
// cellules indicées (ligne, point) : 0 date, 1 heure, 2 valeur, 3 validité,
// 4 continuité, 5 mode d'obtention (6 dans les tableaux de pluie annuels,
// toujours vide).
class Classe_Graphique : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Cle READ Cle WRITE setCle)
    Q_PROPERTY(QString Titre READ Titre WRITE setTitre)
    Q_PROPERTY(QVariant Valeurs READ Valeurs)
    Q_PROPERTY(qint16 Pattern READ Pattern WRITE setPattern)
    Q_PROPERTY(qint16 Symbol READ Symbol WRITE setSymbol)
    Q_PROPERTY(qint32 Couleur READ Couleur WRITE setCouleur)
    Q_PROPERTY(qint32 NbValeurs READ NbValeurs)
    Q_PROPERTY(bool Afficher READ Afficher WRITE setAfficher)

public:
    Classe_Graphique();
    ~Classe_Graphique() override;

    const QString& Cle() const;
    void setCle(const QString& cle);
    const QString& Titre() const;
    void setTitre(const QString& titre);
    // Le tableau des cellules ; celui d'une série en colonnes est fait à la première lecture.
    const QVariant& Valeurs() const;
    qint16 Pattern() const;
    void setPattern(qint16 pattern);
    qint16 Symbol() const;
    void setSymbol(qint16 symbol);
    qint32 Couleur() const;
    void setCouleur(qint32 couleur);
    qint32 NbValeurs() const;
    bool Afficher() const;
    void setAfficher(bool afficher);

    // Garde une copie des valeurs ; un tableau à deux dimensions fixe aussi
    // NbValeurs à son nombre de points. Toute autre valeur est gardée telle quelle.
    Q_INVOKABLE void AjouterValeurs(const QVariant& valeurs);
    void AjouterValeurs(const TableauValeurs& valeurs);
    // Une série lue en colonnes : NbValeurs est son nombre de points, et ses
    // cellules ne sont faites que si on les lit en tableau.
    void AjouterValeurs(ColonnesTypees colonnes);

    // Le tableau de la série, ou rien quand Valeurs ne contient pas de tableau.
    const TableauValeurs* tableau() const { return TableauDans(Valeurs()); }
    // La série en colonnes, quand elle a été donnée ainsi.
    const ColonnesTypees* colonnes() const;
    // La cellule (ligne, point), vide hors du tableau.
    QVariant cellule(int ligne, int point) const;

    // Plus petite valeur de la ligne 2 sur les points, en partant de 9999.
    double GetMinValeur() const;

private:
    std::unique_ptr<Classe_GraphiquePrive> d;
};

// Une courbe peut être tenue à la fois par une collection et par le code qui l'a construite.
using CourbePtr = std::shared_ptr<Classe_Graphique>;
