#include "control/PanneauChargement.h"

#include "control/CadreTitre.h"
#include "control/CtlGraphique.h"
#include "control/SaisieSuspendue.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

PanneauChargement::PanneauChargement(CadreTitre* cadre, QLabel* texte, QProgressBar* barre, CtlGraphique* ctl)
    : m_cadre(cadre)
    , m_texte(texte)
    , m_barre(barre)
    , m_ctl(ctl)
{
}

PanneauChargement::~PanneauChargement() = default;

void PanneauChargement::ouvrir(const QString& titre, int etapes)
{
    m_cadre->setTitle(titre);
    m_barre->setRange(0, etapes);
    m_barre->setValue(0);
    m_texte->setText(titre);
    m_cadre->show();
    m_cadre->raise();
    m_saisie = std::make_unique<SaisieSuspendue>(*m_ctl);
    emit m_ctl->progression(titre, 0);
}

void PanneauChargement::message(const QString& texte)
{
    m_texte->setText(texte);
    emit m_ctl->progression(texte, pourcent());
}

void PanneauChargement::avancer()
{
    m_barre->setValue(std::min(m_barre->value() + 1, m_barre->maximum()));
    emit m_ctl->progression(m_texte->text(), pourcent());
}

bool PanneauChargement::annulee()
{
    return m_ctl->annulation();
}

void PanneauChargement::servir()
{
    // Tout est servi : la jauge de l'hôte et son Annuler, Quitter ; le contrôle ignore ce qui lui est destiné.
    QCoreApplication::processEvents();
}

void PanneauChargement::fermer()
{
    m_cadre->hide();
    m_saisie.reset();
    emit m_ctl->progression(QString(), 100);
}

int PanneauChargement::pourcent() const
{
    return m_barre->maximum() > 0 ? 100 * m_barre->value() / m_barre->maximum() : 0;
}
