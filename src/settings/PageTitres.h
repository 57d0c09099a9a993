#pragma once

#include "settings/SaisieOptions.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;

// La page des titres : titre, légende et aquifère, les axes des profondeurs et
// des cotes NGF avec leurs titres, les tailles des polices.
class PageTitres : public QWidget
{
    Q_OBJECT

public:
    explicit PageTitres(QWidget* parent = nullptr);
    void remplir(const GestionExportExcel& options);
    void lire(SaisieOptions& saisie) const;

private:
    QCheckBox* m_afficherTitre;
    QCheckBox* m_afficherLegende;
    QCheckBox* m_afficherAquifere;
    QCheckBox* m_afficherAxeProfondeur;
    QCheckBox* m_afficherTitreAxeProfondeur;
    QLineEdit* m_libelleAxeProfondeur;
    QCheckBox* m_afficherAxeNGF;
    QCheckBox* m_afficherTitreAxeNGF;
    QLineEdit* m_libelleAxeNGF;
    QLineEdit* m_tailleAxes;
    QLineEdit* m_tailleTitre;
};
