#pragma once

#include "settings/SaisieOptions.h"

#include <QWidget>
#include <array>
#include <functional>
#include <utility>

class Classe_Graphiques;
class PastilleFond;
class QCheckBox;
class QLabel;
class QLineEdit;

// La page de la grille et du fond : lignes verticales et horizontales,
// divisions de l'axe des valeurs, séparateurs de l'axe du temps et les seize
// couleurs de fond.
class PageGrille : public QWidget
{
    Q_OBJECT

public:
    using Periode = std::function<std::pair<QString, QString>()>;

    // `periode` donne les deux dates saisies sur la page des échelles.
    PageGrille(Periode periode, QWidget* parent = nullptr);
    void remplir(const Classe_Graphiques& courbes);
    void lire(SaisieOptions& saisie) const;
    // Le nombre de séparateurs corrigé par la vérification (0 devient 1).
    void setNbSeparations(qint16 n);

    void choisirFond(int numero);
    // La pastille en relief, 15 quand aucune ne l'est.
    qint16 couleurFond() const;

    // Mois de la période, bornes comprises, quand elle tient dans une année ;
    // sinon ses années, bornes comprises ; "0" sans deux dates valides.
    static QString nombreSeparateurs(const QString& debut, const QString& fin);

private:
    void separateurClique();

    Periode m_periode;
    QCheckBox* m_grilleX;
    QCheckBox* m_grilleY;
    QLineEdit* m_nbSeparations;
    QCheckBox* m_separateur;
    QLabel* m_libelleSeparateurs;
    QLineEdit* m_separateursX;
    std::array<PastilleFond*, 16> m_pastilles{};
};
