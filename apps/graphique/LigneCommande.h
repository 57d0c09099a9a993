#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The arguments of one subcommand: "--nom valeur" options and "--drapeau" flags.
class LigneCommande
{
public:
    explicit LigneCommande(QStringList arguments);

    // The value of "--nom", taken out of the arguments; nothing when absent.
    std::optional<QString> option(const QString& nom);
    // Whether "--nom" was there (taken out).
    bool drapeau(const QString& nom);
    // An option that must be there and have a value; `erreur` tells otherwise.
    QString obligatoire(const QString& nom, QString& erreur);
    // What remains once the known options were taken: an unknown argument.
    QString reste() const { return m_arguments.isEmpty() ? QString() : m_arguments.first(); }
    // An option given without its value.
    const QString& optionSansValeur() const { return m_sansValeur; }
    // Once every option was taken: the first fault of the line (a missing
    // option told in `manque`, an option without its value, an unknown
    // argument), empty when there is none.
    QString defaut(const QString& manque = QString()) const;

private:
    QStringList m_arguments;
    QString m_sansValeur;
};

// Exit statuses.
constexpr int sortieOk = 0;
constexpr int sortieErreur = 2;

// One French line on stderr, "graphique : …", and the status 2.
int echec(const QString& texte);
void avertir(const QString& texte);
void ecrireLigne(const QString& texte);
