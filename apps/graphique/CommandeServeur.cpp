// graphique serveur : le portail en lecture sur la base partagée, page par page dans un navigateur.
#include "Commandes.h"
#include "LigneCommande.h"
#include "portail/EcouteurPortail.h"
#include "portail/ProcessusPortail.h"
#include "portail/RenduPortail.h"
#include "portail/ServeurPortail.h"
#include "portail/SitePortail.h"

#include "commun/TexteAffichable.h"
#include "data/BaseDonnees.h"
#include "data/bases/OuvertureBase.h"

#include <QApplication>
#include <QThread>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Options
{
    QString base, adresse = QStringLiteral("127.0.0.1");
    int port = 8080, processus = 0;
};

QString lireOptions(const QStringList& arguments, Options& o)
{
    LigneCommande l(arguments);
    QString manque;
    o.base = l.obligatoire(QStringLiteral("--base"), manque);
    const auto ecoute = l.option(QStringLiteral("--ecoute"));
    const auto processus = l.option(QStringLiteral("--processus"));
    if (QString defaut = l.defaut(manque); !defaut.isEmpty())
        return defaut;
    if (ecoute) {
        const qsizetype deuxPoints = ecoute->lastIndexOf(u':');
        bool ok = false;
        o.port = deuxPoints > 0 ? ecoute->mid(deuxPoints + 1).toInt(&ok) : 0;
        if (!ok || o.port < 0 || o.port > 65535)
            return QStringLiteral("écoute incorrecte : « %1 » (ADRESSE:PORT, 127.0.0.1:8080 par exemple).").arg(TexteAffichable(*ecoute, 60));
        o.adresse = ecoute->left(deuxPoints).remove(u'[').remove(u']');
    }
    o.processus = std::max(1, QThread::idealThreadCount());
    if (processus) {
        bool ok = false;
        o.processus = processus->toInt(&ok);
        if (!ok || o.processus < 1 || o.processus > 64)
            return QStringLiteral("nombre de processus incorrect : « %1 » (de 1 à 64).").arg(TexteAffichable(*processus, 20));
    }
    return QString();
}

// Mille connexions ouvertes ne doivent pas épuiser les descripteurs du processus.
void leverLimiteDescripteurs()
{
    rlimit limite {};
    if (getrlimit(RLIMIT_NOFILE, &limite) == 0 && limite.rlim_cur < limite.rlim_max) {
        limite.rlim_cur = std::min<rlim_t>(limite.rlim_max, 65536);
        setrlimit(RLIMIT_NOFILE, &limite);
    }
}

// Un processus du portail : son application, sa base, son contrôle, ses connexions.
int travailler(int prise, const QString& base)
{
    static int argc = 1;
    static char nom[] = "graphique";
    static char* argv[] = {nom, nullptr};
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("graphique"));
    RenduPortail rendu(base);
    QString erreur;
    bool pouvoirEnTrop = false;
    if (!rendu.ouvrir(erreur, pouvoirEnTrop))
        return echec(erreur);
    EcouteurPortail ecouteur({});
    if (!ecouteur.setSocketDescriptor(prise))
        return echec(QStringLiteral("la prise d'écoute n'a pas pu être reprise : %1.").arg(ecouteur.errorString()));
    SitePortail site(rendu);
    ServeurPortail serveur(site, rendu, ecouteur);
    serveur.bind(&ecouteur);
    return application.exec();
}

// La base s'ouvre une fois avant tout processus : une base fautive se dit en une ligne.
bool verifierBase(const QString& texte)
{
    QString erreur;
    bool pouvoirEnTrop = false;
    const auto base = ouvrirBaseEnLecture(texte, erreur, pouvoirEnTrop);
    if (!base) {
        echec(erreur);
        return false;
    }
    if (pouvoirEnTrop)
        avertir(QStringLiteral("le rôle PostgreSQL peut écrire dans la base ; le portail n'y écrit pas (ses sessions sont en lecture "
                               "seule), mais donnez-lui un rôle qui ne peut que lire (SELECT)."));
    return true;
}

} // namespace

int commandeServeur(const QStringList& arguments)
{
    Options o;
    if (const QString defaut = lireOptions(arguments, o); !defaut.isEmpty())
        return echec(defaut);
    if (!verifierBase(o.base))
        return sortieErreur;
    QString erreur;
    int port = o.port;
    const int prise = ProcessusPortail::ecouter(o.adresse, port, erreur);
    if (prise < 0)
        return echec(erreur);
    leverLimiteDescripteurs();
    const QString hote = o.adresse.contains(u':') ? u'[' + o.adresse + u']' : o.adresse;
    ecrireLigne(QStringLiteral("graphique : portail à l'écoute sur http://%1:%2/ (%3 processus).").arg(hote).arg(port).arg(o.processus));
    std::fflush(stdout);
    return ProcessusPortail::servir(prise, o.processus, [&o](int p) { return travailler(p, o.base); });
}
