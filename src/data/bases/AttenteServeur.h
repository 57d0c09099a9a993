#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

struct pg_conn;
struct pg_result;

// Les attentes du client sur une connexion PostgreSQL, chacune bornée. Un
// serveur figé (processus arrêté, machine suspendue) ne renvoie plus rien ;
// son propre délai des ordres ne peut plus jouer, et le noyau répond encore
// aux sondes TCP. Passé la limite sans rien recevoir, la connexion est
// abandonnée : plus rien n'y est envoyé ni attendu.
class AttenteServeur
{
public:
    explicit AttenteServeur(pg_conn* connexion);

    // La limite suit le délai que le serveur s'impose (`reglage` le nomme),
    // plus une marge : un serveur vivant répond toujours le premier.
    void limiter(std::chrono::milliseconds delai, const QString& reglage);
    static std::chrono::milliseconds limitePour(std::chrono::milliseconds delai);

    // Envoie ce que libpq garde encore après un PQsend… ; faux si la connexion lâche.
    bool envoyer();
    // Le résultat suivant de l'ordre en cours (PQgetResult), nul à la fin ou à l'abandon.
    pg_result* resultat();
    // Les lignes d'un COPY … FROM STDIN, puis sa fin.
    bool remettreCopie(const QByteArray& donnees);

    bool abandonnee() const { return m_abandonnee; }
    // Le texte de l'abandon, pour l'utilisateur.
    QString message() const;

private:
    // poll() sur la prise jusqu'à ce qu'elle soit prête ; faux, et la
    // connexion abandonnée, quand la limite passe sans rien.
    bool attendrePrise(short evenements);

    pg_conn* m_connexion;
    std::chrono::milliseconds m_delai;
    std::chrono::milliseconds m_limite;
    QString m_reglage;
    bool m_abandonnee = false;
};
