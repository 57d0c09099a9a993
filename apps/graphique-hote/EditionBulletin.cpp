#include "EditionBulletin.h"

#include "commun/TexteAffichable.h"
#include "data/BaseDonnees.h"
#include "output/bulletin/ClasseurBulletin.h"
#include "output/bulletin/PdfBulletin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QSaveFile>

namespace {

QString impossible(const QString& chemin)
{
    return QStringLiteral("Impossible d'écrire « %1 » : le dossier est-il accessible, le disque plein ?")
        .arg(TexteAffichable(QDir::toNativeSeparators(chemin)));
}

} // namespace

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

// Le PDF s'écrit à côté de sa place et n'y arrive qu'une fois le classeur écrit.
bool EditionBulletin::produire(const Demande& d, QString& erreur)
{
    m_base.OublierEchecs();
    const auto bulletin = BulletinMensuel::calculer(m_base, {d.mois, d.stations, 0}, avancement(0, 50), erreur);
    if (!bulletin)
        return false;
    QSaveFile pdf(d.pdf);
    if (!pdf.open(QIODevice::WriteOnly) || !PdfBulletin::ecrire(*bulletin, pdf, avancement(50, 95))) {
        erreur = impossible(d.pdf);
        return false;
    }
    if (!d.classeur.isEmpty()) {
        m_jauge->setLabelText(QStringLiteral("Classeur de synthèse"));
        if (!ClasseurBulletin::construire(*bulletin).enregistrer(d.classeur, erreur))
            return false;
    }
    if (!pdf.commit()) {
        if (!d.classeur.isEmpty())
            QFile::remove(d.classeur);
        erreur = impossible(d.pdf);
        return false;
    }
    return true;
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
