#include "data/bases/AnalyseurLexical.h"

#include "commun/TexteAffichable.h"

#include <array>

namespace {

bool debutIdentifiant(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool suiteIdentifiant(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool chiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool prefixeStation(const QString& mot)
{
    static const std::array<QString, 4> prefixes = {QStringLiteral("PLUVIO_"), QStringLiteral("PZ_"), QStringLiteral("HYDRO_"),
                                                   QStringLiteral("COURBE_REF_PLUVIO_")};
    for (const QString& p : prefixes)
        if (mot.startsWith(p, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

std::optional<QList<JetonSql>> AnalyseurLexical::decouper(const QString& sql, QString& erreur)
{
    AnalyseurLexical a(sql);
    while (a.m_i < a.m_n) {
        if (a.car(a.m_i).isSpace()) {
            ++a.m_i;
            continue;
        }
        if (!a.lireMot()) {
            erreur = a.m_erreur;
            return std::nullopt;
        }
    }
    JetonSql fin;
    fin.position = a.m_n;
    a.m_jetons.append(fin);
    return a.m_jetons;
}

AnalyseurLexical::AnalyseurLexical(const QString& sql)
    : m_sql(sql)
    , m_n(int(sql.size()))
{
}

bool AnalyseurLexical::lireMot()
{
    const QChar c = car(m_i), d = car(m_i + 1);
    // E'…' : texte avec échappements par barre oblique inverse.
    if ((c == u'E' || c == u'e') && d == u'\'')
        return texteEchappe();
    if (debutIdentifiant(c)) {
        identifiant();
        return true;
    }
    if (chiffre(c) || (c == u'.' && chiffre(d)))
        return nombre();
    if (c == u'\'' || c == u'"')
        return texte();
    if (c == u'#')
        return delimite(u'#', JetonSql::Genre::Date, QStringLiteral("Date non fermée"));
    if (c == u'[')
        return delimite(u']', JetonSql::Genre::Identifiant, QStringLiteral("Nom entre crochets non fermé"));
    // Les commentaires ne font pas partie de la formulation : "--" et "/*" sont
    // refusés pour que rien ne puisse cacher la fin d'un ordre.
    if ((c == u'-' && d == u'-') || (c == u'/' && d == u'*'))
        return echec(QStringLiteral("Commentaire refusé"));
    return symbole();
}

void AnalyseurLexical::ajouter(JetonSql::Genre genre, const QString& texte, int fin, bool entreCrochets)
{
    JetonSql j;
    j.genre = genre;
    j.texte = texte;
    j.position = m_i;
    j.entreCrochets = entreCrochets;
    m_jetons.append(j);
    m_i = fin;
}

bool AnalyseurLexical::echec(const QString& quoi)
{
    m_erreur = QStringLiteral("%1 à la position %2 : « %3 »").arg(quoi).arg(m_i + 1).arg(TexteAffichable(m_sql.mid(m_i, 20)));
    return false;
}

bool AnalyseurLexical::texteEchappe()
{
    QString texte;
    for (int k = m_i + 2; k < m_n;) {
        const QChar d = car(k);
        if (d == u'\\' && k + 1 < m_n) {
            const QChar e = car(k + 1);
            texte += e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e == u'r' ? QChar(u'\r') : e;
            k += 2;
        } else if (d == u'\'' && car(k + 1) == u'\'') {
            texte += u'\'';
            k += 2;
        } else if (d == u'\'') {
            ajouter(JetonSql::Genre::Texte, texte, k + 1);
            return true;
        } else {
            texte += d;
            ++k;
        }
    }
    return echec(QStringLiteral("Texte non fermé"));
}

void AnalyseurLexical::identifiant()
{
    int k = m_i + 1;
    while (k < m_n && suiteIdentifiant(car(k)))
        ++k;
    if (prefixeStation(m_sql.mid(m_i, k - m_i)))
        while (car(k) == u'-' && suiteIdentifiant(car(k + 1))) {
            int l = k + 1;
            while (l < m_n && suiteIdentifiant(car(l)))
                ++l;
            k = l;
        }
    ajouter(JetonSql::Genre::Identifiant, m_sql.mid(m_i, k - m_i), k);
}

bool AnalyseurLexical::nombre()
{
    int k = m_i;
    while (chiffre(car(k)))
        ++k;
    if (car(k) == u'.' && chiffre(car(k + 1))) {
        ++k;
        while (chiffre(car(k)))
            ++k;
    } else if (car(k) == u'.' && !debutIdentifiant(car(k + 1))) {
        ++k;  // "12." est un nombre
    }
    if (car(k) == u'e' || car(k) == u'E') {
        int l = k + 1;
        if (car(l) == u'+' || car(l) == u'-')
            ++l;
        if (chiffre(car(l))) {
            while (chiffre(car(l)))
                ++l;
            k = l;
        }
    }
    if (debutIdentifiant(car(k)))
        return echec(QStringLiteral("Nombre mal formé"));
    ajouter(JetonSql::Genre::Nombre, m_sql.mid(m_i, k - m_i), k);
    return true;
}

// '…' ou "…", le délimiteur doublé valant lui-même.
bool AnalyseurLexical::texte()
{
    const QChar c = car(m_i);
    QString texte;
    for (int k = m_i + 1; k < m_n;) {
        if (car(k) != c) {
            texte += car(k++);
        } else if (car(k + 1) == c) {
            texte += c;
            k += 2;
        } else {
            ajouter(JetonSql::Genre::Texte, texte, k + 1);
            return true;
        }
    }
    return echec(QStringLiteral("Texte non fermé"));
}

// #…# (une date) et […] (un nom, jamais un mot-clé).
bool AnalyseurLexical::delimite(QChar fin, JetonSql::Genre genre, const QString& refus)
{
    const int f = int(m_sql.indexOf(fin, m_i + 1));
    const bool crochets = fin == u']';
    if (f < 0 || (crochets && f == m_i + 1))
        return echec(refus);
    const QString contenu = m_sql.mid(m_i + 1, f - m_i - 1);
    ajouter(genre, crochets ? contenu : contenu.trimmed(), f + 1, crochets);
    return true;
}

bool AnalyseurLexical::symbole()
{
    static const QString doubles[] = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("!=")};
    const QString deux = m_sql.mid(m_i, 2);
    for (const QString& d : doubles)
        if (deux == d) {
            ajouter(JetonSql::Genre::Symbole, d == QStringLiteral("!=") ? QStringLiteral("<>") : d, m_i + 2);
            return true;
        }
    const QChar c = car(m_i);
    if (!QStringLiteral("(),.;*+-/\\^&=<>").contains(c))
        return echec(QStringLiteral("Caractère inattendu"));
    ajouter(JetonSql::Genre::Symbole, QString(c), m_i + 1);
    return true;
}
