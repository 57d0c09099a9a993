// Programme en ligne de commande du composant de graphiques.
#include "Commandes.h"
#include "LigneCommande.h"

#include "commun/FichierProvisoire.h"
#include "commun/MemoireProcessus.h"
#include "commun/TexteAffichable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

const char* const aide = R"(Usage : graphique COMMANDE [OPTIONS]

Graphiques de la surveillance hydrologique et hydrogéologique : pluviomètres,
piézomètres et stations hydrométriques.

Commandes :
  exemple --base BASE [--graine N] [--remplacer]
      Fait la base d'exemple (un fichier SQLite ou une base PostgreSQL) :
      trois pluviomètres de 1981 à 2024, deux piézomètres, une station
      hydrométrique, les normales, une courbe de référence. La même graine
      donne les mêmes lignes sur les deux moteurs. Sur le serveur, une base
      qui tient déjà des données de graphiques n'est remplacée qu'avec
      --remplacer.

  copier --de BASE --vers BASE [--remplacer]
      Copie toutes les tables du système (stations, mesures, normales,
      courbes de référence, calendrier, paramètres) d'une base dans une
      autre, d'un moteur à l'autre : structure, index, lignes. La cible est
      écrite en une transaction, validée seulement quand chaque table relue
      redonne le nombre de lignes et la somme de contrôle de la source ;
      sinon elle reste telle qu'elle était. Une table de la cible qui tient
      déjà des lignes n'est remplacée qu'avec --remplacer.

  importer --base BASE --station CODE --genre pluvio|piezo|hydro --csv FICHIER
           [--colonne NOM] [--nom "Nom de la station"]
      Ajoute les mesures d'un fichier CSV à la table de la station (créée au
      besoin, comme l'entrée de la station dans la liste des stations ; une
      base neuve reçoit aussi les tables du calendrier et des normales).
      Une ligne : une date (JJ/MM/AAAA ou AAAA-MM-JJ), une heure facultative,
      une valeur ; séparateur ; , ou tabulation ; virgule ou point décimal.
      La première ligne n'est un en-tête que si aucun de ses champs n'a l'air
      d'une date ou d'un nombre. Une seule ligne fausse, et rien n'est écrit.
      Une mesure déjà dans la base à la même date et heure voit sa valeur
      remplacée ; deux lignes du fichier à la même date et heure : la dernière
      l'emporte, et le bilan le dit.

  importer --base BASE --format FORMAT --csv FICHIER[.gz] [--station C1,C2,…]
      Verse un fichier public de plusieurs stations (compressé par gzip ou
      non), tout ou rien ; chaque station est créée ou complétée.
      FORMAT : meteo-quotidien   climatologie quotidienne (NUM_POSTE,
                                 AAAAMMJJ, RR ; NOM_USUEL, ALTI, QRR lus
                                 s'ils sont là) : pluviomètres, code qualité
                                 dans Validite ;
               piezo-chroniques  chroniques de nappes (code_bss, date_mesure,
                                 profondeur_nappe, niveau_nappe_eau) :
                                 piézomètres, « / » du code changé en « _ » ;
               hydro-elab        hydrométrie élaborée (code_station,
                                 date_obs_elab, resultat_obs_elab en l/s,
                                 grandeur_hydro_elab QmJ ou QmM) : débits en
                                 m³/s dans Debit, moyennes mensuelles dans
                                 DebitMensuel.
      --station             seulement ces stations (les autres sont passées).
      Une valeur vide est passée, jamais comptée 0.

  corrections --base BASE --station CODE [--depuis JJ/MM/AAAA] [--annuler]
      Les corrections des mesures de la station, une ligne par mesure
      changée, de la plus récente à la plus ancienne : quand, qui, le lot
      et d'où il vient (grille des points, points posés, suppression d'une
      plage, import d'un fichier, annulation), la mesure, sa valeur et son
      mode d'obtention avant → après.
      --depuis              seulement les corrections faites depuis ce jour.
      --annuler             défait la dernière correction encore en place :
                            chaque mesure reprend sa valeur d'avant, dans une
                            transaction, et l'annulation est elle-même gardée.
                            Refusée sans rien changer si une de ces mesures a
                            changé depuis. Relancée, elle défait la précédente.

  stations --base BASE
      Liste les stations, une par ligne, séparées par des tabulations :
      genre, code, nom, première et dernière date des données.

  tracer --base BASE --type GENRE --station CODE --sortie FICHIER.png|svg|pdf
         [options]
      Dessine un graphique comme le ferait l'application hôte.
      GENRE : edition, Annee, annuaire, travail, Superposition, PluvioPiezo,
              reference, comparaisonNormale, PluvioStation (casse indifférente).
      --station CODE        le pluviomètre (le code de la courbe pour reference)
      --stations C1,C2,…    les autres stations : pluviomètres (Superposition),
                            piézomètres (PluvioPiezo), station (PluvioStation)
      --mesures 1..6        1 Pluie, 2 Pluie efficace, 3 Etp, 4 à 6 Valeur 1 à 3
      --periodes LETTRE     M mois, D décade, T trimestre, A année,
                            H année hydrologique, S sans regroupement
      --affichage COURBE|HISTO
      --variante CUMUL_ANNUEL|CUMUL_MENSUEL|EDITION   (graphique annuel)
      --debut JJ/MM/AAAA --fin JJ/MM/AAAA   (par défaut toute la chronique)
      --annee AAAA          (graphique annuel ; par défaut la dernière année)
      --cumul               cumul des valeurs
      --largeur L --hauteur H   taille en pixels (1200 × 700 par défaut)
      --journal FICHIER     écrit chaque ordre envoyé à la base et chaque
                            écriture au moteur de graphiques, dans l'ordre
      Le graphique et le journal ne prennent leur place qu'une fois tout
      réussi ; seuls des fichiers ordinaires sont écrits (un lien symbolique
      est remplacé lui-même). Un ordre en échec arrête le tracé.

  exporter --base BASE --type GENRE --station CODE --sortie FICHIER.xlsx
         [options de tracer]
      Écrit le classeur du même graphique : les courbes dans « Feuil1 »
      (les piézomètres dans « Feuil2 »), et une feuille graphique « Graph1 »
      avec un graphique natif, modifiable dans le tableur (séries, axes,
      titre, légende, options d'affichage de l'utilisateur).

  annuaire --base BASE --type GENRE --station CODE --sortie FICHIER.xlsx
         [--annuel] [options de tracer]
      Écrit la page graphique d'annuaire des courbes chargées : la courbe
      annuelle (--annuel) ou la chronique (courbes collées en AF1).
      Le classeur n'est écrit qu'une fois tout réussi.

  options [--projet NOM]
      Options d'affichage d'un nouveau graphique (paramètres de l'utilisateur).
  litteraux --date JJ/MM/AAAA [--heure hh:nn:ss]
      Littéraux de date et d'heure de chaque type de base.
  version
      Version du composant.

BASE : un fichier SQLite, ou une connexion PostgreSQL
       (« postgresql://… » ou « host=… dbname=… »). Un fichier qui existe
       reste un fichier. Sur le serveur : 10 s pour se connecter, 30 s
       d'attente d'une table verrouillée, 10 min par ordre, sauf réglage
       contraire dans la connexion (connect_timeout, options='-c …').
       Sur SQLite, une base occupée par un autre programme est attendue 30 s.

Options générales :
  -h, --aide   Affiche cette aide.

Code de sortie : 0 si tout va bien, 2 si la demande est incorrecte.
)";

// Les avertissements des bibliothèques (« libpng error: Write Error »…) ne
// s'ajoutent pas à la ligne en français qui dit l'échec ; les traces du
// système (catégories « graphique. ») passent quand on les demande.
void messagesQt(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    const bool systeme = contexte.category && std::strncmp(contexte.category, "graphique.", 10) == 0;
    if (!systeme && qEnvironmentVariableIsEmpty("GRAPHIQUE_MESSAGES_QT") && type != QtFatalMsg)
        return;
    std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

int main(int argc, char** argv)
{
    MemoireProcessus::garderLesGrandsBlocs();
    qInstallMessageHandler(messagesQt);
    FichierProvisoire::effacerAuxSignaux();
    // Aucune commande n'ouvre de fenêtre : les graphiques se dessinent hors
    // écran, même quand l'environnement demande un écran qui n'est pas là.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dossier = QDir::tempPath().toLocal8Bit() + "/runtime-graphique-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dossier));
        QFile::setPermissions(QString::fromLocal8Bit(dossier), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dossier);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("graphique"));
    QStringList arguments = QApplication::arguments().mid(1);

    if (arguments.isEmpty())
        return echec(QStringLiteral("aucune commande. « graphique --aide » les présente."));
    const QString commande = arguments.takeFirst();
    if (commande == QStringLiteral("-h") || commande == QStringLiteral("--aide")) {
        std::fputs(aide, stdout);
        return sortieOk;
    }
    if (commande == QStringLiteral("version")) {
        ecrireLigne(QStringLiteral(GRAPHIQUE_VERSION));
        return sortieOk;
    }
    const std::pair<const char*, int (*)(const QStringList&)> commandes[] = {
        {"exemple", commandeExemple}, {"copier", commandeCopier}, {"importer", commandeImporter}, {"stations", commandeStations},
        {"tracer", commandeTracer},   {"options", commandeOptions},   {"litteraux", commandeLitteraux},
        {"exporter", commandeExporter}, {"annuaire", commandeAnnuaire}, {"corrections", commandeCorrections},
    };
    for (const auto& [nom, fonction] : commandes)
        if (commande == QString::fromLatin1(nom))
            return fonction(arguments);
    return echec(QStringLiteral("commande inconnue : « %1 ». « graphique --aide » les présente.").arg(TexteAffichable(commande)));
}
