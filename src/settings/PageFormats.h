#pragma once

#include "settings/SaisieOptions.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

// La page des formats de dates de l'axe du temps : un choix et un format
// personnalisé pour l'axe d'une année, de même pour l'axe de plusieurs années.
class PageFormats : public QWidget
{
    Q_OBJECT

public:
    explicit PageFormats(QWidget* parent = nullptr);
    void remplir(const GestionExportExcel& options);
    void lire(SaisieOptions& saisie) const;

private:
    QComboBox* m_formatAnnee;
    QLineEdit* m_persoAnnee;
    QComboBox* m_format;
    QLineEdit* m_perso;
};
