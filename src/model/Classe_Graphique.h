#pragma once

#include "commun/TableauValeurs.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

// One curve: its key, title, drawing attributes and its series, the cells
// indexed (row, point): 0 date, 1 time, 2 value, 3 validity, 4 continuity,
// 5 how obtained (6 in yearly rainfall arrays, always empty).
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
    Classe_Graphique() = default;

    const QString& Cle() const { return m_cle; }
    void setCle(const QString& cle) { m_cle = cle; }
    const QString& Titre() const { return m_titre; }
    void setTitre(const QString& titre) { m_titre = titre; }
    const QVariant& Valeurs() const { return m_valeurs; }
    qint16 Pattern() const { return m_pattern; }
    void setPattern(qint16 pattern) { m_pattern = pattern; }
    qint16 Symbol() const { return m_symbol; }
    void setSymbol(qint16 symbol) { m_symbol = symbol; }
    qint32 Couleur() const { return m_couleur; }
    void setCouleur(qint32 couleur) { m_couleur = couleur; }
    qint32 NbValeurs() const { return m_nbValeurs; }
    bool Afficher() const { return m_afficher; }
    void setAfficher(bool afficher) { m_afficher = afficher; }

    // Keeps a copy of the values; a two-dimensional array also sets NbValeurs
    // to its number of points. Anything else is kept as given.
    Q_INVOKABLE void AjouterValeurs(const QVariant& valeurs);
    void AjouterValeurs(const TableauValeurs& valeurs);

    // The array of the series, or nothing when Valeurs holds no array.
    const TableauValeurs* tableau() const { return TableauDans(m_valeurs); }
    // The cell (row, point), empty outside the array.
    QVariant cellule(int ligne, int point) const;

    // Smallest value of row 2 over the points, from 9999.
    double GetMinValeur() const;

private:
    QString m_cle;
    QString m_titre;
    QVariant m_valeurs;
    qint16 m_pattern = 0;
    qint16 m_symbol = -1;
    qint32 m_couleur = 0;
    qint32 m_nbValeurs = 0;
    bool m_afficher = false;
};

// A curve may be held by a collection and by the code that built it.
using CourbePtr = std::shared_ptr<Classe_Graphique>;
