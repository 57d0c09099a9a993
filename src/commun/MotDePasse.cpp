#include "commun/MotDePasse.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace MotDePasse {

namespace {

struct Passage
{
    qsizetype debut;
    qsizetype longueur;
    QString valeur;
};

// La partie « :mdp » de « postgresql://utilisateur:mdp@ » : libpq la cherche avant le premier « @ » ou « / ».
void chercherUtilisateur(const QString& texte, QList<Passage>& passages)
{
    static const QRegularExpression forme(QStringLiteral("postgres(?:ql)?://[^@/:]*(:([^@/]*))@"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (auto it = forme.globalMatch(texte); it.hasNext();) {
        const auto m = it.next();
        passages.append({m.capturedStart(1), m.capturedLength(1), m.captured(2)});
    }
}

bool cleSecrete(const QString& cle)
{
    const QString c = QUrl::fromPercentEncoding(cle.toUtf8()).trimmed().toLower();
    return c == QLatin1String("password") || c == QLatin1String("sslpassword");
}

// « ?password=… » et « &password=… » d'une adresse (libpq décode aussi le nom du
// paramètre), retirés avec leur séparateur : « ?password=x&a=1 » devient « ?a=1 ».
void chercherParametres(const QString& texte, QList<Passage>& passages)
{
    static const QRegularExpression forme(QStringLiteral("([?&])([^=&#\\s\"]*)=([^&#\\s\"]*)(?=(&?))"));
    for (auto it = forme.globalMatch(texte); it.hasNext();) {
        const auto m = it.next();
        if (!cleSecrete(m.captured(2)))
            continue;
        const bool suivi = m.captured(1) == u'?' && !m.captured(4).isEmpty();
        passages.append({m.capturedStart(0) + (suivi ? 1 : 0), m.capturedLength(0), m.captured(3)});
    }
}

// « password = valeur » : valeur entre apostrophes (\' et \\ échappés, peut-être jamais fermée) ou jusqu'au blanc.
void chercherCles(const QString& texte, QList<Passage>& passages)
{
    static const QRegularExpression forme(QStringLiteral(R"((?:^|\s+|(?<=['"]))(?:ssl)?password\s*=\s*('(?:\\.|[^'\\])*'?|(?:\\.|[^\s\\])*))"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression echappe(QStringLiteral(R"(\\(.))"));
    for (auto it = forme.globalMatch(texte); it.hasNext();) {
        const auto m = it.next();
        QString valeur = m.captured(1);
        if (valeur.startsWith(u'\''))
            valeur = valeur.mid(1, valeur.endsWith(u'\'') && valeur.size() > 1 ? valeur.size() - 2 : -1);
        passages.append({m.capturedStart(0), m.capturedLength(0), valeur.replace(echappe, QStringLiteral("\\1"))});
    }
}

QList<Passage> passages(const QString& texte)
{
    QList<Passage> p;
    chercherUtilisateur(texte, p);
    chercherParametres(texte, p);
    chercherCles(texte, p);
    std::sort(p.begin(), p.end(), [](const Passage& a, const Passage& b) { return a.debut > b.debut; });
    return p;
}

} // namespace

QString retirer(const QString& texte)
{
    QString t = texte;
    qsizetype borne = t.size();
    // Du dernier au premier : les positions des passages d'avant restent justes.
    for (const Passage& p : passages(texte)) {
        if (p.debut + p.longueur > borne)
            continue;
        t.remove(p.debut, p.longueur);
        borne = p.debut;
    }
    return t.trimmed();
}

QString masquer(const QString& message, const QString& connexion)
{
    QStringList secrets;
    for (const Passage& p : passages(connexion))
        if (!p.valeur.isEmpty())
            secrets << p.valeur << QUrl::fromPercentEncoding(p.valeur.toUtf8());
    const auto secret = [&secrets](QStringView passage) {
        return std::any_of(secrets.cbegin(), secrets.cend(), [passage](const QString& s) { return passage.contains(s); });
    };
    static const QRegularExpression cite(QStringLiteral("\"[^\"]*\""));
    const QString sans = retirer(message);
    QString resultat;
    qsizetype fait = 0;
    for (auto it = cite.globalMatch(sans); it.hasNext();) {
        const auto m = it.next();
        resultat += QStringView(sans).mid(fait, m.capturedStart(0) - fait);
        resultat += secret(m.capturedView(0)) ? QStringLiteral("\"…\"") : m.captured(0);
        fait = m.capturedEnd(0);
    }
    return resultat + sans.mid(fait);
}

} // namespace MotDePasse
