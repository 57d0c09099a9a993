#include "commun/Dates.h"

#include <algorithm>

// Les dates et les mois tels qu'une personne les tape dans un champ.

namespace {

bool chiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool tousChiffres(const QString& t)
{
    return !t.isEmpty() && std::all_of(t.cbegin(), t.cend(), chiffre);
}

bool separateurSaisi(QChar c)
{
    return c == u'/' || c == u'.' || c == u'-' || c == u',' || c.isSpace();
}

// Les morceaux d'une saisie, suites de chiffres ou de lettres ; rien quand un autre signe que
// les séparateurs s'y trouve.
std::optional<QStringList> morceaux(const QString& texte)
{
    QStringList liste;
    QString courant;
    for (const QChar c : texte) {
        if (!chiffre(c) && !c.isLetter() && !separateurSaisi(c))
            return std::nullopt;
        if (!courant.isEmpty() && (separateurSaisi(c) || chiffre(c) != chiffre(courant.back()))) {
            liste << courant;
            courant.clear();
        }
        if (!separateurSaisi(c))
            courant += c;
    }
    if (!courant.isEmpty())
        liste << courant;
    return liste;
}

// Des chiffres seuls se coupent en parties de deux, la dernière prenant le reste.
void couperChiffres(QStringList& parties, int nombre)
{
    if (parties.size() != 1 || !tousChiffres(parties.first()))
        return;
    const QString t = parties.first();
    parties.clear();
    for (int i = 0; i < nombre - 1; ++i)
        parties << t.mid(2 * i, 2);
    parties << t.mid(2 * (nombre - 1));
}

QString sansAccents(const QString& texte)
{
    QString s = texte.normalized(QString::NormalizationForm_D).toLower();
    s.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return s;
}

// Deux chiffres : l'année de cette fin dans les cent ans qui finissent dix ans après l'année courante.
int annee(const QString& t, int anneeCourante)
{
    if (!tousChiffres(t))
        return 0;
    if (t.size() == 2) {
        const int fin = anneeCourante + 10;
        return fin - ((fin - t.toInt()) % 100 + 100) % 100;
    }
    return t.size() == 4 && t.toInt() >= 100 ? t.toInt() : 0;
}

// Un mois en chiffres, ou son nom : entier, ou un début qui ne désigne qu'un mois.
int mois(const QString& t)
{
    if (tousChiffres(t))
        return t.size() <= 2 ? t.toInt() : 0;
    const QString cherche = sansAccents(t);
    if (cherche.size() < 3)
        return 0;
    int trouve = 0;
    for (int m = 1; m <= 12; ++m) {
        const QString nom = sansAccents(NomMois(m));
        if (nom == cherche)
            return m;
        if (nom.startsWith(cherche))
            trouve = trouve == 0 ? m : -1;
    }
    return std::max(trouve, 0);
}

std::optional<QDate> dateValide(int a, int m, int j)
{
    const QDate d(a, m, j);
    if (a == 0 || !d.isValid())
        return std::nullopt;
    return d;
}

} // namespace

std::optional<QDate> LireDateSaisie(const QString& texte, int anneeCourante)
{
    auto parties = morceaux(texte);
    if (!parties)
        return std::nullopt;
    if (parties->size() == 1 && (parties->first().size() == 6 || parties->first().size() == 8))
        couperChiffres(*parties, 3);
    if (parties->size() != 3 || !tousChiffres(parties->at(0)) || parties->at(0).size() > 2)
        return std::nullopt;
    return dateValide(annee(parties->at(2), anneeCourante), mois(parties->at(1)), parties->at(0).toInt());
}

std::optional<QDate> LireMoisSaisi(const QString& texte, int anneeCourante)
{
    auto parties = morceaux(texte);
    if (!parties)
        return std::nullopt;
    if (parties->size() == 1 && (parties->first().size() == 4 || parties->first().size() == 6))
        couperChiffres(*parties, 2);
    if (parties->size() != 2)
        return std::nullopt;
    return dateValide(annee(parties->at(1), anneeCourante), mois(parties->at(0)), 1);
}
