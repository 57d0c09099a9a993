#pragma once

#include <QProgressDialog>

class CtlGraphique;

// La jauge d'un chargement : les messages et l'avancement que le contrôle
// annonce, et un bouton Annuler qui arrête le chargement à sa prochaine étape.
// Modale : pendant le chargement, elle seule reçoit la souris.
class JaugeChargement : public QProgressDialog
{
    Q_OBJECT

public:
    JaugeChargement(CtlGraphique& controle, QWidget* parent = nullptr);
    bool annulee() const { return m_annulee; }

private:
    CtlGraphique& m_controle;
    bool m_annulee = false;
};
