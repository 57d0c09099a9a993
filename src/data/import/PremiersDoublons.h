#pragma once

#include <QList>
#include <QString>
#include <utility>

// Les premières lignes d'un fichier écartées parce qu'une ligne plus loin
// répète leur clé (la dernière l'emporte) : de quoi les nommer dans le bilan.
class PremiersDoublons
{
public:
    void noter(qint64 ecartee, qint64 gardee);
    // "ligne 3 remplacée par la ligne 7, …" ; les points de suite quand `total` en compte davantage.
    QString texte(qint64 total) const;

private:
    static constexpr int gardes = 5;
    QList<std::pair<qint64, qint64>> m_paires;  // (ligne écartée, ligne gardée)
};
