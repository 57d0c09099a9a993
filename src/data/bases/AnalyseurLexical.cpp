#include "data/bases/AnalyseurLexical.h"

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
    static const std::array<QString, 4> prefixes = {QStringLiteral("PLUVIO_"), QStringLiteral("PZ_"),
                                                   QStringLiteral("HYDRO_"),
                                                   QStringLiteral("COURBE_REF_PLUVIO_")};
    for (const QString& p : prefixes)
        if (mot.startsWith(p, Qt::CaseInsensitive))
            return true;
    return false;
}

QString extrait(const QString& sql, int position)
{
    return sql.mid(position, 20);
}

} // namespace

std::optional<QList<JetonSql>> AnalyseurLexical::decouper(const QString& sql, QString& erreur)
{
    QList<JetonSql> jetons;
    const int n = int(sql.size());
    int i = 0;
    auto echec = [&](const QString& quoi, int position) {
        erreur = QStringLiteral("%1 à la position %2 : « %3 »").arg(quoi).arg(position + 1).arg(extrait(sql, position));
        return std::nullopt;
    };
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        JetonSql j;
        j.position = i;

        // E'…' : texte avec échappements par barre oblique inverse.
        if ((c == u'E' || c == u'e') && i + 1 < n && sql.at(i + 1) == u'\'') {
            int k = i + 2;
            QString texte;
            bool ferme = false;
            while (k < n) {
                const QChar d = sql.at(k);
                if (d == u'\\' && k + 1 < n) {
                    const QChar e = sql.at(k + 1);
                    texte += e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e == u'r' ? QChar(u'\r') : e;
                    k += 2;
                } else if (d == u'\'') {
                    if (k + 1 < n && sql.at(k + 1) == u'\'') {
                        texte += u'\'';
                        k += 2;
                    } else {
                        ferme = true;
                        ++k;
                        break;
                    }
                } else {
                    texte += d;
                    ++k;
                }
            }
            if (!ferme)
                return echec(QStringLiteral("Texte non fermé"), i);
            j.genre = JetonSql::Genre::Texte;
            j.texte = texte;
            jetons.append(j);
            i = k;
            continue;
        }

        if (debutIdentifiant(c)) {
            int k = i + 1;
            while (k < n && suiteIdentifiant(sql.at(k)))
                ++k;
            QString mot = sql.mid(i, k - i);
            if (prefixeStation(mot)) {
                while (k + 1 < n && sql.at(k) == u'-' && suiteIdentifiant(sql.at(k + 1))) {
                    int l = k + 1;
                    while (l < n && suiteIdentifiant(sql.at(l)))
                        ++l;
                    k = l;
                }
                mot = sql.mid(i, k - i);
            }
            j.genre = JetonSql::Genre::Identifiant;
            j.texte = mot;
            jetons.append(j);
            i = k;
            continue;
        }

        if (chiffre(c) || (c == u'.' && i + 1 < n && chiffre(sql.at(i + 1)))) {
            int k = i;
            while (k < n && chiffre(sql.at(k)))
                ++k;
            if (k < n && sql.at(k) == u'.' && k + 1 < n && chiffre(sql.at(k + 1))) {
                ++k;
                while (k < n && chiffre(sql.at(k)))
                    ++k;
            } else if (k < n && sql.at(k) == u'.' && !(k + 1 < n && debutIdentifiant(sql.at(k + 1)))) {
                ++k;  // "12." est un nombre
            }
            if (k < n && (sql.at(k) == u'e' || sql.at(k) == u'E')) {
                int l = k + 1;
                if (l < n && (sql.at(l) == u'+' || sql.at(l) == u'-'))
                    ++l;
                if (l < n && chiffre(sql.at(l))) {
                    while (l < n && chiffre(sql.at(l)))
                        ++l;
                    k = l;
                }
            }
            if (k < n && debutIdentifiant(sql.at(k)))
                return echec(QStringLiteral("Nombre mal formé"), i);
            j.genre = JetonSql::Genre::Nombre;
            j.texte = sql.mid(i, k - i);
            jetons.append(j);
            i = k;
            continue;
        }

        if (c == u'\'' || c == u'"') {
            int k = i + 1;
            QString texte;
            bool ferme = false;
            while (k < n) {
                if (sql.at(k) == c) {
                    if (k + 1 < n && sql.at(k + 1) == c) {
                        texte += c;
                        k += 2;
                        continue;
                    }
                    ferme = true;
                    ++k;
                    break;
                }
                texte += sql.at(k++);
            }
            if (!ferme)
                return echec(QStringLiteral("Texte non fermé"), i);
            j.genre = JetonSql::Genre::Texte;
            j.texte = texte;
            jetons.append(j);
            i = k;
            continue;
        }

        if (c == u'#') {
            const int fin = int(sql.indexOf(u'#', i + 1));
            if (fin < 0)
                return echec(QStringLiteral("Date non fermée"), i);
            j.genre = JetonSql::Genre::Date;
            j.texte = sql.mid(i + 1, fin - i - 1).trimmed();
            jetons.append(j);
            i = fin + 1;
            continue;
        }

        if (c == u'[') {
            const int fin = int(sql.indexOf(u']', i + 1));
            if (fin < 0 || fin == i + 1)
                return echec(QStringLiteral("Nom entre crochets non fermé"), i);
            j.genre = JetonSql::Genre::Identifiant;
            j.texte = sql.mid(i + 1, fin - i - 1);
            j.entreCrochets = true;
            jetons.append(j);
            i = fin + 1;
            continue;
        }

        // Les commentaires ne font pas partie de la formulation : "--" et "/*" sont
        // refusés pour que rien ne puisse cacher la fin d'un ordre.
        if ((c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') || (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*'))
            return echec(QStringLiteral("Commentaire refusé"), i);

        static const QString doubles[] = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                          QStringLiteral("!=")};
        bool trouve = false;
        for (const QString& d : doubles) {
            if (sql.mid(i, 2) == d) {
                j.genre = JetonSql::Genre::Symbole;
                j.texte = d == QStringLiteral("!=") ? QStringLiteral("<>") : d;
                jetons.append(j);
                i += 2;
                trouve = true;
                break;
            }
        }
        if (trouve)
            continue;
        if (QStringLiteral("(),.;*+-/\\^&=<>").contains(c)) {
            j.genre = JetonSql::Genre::Symbole;
            j.texte = QString(c);
            jetons.append(j);
            ++i;
            continue;
        }
        return echec(QStringLiteral("Caractère inattendu"), i);
    }
    JetonSql fin;
    fin.position = n;
    jetons.append(fin);
    return jetons;
}
