#pragma once

#include <QProgressDialog>

class CtlGraphique;

// La jauge d'un chargement : les messages et l'avancement que le contrôle
// annonce, et un bouton Annuler qui arrête le chargement à sa prochaine étape.
// Non modale : la fenêtre se bloque elle-même pendant le chargement, sauf pour
// se fermer ou quitter, ce qu'une jauge modale empêcherait.
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
