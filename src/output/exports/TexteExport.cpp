#include "output/exports/TexteExport.h"

#include "commun/Dates.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"

#include <charconv>

namespace TexteExport {

std::vector<CourbePtr> CourbesAffichees(const Classe_Graphiques& courbes)
{
    std::vector<CourbePtr> affichees;
    for (int i = 1; i <= courbes.Compter(); ++i)
        if (CourbePtr c = courbes.GetCourbe(i); c && c->Afficher())
            affichees.push_back(c);
    return affichees;
}

int NombreLignes(const std::vector<CourbePtr>& courbes)
{
    int n = 0;
    for (const CourbePtr& c : courbes)
        n = std::max(n, int(c->NbValeurs()));
    return n;
}

double JourSerie(const QDateTime& instant)
{
    const QDateTime origine = DateHeure(JourZero());
    const double minutes = double(DateDiff(Intervalle::Minute, origine, instant));
    return minutes / 60.0 / 24.0;
}

// QString::number(valeur, 'g', 15) à l'octet près, sans son calcul en grands
// entiers : std::to_chars arrondit au plus proche comme lui, et seul un nombre
// posé pile entre deux écritures (seizième chiffre 5), où les deux départagent
// autrement, passe par Qt.
QString Nombre(double valeur, bool pointDecimal)
{
    QString texte;
    char tampon[40];
    const auto seize = std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::scientific, 15);
    if (valeur == 0) {
        texte = QStringLiteral("0");  // -0 aussi, comme Qt
    } else if (seize.ec != std::errc() || tampon[valeur < 0 ? 17 : 16] == '5') {
        texte = QString::number(valeur, 'g', 15);
    } else {
        const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::general, 15).ptr;
        texte = QString::fromLatin1(tampon, fin - tampon);
    }
    if (!pointDecimal)
        texte.replace(u'.', LocaleUtilisateur::separateurDecimal());
    return texte;
}

std::optional<Point> PointExportable(const Classe_Graphique& courbe, int i, double coefficient, bool coupures)
{
    if (i < 0 || i >= courbe.NbValeurs())
        return std::nullopt;
    if (coupures) {
        const QString continuite = courbe.cellule(4, i).toString().trimmed();
        if (!continuite.isEmpty() && continuite != u'0')
            return std::nullopt;
    }
    const auto valeur = LireNombre(courbe.cellule(2, i));
    const auto instant = DateEtHeure(courbe.cellule(0, i), courbe.cellule(1, i));
    if (!valeur || !instant)
        return std::nullopt;
    return Point{*instant, *valeur * coefficient};
}

QString CellulesPoint(const std::optional<Point>& point, bool pointDecimal)
{
    if (!point)
        return QStringLiteral("\t\t\t");
    return Nombre(JourSerie(point->instant), pointDecimal) + u'\t' + Nombre(point->valeur, pointDecimal)
           + QStringLiteral("\t\t");
}

} // namespace TexteExport
