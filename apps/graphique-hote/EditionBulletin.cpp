#include "EditionBulletin.h"

#include "data/BaseDonnees.h"
#include "output/bulletin/EcritureBulletin.h"
#include "settings/StatistiquesRetenues.h"

#include <QCoreApplication>
#include <QProgressDialog>

EditionBulletin::EditionBulletin(BaseDonnees& base, QWidget* parent)
    : m_base(base)
    , m_parent(parent)
{
}

bool EditionBulletin::executer(const Demande& demande, QString& erreur)
{
    QProgressDialog jauge(QStringLiteral("Bulletin du mois"), QStringLiteral("Annuler"), 0, 100, m_parent);
    jauge.setObjectName(QStringLiteral("JaugeBulletin"));
    jauge.setWindowTitle(QStringLiteral("Bulletin du mois"));
    jauge.setWindowModality(Qt::WindowModal);
    jauge.setMinimumDuration(300);
    // Arrivée au bout d'une étape, elle ne se ferme pas : l'étape suivante la reprend.
    jauge.setAutoReset(false);
    jauge.setAutoClose(false);
    m_jauge = &jauge;
    m_annulee = false;
    const bool fait = produire(demande, erreur);
    m_jauge = nullptr;
    if (m_annulee)
        erreur = QStringLiteral("Bulletin annulé : rien n'a été écrit.");
    return fait && !m_annulee;
}

bool EditionBulletin::produire(const Demande& d, QString& erreur)
{
    m_base.OublierEchecs();
    // Le premier mois de l'année hydrologique que l'utilisateur a retenu, sinon celui de la base.
    const int moisHydro = StatistiquesRetenues::relire().moisHydro;
    const auto bulletin = BulletinMensuel::calculer(m_base, {d.mois, d.stations, moisHydro}, avancement(0, 50), erreur);
    return bulletin && EcritureBulletin::ecrire(*bulletin, d.pdf, d.classeur, avancement(50, 100), erreur);
}

BulletinMensuel::Progression EditionBulletin::avancement(int debut, int fin)
{
    return [this, debut, fin](const QString& legende, int pourcentage) {
        m_jauge->setLabelText(legende);
        m_jauge->setValue(debut + (fin - debut) * pourcentage / 100);
        // Annuler se lit même avant que la jauge ne paraisse.
        QCoreApplication::processEvents();
        m_annulee = m_jauge->wasCanceled();
        return !m_annulee;
    };
}
