#include "output/exports/EchelleTemps.h"

#include "output/classeur/TexteXlsx.h"
#include "output/tableur/AxeTableur.h"

#include <array>

namespace {

enum class Branche { Jours, Decades, Mois, MoisCumules, Trimestres, Annees };

struct Ligne
{
    Branche branche;
    int base;
    int echelleMajeureCourte;
    double majeureCourte;
    int echelleMajeureLongue;
    double majeureLongue;
    int echelleMineure;
    double mineure;
    const char* format;
};

// Une durée courte (au plus deux ans) reçoit une graduation plus fine ; les
// trimestres se comptent en mois, une base annuelle les confondrait.
constexpr std::array<Ligne, 6> kLignes = {{
    {Branche::Jours, 0, 1, 1, 1, 12, 0, 1, "dd/mm/yy"},
    {Branche::Decades, 0, 0, 10, 1, 12, 0, 1, "dd/mm/yy"},
    {Branche::Mois, 1, 1, 1, 1, 12, 1, 1, "mm/yy"},
    {Branche::MoisCumules, 2, 2, 1, 2, 1, 2, 1, "yyyy"},
    {Branche::Trimestres, 1, 1, 3, 2, 1, 1, 3, "mm-yy"},
    {Branche::Annees, 2, 2, 1, 2, 1, 2, 1, "yyyy"},
}};

constexpr int kMoisDureeCourte = 24;

Branche ChoisirBranche(std::optional<Periode> periode, TypeGraph type, Variante variante)
{
    if (Traits(type).annuel || periode == Periode::Mois)
        return EstCumul(variante) ? Branche::MoisCumules : Branche::Mois;
    if (periode == Periode::Decade)
        return Branche::Decades;
    if (periode == Periode::Trimestre)
        return Branche::Trimestres;
    if (periode == Periode::Annee || periode == Periode::Hydro)
        return Branche::Annees;
    return Branche::Jours;
}

} // namespace

EchelleTemps EchelleTemps::choisir(std::optional<Periode> periode, TypeGraph type, Variante variante,
                                   const QDate& debut, const QDate& fin)
{
    const Branche b = ChoisirBranche(periode, type, variante);
    const Ligne* ligne = &kLignes[0];
    for (const Ligne& l : kLignes)
        if (l.branche == b)
            ligne = &l;
    const int mois = debut.isValid() && fin.isValid()
                         ? (fin.year() - debut.year()) * 12 + fin.month() - debut.month()
                         : kMoisDureeCourte + 1;
    const bool courte = mois <= kMoisDureeCourte;
    EchelleTemps e;
    e.uniteBase = ligne->base;
    e.echelleMajeure = courte ? ligne->echelleMajeureCourte : ligne->echelleMajeureLongue;
    e.uniteMajeure = courte ? ligne->majeureCourte : ligne->majeureLongue;
    e.echelleMineure = ligne->echelleMineure;
    e.uniteMineure = ligne->mineure;
    e.formatParDefaut = QString::fromLatin1(ligne->format);
    return e;
}

void EchelleTemps::appliquer(const AxeTableur& axe, const QDate& debut, const QDate& fin, const QString& format) const
{
    axe.setBaseUnit(uniteBase);
    axe.setMajorUnitIsAuto(false);
    axe.setMajorUnitScale(echelleMajeure);
    axe.setMajorUnit(uniteMajeure);
    axe.setMinorUnitIsAuto(false);
    axe.setMinorUnitScale(echelleMineure);
    axe.setMinorUnit(uniteMineure);
    if (debut.isValid() && fin.isValid() && debut <= fin) {
        axe.setMinimumScale(double(SerieDate(debut)));
        axe.setMaximumScale(double(SerieDate(fin)));
    }
    axe.setTickLabelsNumberFormat(format.isEmpty() ? formatParDefaut : format);
}
