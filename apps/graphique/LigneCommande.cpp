#include "LigneCommande.h"

#include "commun/TexteAffichable.h"
#include "commun/MotDePasse.h"

#include <cstdio>

LigneCommande::LigneCommande(QStringList arguments)
    : m_arguments(std::move(arguments))
{
}

std::optional<QString> LigneCommande::option(const QString& nom)
{
    const qsizetype i = m_arguments.indexOf(nom);
    if (i < 0)
        return std::nullopt;
    const bool sansValeur = i + 1 >= m_arguments.size() || m_arguments.at(i + 1).startsWith(QStringLiteral("--"));
    const QString valeur = sansValeur ? QString() : m_arguments.at(i + 1);
    m_arguments.remove(i, sansValeur ? 1 : 2);
    // Toute option attend une valeur : vide ou blanche, elle ne vaut pas l'option absente.
    if (valeur.trimmed().isEmpty() && m_sansValeur.isEmpty())
        m_sansValeur = nom;
    return valeur;
}

std::optional<QStringList> LigneCommande::liste(const QString& nom)
{
    const auto valeur = option(nom);
    if (!valeur)
        return std::nullopt;
    QStringList noms;
    for (const QString& n : valeur->split(u',', Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty())
            noms << n.trimmed();
    if (noms.isEmpty() && m_sansValeur.isEmpty())
        m_sansValeur = nom;
    return noms;
}

bool LigneCommande::drapeau(const QString& nom)
{
    return m_arguments.removeAll(nom) > 0;
}

QString LigneCommande::obligatoire(const QString& nom, QString& erreur)
{
    const auto v = option(nom);
    if (!v && erreur.isEmpty())
        erreur = QStringLiteral("l'option %1 est obligatoire.").arg(nom);
    return v.value_or(QString());
}

std::optional<QString> LigneCommande::reste() const
{
    if (m_arguments.isEmpty())
        return std::nullopt;
    return m_arguments.first();
}

QString LigneCommande::defaut(const QString& manque) const
{
    if (!manque.isEmpty())
        return manque;
    if (!m_sansValeur.isEmpty())
        return QStringLiteral("l'option %1 attend une valeur.").arg(TexteAffichable(m_sansValeur));
    if (const auto inconnu = reste())
        return QStringLiteral("argument inconnu : « %1 ».").arg(TexteAffichable(*inconnu));
    return QString();
}

namespace {

// Une ligne, quoi que porte le message d'une bibliothèque, sans caractère de
// commande qui atteindrait le terminal.
QByteArray ligneErreur(const QString& debut, const QString& texte)
{
    // Une connexion citée dans un message (argument refusé, base introuvable) y perd son mot de passe.
    return (debut + TexteAffichable(MotDePasse::retirer(texte).simplified(), 2000) + u'\n').toLocal8Bit();
}

} // namespace

int echec(const QString& texte)
{
    std::fputs(ligneErreur(QStringLiteral("graphique : "), texte).constData(), stderr);
    return sortieErreur;
}

void avertir(const QString& texte)
{
    std::fputs(ligneErreur(QStringLiteral("graphique : attention : "), texte).constData(), stderr);
}

void ecrireLigne(const QString& texte)
{
    std::fputs((texte + u'\n').toLocal8Bit().constData(), stdout);
}
