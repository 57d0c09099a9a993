#pragma once

#include "commun/TypeGraph.h"
#include "settings/SaisieOptions.h"

#include <QWidget>

class Classe_Graphiques;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

// La page des échelles : valeurs, pluie (graphiques à deux échelles), période
// affichée, chacune automatique ou fixe, et l'affichage des nappes en
// profondeur ou en cote NGF. Le choix automatique remet les valeurs retenues
// à l'ouverture ; changer une borne passe au choix fixe.
class PageEchelles : public QWidget
{
    Q_OBJECT

public:
    explicit PageEchelles(TypeGraph type, QWidget* parent = nullptr);
    void remplir(const Classe_Graphiques& courbes, const Classe_Graphiques* pluie, bool coteNgf);
    void lire(SaisieOptions& saisie) const;
    // Les deux dates de la période, telles que saisies.
    QString dateDebut() const;
    QString dateFin() const;

private:
    // Un groupe automatique / fixe, ses deux bornes et les valeurs automatiques.
    struct Groupe
    {
        QGroupBox* cadre = nullptr;
        QRadioButton* automatique = nullptr;
        QRadioButton* fixe = nullptr;
        QLineEdit* bas = nullptr;
        QLineEdit* haut = nullptr;
        QString basAuto, hautAuto;
    };
    void creerGroupe(Groupe& g, const QString& titre, const char* nom, const QStringList& libelles);
    void brancher(Groupe& g);
    static void montrer(Groupe& g, bool automatique, const QString& bas, const QString& haut);
    void remplirValeurs(Groupe& g, const Classe_Graphiques& c);

    TypeGraph m_type;
    Groupe m_valeurs, m_pluie, m_periode;
    QComboBox* m_affichage;
};
