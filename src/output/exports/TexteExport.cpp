#include "output/exports/TexteExport.h"

#include "commun/Dates.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"

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

QString Nombre(double valeur, bool pointDecimal)
{
    QString texte = QString::number(valeur, 'g', 15);
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
