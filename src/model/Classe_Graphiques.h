#pragma once

#include "commun/CodesGraphique.h"
#include "model/Classe_Graphique.h"
#include "model/options/GestionExportExcel.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

// Les courbes d'un graphique dans l'ordre d'affichage (positions depuis 1),
// avec ses options d'affichage. Créer une collection charge les options
// d'export depuis les paramètres de l'utilisateur. Une position hors de
// 1..Compter la laisse inchangée.
class Classe_Graphiques
{
public:
    Classe_Graphiques();

    void ViderCollection();
    void AjouterCourbe(const CourbePtr& xxCourbe);
    int Compter() const { return int(m_courbes.size()); }
    void AjouterValeurs(int xxNoCourbe, const QVariant& xxValeurs);
    // Position de la première courbe dont la clé est exactement xxCle, ou -1.
    int noCourbe(const QString& xxCle) const;
    CourbePtr GetCourbe(int indice) const;
    void MajAfficher(int xxNoCourbe, bool xxafficher);
    void MajTitre(int xxNoCourbe, const QString& xxTitre);
    void MajPattern(int xxNoCourbe, qint16 xxPattern);
    void MajSymbol(int xxNoCourbe, qint16 xxSymbol);
    void SupprimerCourbe(int xxNoCourbe);

    const ::GestionExportExcel& GestionExportExcel() const { return m_options; }
    // La boîte des options remet un nouvel enregistrement ; la collection en garde une copie.
    void setGestionExportExcel(const ::GestionExportExcel& options) { m_options = options; }

    // Une borne de période : le texte reçu et sa valeur, lue une seule fois.
    struct Borne
    {
        QString texte;
        std::optional<QDateTime> instant;
        static Borne depuis(const QString& texte);
        static Borne depuis(const std::optional<QDate>& jour);
        std::optional<QDate> jour() const { return instant ? std::optional<QDate>(instant->date()) : std::nullopt; }
    };

    // Les bornes en texte « JJ/MM/AAAA » (heure facultative), telles que les hôtes les lisent et les écrivent.
    const QString& DateDebutAffichage() const { return m_debutAffichage.texte; }
    void setDateDebutAffichage(const QString& d) { m_debutAffichage = Borne::depuis(d); }
    const QString& DateFinAffichage() const { return m_finAffichage.texte; }
    void setDateFinAffichage(const QString& d) { m_finAffichage = Borne::depuis(d); }
    const QString& DateDebutChargement() const { return m_debutChargement.texte; }
    void setDateDebutChargement(const QString& d) { m_debutChargement = Borne::depuis(d); }
    const QString& DateFinChargement() const { return m_finChargement.texte; }
    void setDateFinChargement(const QString& d) { m_finChargement = Borne::depuis(d); }
    // Les mêmes en valeurs, lues une fois à l'écriture ; rien pour un texte vide ou illisible.
    std::optional<QDate> debutChargement() const { return m_debutChargement.jour(); }
    std::optional<QDate> finChargement() const { return m_finChargement.jour(); }
    std::optional<QDate> debutAffichage() const { return m_debutAffichage.jour(); }
    std::optional<QDate> finAffichage() const { return m_finAffichage.jour(); }
    const std::optional<QDateTime>& instantDebutAffichage() const { return m_debutAffichage.instant; }
    const std::optional<QDateTime>& instantFinAffichage() const { return m_finAffichage.instant; }
    // Une période chargée et une période affichée, lisibles ou non.
    bool aDesPeriodes() const { return !m_debutChargement.texte.isEmpty() && !m_debutAffichage.texte.isEmpty(); }
    // Une période vide efface les deux bornes.
    void setChargement(const std::optional<QDate>& debut, const std::optional<QDate>& fin);
    void setAffichage(const std::optional<QDate>& debut, const std::optional<QDate>& fin);
    // La période affichée devient la période chargée, au texte près.
    void afficherToutLeChargement();
    // La période affichée telle quelle, à reprendre au texte près.
    std::pair<Borne, Borne> bornesAffichage() const { return {m_debutAffichage, m_finAffichage}; }
    void setBornesAffichage(const std::pair<Borne, Borne>& bornes) { std::tie(m_debutAffichage, m_finAffichage) = bornes; }
    // Les périodes chargée et affichée d'une autre collection, au texte près.
    void reprendrePeriodes(const Classe_Graphiques& autre);
    double MaxAxeX() const { return m_maxAxeX; }
    void setMaxAxeX(double v) { m_maxAxeX = v; }
    bool EchelleXAuto() const { return m_echelleXAuto; }
    void setEchelleXAuto(bool v) { m_echelleXAuto = v; }
    // Vrai quand l'utilisateur a choisi la période affichée (boîte des options) : un nouveau
    // chargement la garde ; sinon elle suit chaque chargement, au lieu de rester celle du premier.
    bool PeriodeAffichageFixee() const { return m_periodeAffichageFixee; }
    void setPeriodeAffichageFixee(bool v) { m_periodeAffichageFixee = v; }
    UniteAxe uniteAxe() const { return m_uniteAxe; }
    void setUniteAxe(UniteAxe u) { m_uniteAxe = u; }
    Periode periode() const { return m_periode; }
    void setPeriode(Periode p) { m_periode = p; }
    // Les mêmes, dans le texte de l'hôte ("VIDE", "M", … ; "MOIS", "HYDRO", …).
    QString UniteAxeX() const { return TexteCode(m_uniteAxe); }
    void setUniteAxeX(const QString& u) { m_uniteAxe = UniteAxeDepuisTexte(u); }
    QString CodePeriode() const { return TexteCode(m_periode); }
    void setCodePeriode(const QString& c) { m_periode = PeriodeDepuisTexte(c); }

    // Les quatre bornes gardent deux décimales, arrondies par "#0.00" dans la langue de l'utilisateur.
    double MinY() const { return m_minY; }
    void setMinY(double v);
    double MaxY() const { return m_maxY; }
    void setMaxY(double v);
    double MinDonnees() const { return m_minDonnees; }
    void setMinDonnees(double v);
    double MaxDonnees() const { return m_maxDonnees; }
    void setMaxDonnees(double v);

    // Les bornes de l'axe des valeurs telles que l'écran les montre : celles des
    // données en échelle automatique, sinon celles de l'utilisateur.
    std::pair<double, double> BornesAffichees() const
    {
        return m_echelleYAuto ? std::pair{m_minDonnees, m_maxDonnees} : std::pair{m_minY, m_maxY};
    }

    qint16 NbSeparations() const { return m_nbSeparations; }
    void setNbSeparations(qint16 n) { m_nbSeparations = n; }
    qint16 PasAxeX() const { return m_pasAxeX; }
    void setPasAxeX(qint16 n) { m_pasAxeX = n; }
    bool EchelleYAuto() const { return m_echelleYAuto; }
    void setEchelleYAuto(bool v) { m_echelleYAuto = v; }
    bool GrilleX() const { return m_grilleX; }
    void setGrilleX(bool v) { m_grilleX = v; }
    bool GrilleY() const { return m_grilleY; }
    void setGrilleY(bool v) { m_grilleY = v; }
    qint16 CouleurFond() const { return m_couleurFond; }
    void setCouleurFond(qint16 c) { m_couleurFond = c; }

    // Style de grille du moteur de graphique : 0 aucune, 1 horizontale, 2 verticale, 3 les deux.
    qint16 StyleGrille() const;

private:
    bool positionValide(int position) const { return position >= 1 && position <= Compter(); }

    std::vector<CourbePtr> m_courbes;
    Borne m_debutAffichage, m_finAffichage, m_debutChargement, m_finChargement;
    double m_maxAxeX = 0;
    bool m_echelleXAuto = false;
    bool m_periodeAffichageFixee = false;
    UniteAxe m_uniteAxe = UniteAxe::Aucune;
    Periode m_periode = Periode::Aucune;
    double m_minY = 0;
    double m_maxY = 0;
    double m_minDonnees = 0;
    double m_maxDonnees = 0;
    qint16 m_nbSeparations = 5;
    qint16 m_pasAxeX = -1;
    bool m_echelleYAuto = true;
    bool m_grilleX = true;
    bool m_grilleY = true;
    qint16 m_couleurFond = 15;
    ::GestionExportExcel m_options;
};
