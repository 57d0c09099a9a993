#pragma once

#include "data/NomVerifie.h"

#include <QList>
#include <QString>
#include <utility>

class BaseAcces;

// Un lot de l'historique écrit dans la base même, sans que ses lignes passent
// par le programme : les lignes entières d'une table de mesures, avant et
// après, vont dans sa table compagne HISTORIQUE_<table> (mêmes colonnes, mêmes
// types déclarés, plus le lot et le sens), et HISTORIQUE_MESURES reçoit une
// ligne par mesure vraiment changée. Chaque valeur y garde sa classe de
// stockage : rendre une ligne la rend à l'identique.
class LotHistorique
{
public:
    static inline const QString avant = QStringLiteral("avant");
    static inline const QString apres = QStringLiteral("après");

    LotHistorique(BaseAcces& base, const NomVerifie& table);

    // Dans la transaction de l'écriture : l'historique et la table verrouillés contre les
    // autres écrivains (PostgreSQL ; SQLite l'est déjà), la table compagne prête, un numéro.
    bool ouvrir();
    // Les lignes de la table (« t », jointe à `jointure` s'il y en a une) où `condition` est vraie,
    // gardées dans le sens donné.
    bool garder(const QString& sens, const QString& condition, const QString& jointure = QString());
    // Les lignes restées les mêmes retirées du lot, puis une ligne de l'historique par mesure changée.
    bool conclure(const QString& origine);
    // Un lot dont chaque ligne gardée avant l'a aussi été après, toutes différentes (un import qui
    // ne garde que les valeurs qu'il change) : une ligne de l'historique par paire.
    bool conclureModifiees(const QString& origine);
    // L'annulation du lot `lotAnnule` : son résumé repris, les sens échangés (ses lignes entières sont celles du lot défait).
    bool conclureAnnulation(qint64 lotAnnule);

    // Les statistiques des tables de l'historique remises à jour (PostgreSQL) ; vrai sur SQLite.
    bool analyser();
    qint64 numero() const { return m_numero; }
    const QString& erreur() const { return m_erreur; }
    // Les noms des colonnes de la table, écrits pour le moteur, séparés par des virgules (préfixés de `alias.`).
    QString colonnes(const QString& alias = QString()) const;
    // Les deux lignes `a` et `b` ont-elles, colonne par colonne, la même valeur de la même classe ?
    QString memes(const QString& a, const QString& b) const;
    // La ligne `alias` à l'un des instants de la table `instants` (un ensemble, non une sous-requête
    // liée : il se lit une fois, quelle que soit la taille de la table).
    QString parmi(const QString& alias, const QString& instants) const;
    // Les lignes gardées de ce lot dans le sens donné (une condition sur la table compagne).
    QString duLot(const QString& sens) const;
    // L'expression `a` n'a pas la valeur de `b` (NULL compris).
    QString differe(const QString& a, const QString& b) const;
    // Le même instant pour les lignes `a` et `b`.
    QString memeInstant(const QString& a, const QString& b) const;
    // Noms écrits pour le moteur : la table, sa compagne, l'historique, une colonne.
    QString table() const;
    QString compagne() const;
    QString historique() const;
    QString id(const QString& nom) const;
    static QString texte(const QString& valeur);
    static QString nomCompagne(const QString& table) { return QStringLiteral("HISTORIQUE_") + table; }
    static inline const QString nomHistorique = QStringLiteral("HISTORIQUE_MESURES");

private:
    using Colonnes = QList<std::pair<QString, QString>>;  // nom, type déclaré
    bool postgres() const;
    bool echec(const QString& quoi);
    bool declarees(const QString& table, Colonnes& colonnes);
    bool verrouiller();
    bool preparerCompagne();
    bool retirerInchangees();
    bool resumer(const QString& origine, bool paires);
    QString sourcesResume(bool paires) const;
    QString colonnesResume() const;
    QString quand() const;
    QString ids(std::initializer_list<const char*> noms) const;
    QString colonneSi(const QString& nom, const QString& alias) const;

    BaseAcces& m_base;
    NomVerifie m_table;
    Colonnes m_colonnes;
    qint64 m_numero = 0;
    QString m_erreur;
};
