#include "output/exports/BlocSuperposition.h"

#include "commun/Dates.h"
#include "commun/messages/Messages.h"
#include "data/FenetreProgression.h"
#include "output/exports/TexteExport.h"

#include <QHash>

using namespace TexteExport;

namespace {

constexpr int kLignesEntreMessages = 100;

// Le premier point de chaque jour d'une courbe.
QHash<QDate, int> PremierPointParJour(const Classe_Graphique& courbe)
{
    QHash<QDate, int> jours;
    for (int i = courbe.NbValeurs() - 1; i >= 0; --i)
        if (const auto d = DateDepuisCellule(courbe.cellule(0, i)))
            jours.insert(d->date(), i);
    return jours;
}

class Redaction
{
public:
    Redaction(const std::vector<CourbePtr>& courbes, double coefficient, bool pointDecimal, FenetreProgression* p)
        : m_courbes(courbes), m_coefficient(coefficient), m_point(pointDecimal), m_progression(p)
    {
    }

    bool entete(QString& texte, std::optional<QDate>& premiere)
    {
        for (const CourbePtr& c : m_courbes) {
            if (m_progression)
                m_progression->message(QStringLiteral("Préparation de la courbe ") + c->Titre());
            texte += c->Titre() + QStringLiteral("\t\t\t");
            if (const auto d = DateDepuisCellule(c->cellule(0, 0)); d && (!premiere || d->date() < *premiere))
                premiere = d->date();
            if (arret())
                return false;
        }
        texte += u'\r';
        return true;
    }

    // Une courbe seule : une ligne par jour de la période chargée, avec ou sans point.
    void jourParJour(QString& texte, const QDate& debut, const QDate& fin, int total)
    {
        const Classe_Graphique& c = *m_courbes.front();
        const QHash<QDate, int> jours = PremierPointParJour(c);
        int ligne = 0;
        for (QDate d = debut; d <= fin; d = d.addDays(1)) {
            const auto it = jours.constFind(d);
            texte += CellulesPoint(it == jours.cend() ? std::nullopt : PointExportable(c, *it, m_coefficient, true),
                                   m_point);
            texte += u'\r';
            if (suivre(++ligne, total))
                return;
        }
    }

    void pointParPoint(QString& texte, int total)
    {
        for (int r = 0; r < total; ++r) {
            for (const CourbePtr& c : m_courbes)
                texte += CellulesPoint(PointExportable(*c, r, m_coefficient, true), m_point);
            texte += u'\r';
            if (suivre(r + 1, total))
                return;
        }
    }

private:
    bool arret() { return m_progression && m_progression->annulee(); }

    // Vrai quand l'utilisateur demande l'arrêt.
    bool suivre(int ligne, int total)
    {
        if (m_progression && ligne % kLignesEntreMessages == 0) {
            m_progression->message(QStringLiteral("Exportation des superpositions... (%1/%2)").arg(ligne).arg(total));
            m_progression->servir();
        }
        return arret();
    }

    const std::vector<CourbePtr>& m_courbes;
    double m_coefficient;
    bool m_point;
    FenetreProgression* m_progression;
};

} // namespace

BlocSuperposition BlocSuperposition::Preparer(const Classe_Graphiques& courbes, double coefficient, bool pointDecimal,
                                              FenetreProgression* progression)
{
    BlocSuperposition bloc;
    const std::vector<CourbePtr> prises = CourbesAffichees(courbes);
    if (prises.empty()) {
        AfficherMessage(QStringLiteral("Erreur"), QStringLiteral("Pas de données à exporter vers Excel"));
        return bloc;
    }
    bloc.nombreCourbes = int(prises.size());
    bloc.nombreLignes = NombreLignes(prises);
    Redaction redaction(prises, coefficient, pointDecimal, progression);
    std::optional<QDate> premiere;
    QString texte;
    if (redaction.entete(texte, premiere)) {
        const auto debut = LireDate(courbes.DateDebutChargement().trimmed());
        const auto fin = LireDate(courbes.DateFinChargement().trimmed());
        if (prises.size() > 1)
            redaction.pointParPoint(texte, bloc.nombreLignes);
        else if (debut && fin)
            redaction.jourParJour(texte, *debut, *fin, bloc.nombreLignes);
    }
    bloc.premiereDate = premiere ? TexteDate(*premiere) : QString();
    bloc.texte = texte;
    return bloc;
}
