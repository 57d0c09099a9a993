#include "model/Classe_Graphiques.h"

#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"

namespace {
double deuxDecimales(double v)
{
    return LireNombre(FormatNombre(v, QStringLiteral("#0.00"))).value_or(0.0);
}
} // namespace

Classe_Graphiques::Classe_Graphiques()
{
    m_options.ChargerDepuisParametres();
}

void Classe_Graphiques::ViderCollection()
{
    m_courbes.clear();
}

void Classe_Graphiques::AjouterCourbe(const CourbePtr& xxCourbe)
{
    if (xxCourbe)
        m_courbes.push_back(xxCourbe);
}

void Classe_Graphiques::AjouterValeurs(int xxNoCourbe, const QVariant& xxValeurs)
{
    if (!positionValide(xxNoCourbe))
        return;
    // Par le nom, comme pour tout objet qui se remplit comme une courbe.
    AppelerMembre(m_courbes[std::size_t(xxNoCourbe - 1)].get(), QStringLiteral("AjouterValeurs"), {xxValeurs});
}

int Classe_Graphiques::noCourbe(const QString& xxCle) const
{
    for (std::size_t i = 0; i < m_courbes.size(); ++i)
        if (m_courbes[i]->Cle() == xxCle)
            return int(i) + 1;
    return -1;
}

CourbePtr Classe_Graphiques::GetCourbe(int indice) const
{
    return positionValide(indice) ? m_courbes[std::size_t(indice - 1)] : nullptr;
}

void Classe_Graphiques::MajAfficher(int xxNoCourbe, bool xxafficher)
{
    if (positionValide(xxNoCourbe))
        m_courbes[std::size_t(xxNoCourbe - 1)]->setAfficher(xxafficher);
}

void Classe_Graphiques::MajTitre(int xxNoCourbe, const QString& xxTitre)
{
    if (positionValide(xxNoCourbe))
        m_courbes[std::size_t(xxNoCourbe - 1)]->setTitre(xxTitre);
}

void Classe_Graphiques::MajPattern(int xxNoCourbe, qint16 xxPattern)
{
    if (positionValide(xxNoCourbe))
        m_courbes[std::size_t(xxNoCourbe - 1)]->setPattern(xxPattern);
}

void Classe_Graphiques::MajSymbol(int xxNoCourbe, qint16 xxSymbol)
{
    if (positionValide(xxNoCourbe))
        m_courbes[std::size_t(xxNoCourbe - 1)]->setSymbol(xxSymbol);
}

void Classe_Graphiques::SupprimerCourbe(int xxNoCourbe)
{
    if (positionValide(xxNoCourbe))
        m_courbes.erase(m_courbes.begin() + (xxNoCourbe - 1));
}

void Classe_Graphiques::setMinY(double v)
{
    m_minY = deuxDecimales(v);
}

void Classe_Graphiques::setMaxY(double v)
{
    m_maxY = deuxDecimales(v);
}

void Classe_Graphiques::setMinDonnees(double v)
{
    m_minDonnees = deuxDecimales(v);
}

void Classe_Graphiques::setMaxDonnees(double v)
{
    m_maxDonnees = deuxDecimales(v);
}

qint16 Classe_Graphiques::StyleGrille() const
{
    return qint16((m_grilleX ? 2 : 0) + (m_grilleY ? 1 : 0));
}

Classe_Graphiques::Borne Classe_Graphiques::Borne::depuis(const QString& texte)
{
    return {texte, LireDateHeure(texte.trimmed())};
}

Classe_Graphiques::Borne Classe_Graphiques::Borne::depuis(const std::optional<QDate>& jour)
{
    if (!jour || !jour->isValid())
        return {};
    return {TexteDate(*jour), DateHeure(*jour)};
}

void Classe_Graphiques::setChargement(const std::optional<QDate>& debut, const std::optional<QDate>& fin)
{
    m_debutChargement = Borne::depuis(debut);
    m_finChargement = Borne::depuis(fin);
}

void Classe_Graphiques::setAffichage(const std::optional<QDate>& debut, const std::optional<QDate>& fin)
{
    m_debutAffichage = Borne::depuis(debut);
    m_finAffichage = Borne::depuis(fin);
}

void Classe_Graphiques::afficherToutLeChargement()
{
    m_debutAffichage = m_debutChargement;
    m_finAffichage = m_finChargement;
}

void Classe_Graphiques::reprendrePeriodes(const Classe_Graphiques& autre)
{
    m_debutChargement = autre.m_debutChargement;
    m_finChargement = autre.m_finChargement;
    m_debutAffichage = autre.m_debutAffichage;
    m_finAffichage = autre.m_finAffichage;
}
