#include "RenduPortail.h"

#include "commun/messages/MessagesEnregistres.h"
#include "data/BaseDonnees.h"
#include "data/bases/OuvertureBase.h"

#include <QBuffer>
#include <QFile>

RenduPortail::RenduPortail(QString texteBase)
    : m_texteBase(std::move(texteBase))
{
}

RenduPortail::~RenduPortail() = default;

bool RenduPortail::ouvrir(QString& erreur, bool& pouvoirEnTrop)
{
    auto base = ouvrirBaseEnLecture(m_texteBase, erreur, pouvoirEnTrop);
    if (!base)
        return false;
    m_base = std::move(base);
    m_version = m_base->versionDonnees();
    m_chargee.clear();
    if (!m_hote) {
        m_hote = std::make_unique<HoteGraphique>();
        m_hote->resize(taille.width(), taille.height() + 110);
        m_hote->controle().setOuvrirApresExport(false);
        m_hote->show();
    }
    return true;
}

QString RenduPortail::version()
{
    QString lue = m_base->versionDonnees();
    // Une base SQLite remplacée (copie, exemple refait) ne se lit que rouverte ; un serveur
    // qui ne répondait plus est rappelé, au plus une fois toutes les deux secondes.
    const bool fichier = m_base->typeBase() == QStringLiteral("ACCESS");
    if ((fichier && lue != m_version) || (lue.isEmpty() && (!m_rappel.isValid() || m_rappel.elapsed() > 2000))) {
        m_rappel.start();
        QString erreur;
        bool pouvoir = false;
        if (ouvrir(erreur, pouvoir))
            lue = m_base->versionDonnees();
    }
    if (lue != m_version) {
        m_version = lue;
        m_chargee.clear();
    }
    return lue;
}

bool RenduPortail::charger(const HoteGraphique::Demande& demande, const QString& cle, QString& erreur)
{
    const QString marque = cle + u'@' + m_version;
    if (marque == m_chargee)
        return true;
    m_chargee.clear();
    // Aucun message ne s'ouvre en fenêtre : ils sont gardés pour la page.
    MessagesEnregistres messages;
    m_base->OublierEchecs();
    if (!m_hote->tracer(demande, m_base.get(), erreur))
        return false;
    erreur = HoteGraphique::echecDeChargement(*m_base);
    if (!erreur.isEmpty())
        return false;
    m_messages = messages.textes();
    if (const QString avis = m_hote->avis(); !avis.isEmpty())
        m_messages << avis;
    m_chargee = marque;
    return true;
}

QByteArray RenduPortail::image(const QString& format)
{
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!m_hote->controle().EcrireImage(tampon, format, taille))
        return QByteArray();
    return octets;
}

bool RenduPortail::classeur(QByteArray& octets, QString& erreur)
{
    // Le classeur s'écrit dans le dossier privé du processus, relu puis effacé.
    if (!m_dossier.isValid()) {
        erreur = QStringLiteral("dossier temporaire indisponible : %1.").arg(m_dossier.errorString());
        return false;
    }
    MessagesEnregistres messages;
    const QString chemin = m_hote->controle().ExporterClasseur(m_dossier.filePath(QStringLiteral("graphique.xlsx")));
    QFile fichier(chemin);
    if (chemin.isEmpty() || !fichier.open(QIODevice::ReadOnly)) {
        erreur = messages.textes().isEmpty() ? QStringLiteral("rien à exporter pour ce graphique.") : messages.textes().constLast();
        return false;
    }
    octets = fichier.readAll();
    fichier.remove();
    return !octets.isEmpty();
}
