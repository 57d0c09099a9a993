#include "BasesRecentes.h"
#include "ReglagesHote.h"

#include "commun/MotDePasse.h"
#include "data/bases/OuvertureBase.h"

#include <QDir>
#include <QFileInfo>

QString BasesRecentes::normaliser(const QString& texte)
{
    if (estConnexionPostgres(texte))
        return MotDePasse::retirer(texte);
    const QFileInfo fichier(texte.trimmed());
    const QString canonique = fichier.canonicalFilePath();
    return QDir::cleanPath(canonique.isEmpty() ? fichier.absoluteFilePath() : canonique);
}

// Une entrée relative d'une version d'avant ne désigne plus rien de sûr : elle est oubliée.
QStringList BasesRecentes::liste()
{
    QStringList vues;
    for (const QString& b : ReglagesHote().value(QStringLiteral("bases/recentes")).toStringList()) {
        const bool relative = !estConnexionPostgres(b) && QFileInfo(b).isRelative();
        const QString n = relative ? QString() : normaliser(b);
        if (!n.isEmpty() && !vues.contains(n))
            vues << n;
    }
    return vues;
}

QString BasesRecentes::derniere()
{
    const QString d = ReglagesHote().value(QStringLiteral("bases/derniere")).toString();
    return !estConnexionPostgres(d) && QFileInfo(d).isRelative() ? QString() : d;
}

void BasesRecentes::retenir(const QString& texte)
{
    const QString retenu = normaliser(texte);
    QStringList recentes = liste();
    recentes.removeAll(retenu);
    recentes.prepend(retenu);
    QSettings r = ReglagesHote();
    r.setValue(QStringLiteral("bases/recentes"), recentes.mid(0, nombreMax));
    r.setValue(QStringLiteral("bases/derniere"), retenu);
}
