#pragma once

#include "data/bases/JetonSql.h"

#include <QList>
#include <QString>
#include <optional>

// Découpe un ordre en mots. Un nom de table de station garde son "-" (les codes
// peuvent en porter) : un identifiant qui commence par PLUVIO_, PZ_, HYDRO_ ou
// COURBE_REF_PLUVIO_ continue sur un "-" suivi d'une lettre ou d'un chiffre.
class AnalyseurLexical
{
public:
    static std::optional<QList<JetonSql>> decouper(const QString& sql, QString& erreur);

private:
    explicit AnalyseurLexical(const QString& sql);

    // Chaque lecture part de la position courante, ajoute son mot et avance ;
    // faux quand le texte est fautif (le message est alors gardé).
    bool lireMot();
    bool texteEchappe();
    void identifiant();
    bool nombre();
    bool texte();
    bool delimite(QChar fin, JetonSql::Genre genre, const QString& refus);
    bool symbole();

    QChar car(int k) const { return k < m_n ? m_sql.at(k) : QChar(); }
    void ajouter(JetonSql::Genre genre, const QString& texte, int fin, bool entreCrochets = false);
    bool echec(const QString& quoi);

    const QString& m_sql;
    const int m_n;
    int m_i = 0;
    QList<JetonSql> m_jetons;
    QString m_erreur;
};
