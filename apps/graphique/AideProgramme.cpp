#include "AideProgramme.h"

#include "commun/TypeGraph.h"

#include <QList>
#include <QStringList>
#include <string_view>

namespace {

const char* const entete = R"(Usage : graphique COMMANDE [OPTIONS]

Graphiques de la surveillance hydrologique et hydrogéologique : pluviomètres,
piézomètres et stations hydrométriques.

Commandes :
)";

constexpr const char* genres = R"(      GENRE : edition, Annee, annuaire, travail, Superposition, PluvioPiezo,
              reference, comparaisonNormale, PluvioStation (casse indifférente).
)";

// L'aide nomme tous les genres que la ligne de commande connaît.
constexpr bool nommeTousLesGenres()
{
    for (const char* nom : NomsTypeGraph)
        if (std::string_view(genres).find(nom) == std::string_view::npos)
            return false;
    return true;
}
static_assert(nommeTousLesGenres(), "un genre de graphique manque à l'aide");

const char* const optionsGraphique = R"(      --station CODE        le pluviomètre (le code de la courbe pour reference)
      --stations C1,C2,…    les autres stations : pluviomètres (Superposition),
                            piézomètres (PluvioPiezo), station (PluvioStation)
      --genre pluvio|reference  le genre de --station, celui que le graphique trace
                            (vérifié : un code peut désigner plusieurs stations)
      --mesures 1..6        1 Pluie, 2 Pluie efficace, 3 Etp, 4 à 6 Valeur 1 à 3
      --periodes LETTRE     M mois, D décade, T trimestre, A année,
                            H année hydrologique, S sans regroupement
                            (graphique annuel : M ou H, sauf ses cumuls)
      --affichage COURBE|HISTO
      --variante CUMUL_ANNUEL|CUMUL_MENSUEL|EDITION   (graphique annuel)
      --debut JJ/MM/AAAA --fin JJ/MM/AAAA   (par défaut toute la chronique)
      --annee AAAA          (graphique annuel ; par défaut la dernière année)
      --cumul               cumul des valeurs
      --annees-statistiques AAAA-AAAA   années des statistiques du graphique
                            annuel et de la médiane de la comparaison à la
                            normale ; auto : de la première année mesurée à
                            l'avant-dernière
      --mois-hydro MOIS     premier mois de l'année hydrologique, de 1 à 12 ou
                            son nom (octobre par défaut)
      --normales officielles|mediane   comparaison à la normale faite aux
                            normales officielles (PLUVIOMETRE_NORMALES) ou à la
                            médiane des mesures de la station (par défaut)
                            Chacune de ces trois options, absente, laisse
                            valoir le choix retenu dans l'application de bureau.
      --largeur L --hauteur H   taille en pixels (1200 × 700 par défaut)
      --journal FICHIER     écrit chaque ordre envoyé à la base et chaque
                            écriture au moteur de graphiques, dans l'ordre
)";

const char* const base = R"(BASE : un fichier SQLite, ou une connexion PostgreSQL
       (« postgresql://… » ou « host=… dbname=… »). Un fichier qui existe
       reste un fichier. Sur le serveur : 10 s pour se connecter, 30 s
       d'attente d'une table verrouillée, 10 min par ordre, sauf réglage
       contraire dans la connexion (connect_timeout, options='-c …').
       Sur SQLite, une base occupée par un autre programme est attendue 30 s.
)";

const char* const aideEtCode = R"(Options générales :
  -h, --aide   Affiche cette aide ; après une commande (« graphique tracer
               --aide »), l'aide de cette commande seule.

Une option donnée l'est avec une valeur, jamais vide.
Code de sortie : 0 si tout va bien, 2 si la demande est incorrecte.
)";

enum Complement { Rien, AvecBase, AvecOptionsDeTracer };

// L'aide d'une commande, et ce qui la suit quand elle est demandée seule. Une commande
// de plus est une ligne de plus ; « {options de tracer} » tient la place des genres et
// des options de graphique.
struct Section
{
    const char* nom;
    const char* texte;
    Complement complement;
};

const Section sections[] = {
    {"exemple", R"(  exemple --base BASE [--graine N] [--remplacer]
      Fait la base d'exemple (un fichier SQLite ou une base PostgreSQL) :
      trois pluviomètres de 1981 à 2024, deux piézomètres, une station
      hydrométrique, les normales, une courbe de référence. La même graine
      donne les mêmes lignes sur les deux moteurs. Sur le serveur, une base
      qui tient déjà des données de graphiques n'est remplacée qu'avec
      --remplacer ; de même un fichier qui existe, et seulement s'il est
      ordinaire.
)", AvecBase},
    {"copier", R"(  copier --de BASE --vers BASE [--remplacer]
      Copie toutes les tables du système (stations, mesures, normales,
      courbes de référence, calendrier, paramètres) d'une base dans une
      autre, d'un moteur à l'autre : structure, index, lignes. La cible est
      écrite en une transaction, validée seulement quand chaque table relue
      redonne le nombre de lignes et la somme de contrôle de la source ;
      sinon elle reste telle qu'elle était. Une table de la cible qui tient
      déjà des lignes n'est remplacée qu'avec --remplacer.
)", AvecBase},
    {"importer", R"(  importer --base BASE --station CODE --genre pluvio|piezo|hydro --csv FICHIER
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
                                 DebitMensuel au premier jour du mois.
      --station             seulement ces stations (les autres sont passées).
      Une valeur vide est passée, jamais comptée 0. Une colonne lue qui
      figure deux fois dans l'en-tête fait refuser le fichier. Les noms des
      stations sont lus en UTF-8, ou en Windows-1252 (Latin-1) quand le
      fichier n'est pas en UTF-8.
)", AvecBase},
    {"corrections", R"(  corrections --base BASE --station CODE [--genre GENRE] [--depuis JJ/MM/AAAA] [--annuler]
      Les corrections des mesures de la station, une ligne par mesure
      changée, de la plus récente à la plus ancienne : quand, qui, le lot
      et d'où il vient (grille des points, points posés, suppression d'une
      plage, import d'un fichier, annulation), la mesure, sa valeur et son
      mode d'obtention avant → après.
      --genre GENRE         pluvio, piezo ou hydro : la station de ce genre, quand
                            le code en désigne plusieurs (sinon refusé).
      --depuis              seulement les corrections faites depuis ce jour.
      --annuler             défait la dernière correction encore en place :
                            chaque mesure reprend sa valeur d'avant, dans une
                            transaction, et l'annulation est elle-même gardée.
                            Refusée sans rien changer si une de ces mesures a
                            changé depuis. Relancée, elle défait la précédente.
)", AvecBase},
    {"stations", R"(  stations --base BASE
      Liste les stations, une par ligne, séparées par des tabulations :
      genre, code, nom, première et dernière date des données.
)", AvecBase},
    {"tracer", R"(  tracer --base BASE --type GENRE --station CODE --sortie FICHIER.png|svg|pdf
         [options]
      Dessine un graphique comme le ferait l'application hôte.
{options de tracer}
      Le graphique et le journal ne prennent leur place qu'une fois tout
      réussi ; seuls des fichiers ordinaires sont écrits (un lien symbolique
      est remplacé lui-même). Un ordre en échec arrête le tracé.
)", AvecBase},
    {"exporter", R"(  exporter --base BASE --type GENRE --station CODE --sortie FICHIER.xlsx
         [options de tracer]
      Écrit le classeur du même graphique : les courbes dans « Feuil1 »
      (les piézomètres dans « Feuil2 »), et une feuille graphique « Graph1 »
      avec un graphique natif, modifiable dans le tableur (séries, axes,
      titre, légende, options d'affichage de l'utilisateur).
)", AvecOptionsDeTracer},
    {"annuaire", R"(  annuaire --base BASE --station CODE --sortie FICHIER.xlsx [--type GENRE]
         [--annuel] [options de tracer]
      Écrit la page graphique d'annuaire des courbes chargées : la courbe
      annuelle (--annuel) ou la chronique (courbes collées en AF1).
      --type GENRE          le graphique dont les courbes font la page :
                            annuaire par défaut ; tout autre genre de tracer
                            donne la page de ses propres courbes (travail,
                            qui n'a que des points saisis, n'en donne pas).
      Le classeur n'est écrit qu'une fois tout réussi.
)", AvecOptionsDeTracer},
    {"bulletin", R"(  bulletin --base BASE --mois MM/AAAA --sortie FICHIER.pdf [--classeur FICHIER.xlsx]
         [--stations C1,C2,… [--genre GENRE]] [--mois-hydro MOIS]
      Le bulletin de situation hydrologique du mois : chaque station replacée
      parmi le même mois de toutes les années complètes de son relevé (rang,
      classe par quintiles, normale, cumul de l'année hydrologique, tendance).
      PDF A4 : la synthèse colorée par classe, puis une page par station.
      --classeur            la feuille « Synthèse » et le graphique natif du
                            rapport à la normale des pluviomètres
      --stations C1,C2,…    ces stations seules (par défaut, toutes celles qui
                            ont une mesure ce mois-là, une ligne par genre
                            quand un code en désigne plusieurs)
      --genre GENRE         pluvio, piezo ou hydro : le genre des stations de
                            --stations, quand un code en désigne plusieurs
      --mois-hydro MOIS     premier mois de l'année hydrologique, de 1 à 12 ou
                            son nom ; par défaut celui retenu dans l'application
                            de bureau, sinon celui du calendrier de la base
      Un mois à venir, une station inconnue ou un mois sans aucune mesure
      n'écrivent rien. Les fichiers ne sont écrits qu'une fois tout réussi.
)", AvecBase},
    {"serveur", R"(  serveur --base BASE [--ecoute ADRESSE:PORT] [--processus N]
      Le portail en lecture : les stations, leurs graphiques et les bulletins
      dans un navigateur, sur http://ADRESSE:PORT/ (127.0.0.1:8080 par
      défaut ; le port 0 en prend un libre, que la première ligne écrite
      donne). La base est ouverte en lecture seule : le portail n'y écrit
      jamais et n'y envoie aucun ordre venu d'une demande.
      Adresses : /  les stations par genre, avec un filtre ;
                 /station/CODE?type=…&debut=JJ/MM/AAAA&…  un graphique,
                     ses paramètres nommés comme les options de tracer
                     (sans « -- »), le même graphique que tracer ; et ses
                     téléchargements PNG, SVG, PDF, classeur et CSV ;
                 /bulletin, /bulletin/AAAA-MM  les bulletins mensuels ;
                 /sante  « ok » tant que la base répond (pour un répartiteur).
      --processus N         processus qui dessinent chacun un graphique à la
                            fois (par défaut, un par cœur ; de 1 à 64) ; un
                            processus arrêté est remplacé.
      Limites : 16 Kio par demande, 10 s pour l'envoyer, 4 000 connexions par
      processus ; un processus en retard de plus de 5 s répond « occupé »
      (503). TLS, contrôle d'accès et répartition : nginx devant (exemple
      dans /usr/share/graphique/nginx/graphique-portail.conf). SIGTERM ou
      Ctrl+C arrête tous les processus.
)", AvecBase},
    {"options", R"(  options [--projet NOM]
      Options d'affichage d'un nouveau graphique et choix des statistiques
      (paramètres de l'utilisateur), du projet KOR par défaut. Le nom du
      projet fait le nom du fichier des réglages : ni « / », ni « \ », ni
      « .. », ni caractère de commande, 64 caractères au plus.
)", Rien},
    {"litteraux", R"(  litteraux --date JJ/MM/AAAA [--heure hh:nn:ss]
      Littéraux de date et d'heure de chaque type de base.
)", Rien},
    {"version", R"(  version
      Version du composant.
)", Rien},
};

QString u8(const char* texte)
{
    return QString::fromUtf8(texte);
}

QString optionsDeTracer()
{
    return u8(genres) + u8(optionsGraphique);
}

QString texte(const Section& s)
{
    return u8(s.texte).replace(QStringLiteral("{options de tracer}\n"), optionsDeTracer());
}

QString complement(Complement c)
{
    if (c == AvecBase)
        return u'\n' + u8(base);
    if (c == AvecOptionsDeTracer)
        return QStringLiteral("\n  Options de tracer :\n") + optionsDeTracer() + u'\n' + u8(base);
    return QString();
}

} // namespace

QString AideProgramme::page()
{
    QStringList parts;
    for (const Section& s : sections)
        parts << texte(s);
    return u8(entete) + parts.join(u'\n') + u'\n' + u8(base) + u'\n' + u8(aideEtCode);
}

std::optional<QString> AideProgramme::commande(const QString& nom)
{
    for (const Section& s : sections)
        if (nom == QLatin1String(s.nom))
            return QStringLiteral("Usage :\n") + texte(s) + complement(s.complement) + u'\n' + u8(aideEtCode);
    return std::nullopt;
}
