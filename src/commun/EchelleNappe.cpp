#include "commun/EchelleNappe.h"

EchelleNappe::EchelleNappe(bool cote, double decalage, double coefficient)
    : m_cote(cote)
    , m_decalage(decalage)
    , m_coefficient(coefficient)
{
}

EchelleNappe EchelleNappe::cote(double coteRepere)
{
    return EchelleNappe(true, coteRepere, 1);
}

EchelleNappe EchelleNappe::profondeur(double coefficient)
{
    return EchelleNappe(false, 0, coefficient);
}

EchelleNappe EchelleNappe::deStation(std::optional<double> coteRepere)
{
    return coteRepere ? cote(*coteRepere) : profondeur();
}

QString EchelleNappe::titreAxe() const
{
    return m_cote ? QStringLiteral("Cote en NGF") : QStringLiteral("Profondeur en m");
}
