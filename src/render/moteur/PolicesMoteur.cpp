#include "render/moteur/PolicesMoteur.h"

#include "render/moteur/ModeleGraphique.h"

#include <QFontDatabase>
#include <QHash>
#include <algorithm>

namespace {

const char* const familleSecours = "DejaVu Sans";

bool installee(const QString& famille)
{
    static QHash<QString, bool> connues;
    const auto it = connues.constFind(famille);
    if (it != connues.constEnd())
        return *it;
    const bool ok = QFontDatabase::families().contains(famille, Qt::CaseInsensitive);
    connues.insert(famille, ok);
    return ok;
}

} // namespace

QString PolicesMoteur::familleInstallee(const QString& demandee)
{
    const QString f = demandee.trimmed();
    if (!f.isEmpty() && installee(f))
        return f;
    if (f.compare(QStringLiteral("Comic Sans MS"), Qt::CaseInsensitive) == 0) {
        for (const char* voisine : {"Comic Neue", "Comic Relief"})
            if (installee(QString::fromLatin1(voisine)))
                return QString::fromLatin1(voisine);
    }
    if (installee(QString::fromLatin1(familleSecours)))
        return QString::fromLatin1(familleSecours);
    return QFont().family();
}

QFont PolicesMoteur::police(const PoliceTexte& texte, double tailleBasePixels, bool gras)
{
    QFont f(familleInstallee(texte.famille));
    const int pourcent = texte.taillePourcent > 0 ? texte.taillePourcent : 100;
    f.setPixelSize(std::max(6, int(tailleBasePixels * pourcent / 100.0 + 0.5)));
    f.setBold(gras);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

double PolicesMoteur::tailleBase(double largeur, double hauteur)
{
    return std::clamp(std::min(largeur, hauteur) / 42.0, 11.0, 22.0);
}
