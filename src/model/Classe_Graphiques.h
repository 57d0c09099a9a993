#pragma once

#include "commun/CodesGraphique.h"
#include "model/Classe_Graphique.h"
#include "model/options/GestionExportExcel.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

class Classe_GraphiquesPrive;

// Les courbes d'un graphique dans l'ordre d'affichage (positions depuis 1),
// avec ses options d'affichage. Créer une collection charge les options
// d'export depuis les paramètres de l'utilisateur. Une position hors de
// 1..Compter la laisse inchangée.
class Classe_Graphiques
{
public:
    Classe_Graphiques();
    // Une copie est une autre collection : mêmes courbes (partagées), options et périodes à part.
    Classe_Graphiques(const Classe_Graphiques& autre);
    Classe_Graphiques& operator=(const Classe_Graphiques& autre);
    ~Classe_Graphiques();

    void ViderCollection();
    void AjouterCourbe(const CourbePtr& xxCourbe);
    int Compter() const;
    void AjouterValeurs(int xxNoCourbe, const QVariant& xxValeurs);
    // Position de la première courbe dont la clé est exactement xxCle, ou -1.
    int noCourbe(const QString& xxCle) const;
    CourbePtr GetCourbe(int indice) const;
    void MajAfficher(int xxNoCourbe, bool xxafficher);
    void MajTitre(int xxNoCourbe, const QString& xxTitre);
    void MajPattern(int xxNoCourbe, qint16 xxPattern);
    void MajSymbol(int xxNoCourbe, qint16 xxSymbol);
    void SupprimerCourbe(int xxNoCourbe);

    const ::GestionExportExcel& GestionExportExcel() const;
    // La boîte des options remet un nouvel enregistrement ; la collection en garde une copie.
    void setGestionExportExcel(const ::GestionExportExcel& options);

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
    const QString& DateDebutAffichage() const;
    void setDateDebutAffichage(const QString& d);
    const QString& DateFinAffichage() const;
    void setDateFinAffichage(const QString& d);
    const QString& DateDebutChargement() const;
    void setDateDebutChargement(const QString& d);
    const QString& DateFinChargement() const;
    void setDateFinChargement(const QString& d);
    // Les mêmes en valeurs, lues une fois à l'écriture ; rien pour un texte vide ou illisible.
    std::optional<QDate> debutChargement() const;
    std::optional<QDate> finChargement() const;
    std::optional<QDate> debutAffichage() const;
    std::optional<QDate> finAffichage() const;
    const std::optional<QDateTime>& instantDebutAffichage() const;
    const std::optional<QDateTime>& instantFinAffichage() const;
    // Une période chargée et une période affichée, lisibles ou non.
    bool aDesPeriodes() const;
    // Une période vide efface les deux bornes.
    void setChargement(const std::optional<QDate>& debut, const std::optional<QDate>& fin);
    void setAffichage(const std::optional<QDate>& debut, const std::optional<QDate>& fin);
    // La période affichée devient la période chargée, au texte près.
    void afficherToutLeChargement();
    // La période affichée telle quelle, à reprendre au texte près.
    std::pair<Borne, Borne> bornesAffichage() const;
    void setBornesAffichage(const std::pair<Borne, Borne>& bornes);
    // Les périodes chargée et affichée d'une autre collection, au texte près.
    void reprendrePeriodes(const Classe_Graphiques& autre);
    double MaxAxeX() const;
    void setMaxAxeX(double v);
    bool EchelleXAuto() const;
    void setEchelleXAuto(bool v);
    // Vrai quand l'utilisateur a choisi la période affichée (boîte des options) : un nouveau
    // chargement la garde ; sinon elle suit chaque chargement, au lieu de rester celle du premier.
    bool PeriodeAffichageFixee() const;
    void setPeriodeAffichageFixee(bool v);
    UniteAxe uniteAxe() const;
    void setUniteAxe(UniteAxe u);
    Periode periode() const;
    void setPeriode(Periode p);
    // Les mêmes, dans le texte de l'hôte ("VIDE", "M", … ; "MOIS", "HYDRO", …). Un texte que
    // le système ne connaît pas se relit tel qu'écrit.
    QString UniteAxeX() const;
    void setUniteAxeX(const QString& u);
    QString CodePeriode() const;
    void setCodePeriode(const QString& c);

    // Les quatre bornes gardent deux décimales, arrondies par "#0.00" dans la langue de l'utilisateur.
    double MinY() const;
    void setMinY(double v);
    double MaxY() const;
    void setMaxY(double v);
    double MinDonnees() const;
    void setMinDonnees(double v);
    double MaxDonnees() const;
    void setMaxDonnees(double v);

    // Les bornes de l'axe des valeurs telles que l'écran les montre : celles des
    // données en échelle automatique, sinon celles de l'utilisateur.
    std::pair<double, double> BornesAffichees() const;

    qint16 NbSeparations() const;
    void setNbSeparations(qint16 n);
    qint16 PasAxeX() const;
    void setPasAxeX(qint16 n);
    bool EchelleYAuto() const;
    void setEchelleYAuto(bool v);
    bool GrilleX() const;
    void setGrilleX(bool v);
    bool GrilleY() const;
    void setGrilleY(bool v);
    qint16 CouleurFond() const;
    void setCouleurFond(qint16 c);

    // Style de grille du moteur de graphique : 0 aucune, 1 horizontale, 2 verticale, 3 les deux.
    qint16 StyleGrille() const;

private:
    bool positionValide(int position) const { return position >= 1 && position <= Compter(); }

    std::unique_ptr<Classe_GraphiquesPrive> d;
};
