#include "control/HoteGraphique.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "commun/TexteAffichable.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/CtlToolBar.h"
#include "control/EnteteStations.h"
#include "control/FenetrePrincipaleHote.h"
#include "control/ListeStations.h"
#include "data/BaseDonnees.h"
#include "data/GenresStation.h"
#include "data/NomVerifie.h"
#include "data/TableMesures.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString prefixe(const QString& genre)
{
    const auto g = GenresStation::depuisNom(genre);
    return g ? g->prefixe() : QString();
}

const char* const cases[] = {"ChkAnnee",     "ChkEnveloppeMini", "ChkEnveloppeMoyenne", "ChkEnveloppeMaxi", "ChkMediane",
                             "ChkNormales",  "ChkQuintile1",     "ChkQuintile2",        "ChkQuintile3",     "ChkQuintile4",
                             "ChkJanvier",   "ChkFevrier",       "ChkMars",             "ChkAvril",         "ChkMai",
                             "ChkJuin",      "ChkJuillet",       "ChkAout",             "ChkSeptembre",     "ChkOctobre",
                             "ChkNovembre",  "ChkDecembre"};

} // namespace

HoteGraphique::HoteGraphique(QWidget* parent)
    : QWidget(parent)
    , m_controle(new CtlGraphique(this))
    , m_fenetre(new FenetrePrincipaleHote(this))
{
    setObjectName(QStringLiteral("FormulaireHote"));
    m_fenetre->setObjectName(QStringLiteral("FenetrePrincipale"));
    // Membres de la fenêtre principale que le contrôle lit par leur nom.
    m_fenetre->setProperty("typeBase", QStringLiteral("ACCESS"));
    m_fenetre->setProperty("coefficientProfondeur", -1);
    m_fenetre->setProperty("typeAffichageEchelle", 0);
    m_fenetre->setProperty("fichierAide", QString());
    // Les classeurs exportés vont dans les documents de l'utilisateur, à défaut dans son dossier personnel.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_fenetre->setProperty("CheminEdition", QFileInfo(documents).isDir() ? documents : QDir::homePath());
    m_fenetre->setProperty("formatNommageFichier", 1);
    m_fenetre->setProperty("NoVersionGraphique", QString());
    champ("txtDateDebStatistique", QString());
    champ("txtDateFinStatistique", QString());
    for (const char* nom : cases)
        caseACocher(nom);
    resize(1200, 760);
    m_controle->setGeometry(rect());
    // Ce que fait chaque bouton de la palette, dit à qui le survole.
    m_controle->PaletteOutils()->AfficheIcones(
        true, QStringLiteral("Imprimer le graphique"), true, QString(), true, QStringLiteral("Zoom arrière par pas (clic : élargir la vue)"),
        true, QStringLiteral("Zoom avant au rectangle (glisser sur le graphique)"), true,
        QStringLiteral("Poser des points de pluie (clic sur le graphique)"), true,
        QStringLiteral("Supprimer une plage de mesures (glisser au bouton droit)"), true,
        QStringLiteral("Corriger les mesures dans la grille"), true, QStringLiteral("Options du graphique"), true,
        QStringLiteral("Exporter vers le classeur"), true, QStringLiteral("Aide"));
}

HoteGraphique::~HoteGraphique() = default;

void HoteGraphique::resizeEvent(QResizeEvent* evenement)
{
    m_controle->setGeometry(rect());
    QWidget::resizeEvent(evenement);
}

QObject* HoteGraphique::champ(const char* nom, const QString& texte)
{
    QObject* c = property(nom).value<QObject*>();
    if (!c) {
        c = new QObject(this);
        c->setObjectName(QString::fromLatin1(nom));
        setProperty(nom, QVariant::fromValue(c));
    }
    c->setProperty("Text", texte);
    return c;
}

QObject* HoteGraphique::caseACocher(const char* nom)
{
    auto* c = new QObject(this);
    c->setObjectName(QString::fromLatin1(nom));
    c->setProperty("Value", 1);
    setProperty(nom, QVariant::fromValue(c));
    return c;
}

std::pair<QDate, QDate> HoteGraphique::etendue(BaseDonnees* base, const Station& s)
{
    const auto table = NomVerifie::table(prefixe(s.genre), s.code);
    TableauValeurs lignes;
    qint32 n = 0;
    // Une station inscrite sans table de mesures n'a pas encore de données.
    if (!base || !table || base->ColonnesTable(table->texte()).isEmpty() || !base->ExtraireRecords("SELECT Min(DateCreation), Max(DateCreation) FROM " + *table, lignes, n) || n < 1)
        return {};
    const auto premier = DateDepuisCellule(lignes.valeur(0, 0)), dernier = DateDepuisCellule(lignes.valeur(1, 0));
    return {premier ? premier->date() : QDate(), dernier ? dernier->date() : QDate()};
}

namespace {

QString refus(const QString& code)
{
    return MessageCodeRefuse(code) + u'.';
}

} // namespace

GenreStation::Genre HoteGraphique::genrePrincipal(TypeGraph type)
{
    return Traits(type).courbeReference ? GenreStation::Genre::Reference : GenreStation::Genre::Pluvio;
}

std::optional<GenreStation::Genre> HoteGraphique::genreDesAutres(TypeGraph type)
{
    using A = TraitsTypeGraph::Autres;
    using G = GenreStation::Genre;
    switch (Traits(type).autres) {
    case A::Pluvio: return G::Pluvio;
    case A::Piezo: return G::Piezo;
    case A::Hydro: return G::Hydro;
    case A::Aucune: break;
    }
    return std::nullopt;
}

const HoteGraphique::Station* HoteGraphique::trouver(const QList<Station>& stations, const QString& code, const QString& genre)
{
    // Un même code peut désigner un pluviomètre et sa courbe de référence : le genre demandé passe d'abord.
    const Station* autre = nullptr;
    for (const Station& s : stations)
        if (s.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0) {
            if (s.genre == genre)
                return &s;
            autre = autre ? autre : &s;
        }
    return autre;
}

namespace {

// Le refus d'une station en une ligne ; vide quand elle convient. `autreGenre` est le refus quand le genre diffère.
QString refusStation(const HoteGraphique::Station* s, const QString& code, const QString& genre, const QString& autreGenre)
{
    if (!s)
        return QStringLiteral("station inconnue : « %1 ».").arg(TexteAffichable(code));
    // Un code de la base qui ne passe pas la vérification ne peut rien charger : le dire.
    if (!EstNomVerifie(s->code))
        return refus(s->code);
    return s->genre != genre ? autreGenre : QString();
}

} // namespace

bool HoteGraphique::choisirStations(const Demande& d, const QList<Station>& stations, Choix& choix, QString& erreur)
{
    const QString genreAttendu = GenresStation::nom(genrePrincipal(d.type));
    choix.principale = trouver(stations, d.station, genreAttendu);
    const QString attendu =
        Traits(d.type).courbeReference ? QStringLiteral("une courbe de référence") : QStringLiteral("un pluviomètre");
    erreur = refusStation(choix.principale, d.station, genreAttendu,
                          QStringLiteral("la station « %1 » n'est pas %2.").arg(TexteAffichable(d.station), attendu));
    if (!erreur.isEmpty())
        return false;
    const auto autres = genreDesAutres(d.type);
    if (!autres && !d.stations.isEmpty()) {
        erreur = QStringLiteral("ce genre de graphique ne prend pas d'autres stations que --station.");
        return false;
    }
    const QString genreAutres = autres ? GenresStation::nom(*autres) : QString();
    for (const QString& code : d.stations) {
        const Station* s = trouver(stations, code, genreAutres);
        const QString texte = QStringLiteral("la station « %1 » n'est pas du genre %2 attendu ici.");
        erreur = refusStation(s, code, genreAutres, texte.arg(TexteAffichable(code), genreAutres));
        if (!erreur.isEmpty())
            return false;
        choix.autres.append(s);
    }
    if (Traits(d.type).deuxGraphiques && choix.autres.isEmpty()) {
        erreur = QStringLiteral("ce genre de graphique demande au moins une station dans --stations.");
        return false;
    }
    return true;
}

bool HoteGraphique::tracer(const Demande& d, BaseDonnees* base, QString& erreur)
{
    const auto stations = lireStations(base);
    if (!stations) {
        erreur = QStringLiteral("impossible de lire la liste des stations : %1").arg(base ? base->DerniereErreur() : QString());
        return false;
    }
    Choix choix;
    if (!choisirStations(d, *stations, choix, erreur))
        return false;
    ListeStations liste;
    for (const Station& s : *stations)
        liste.ajouter(s.code, s.nom, s.genre);
    initialiser(d, base, liste, *choix.principale);
    remplirDates(d, base, *choix.principale);
    remplirDemande(d, choix);
    m_derniere = d;
    m_base = base;
    m_correction = false;
    charger();
    return true;
}

bool HoteGraphique::corriger(const Demande& demande, BaseDonnees* base, QString& erreur)
{
    Demande d = demande;
    d.type = TypeGraph::travail;
    d.stations.clear();
    d.periodes = QStringLiteral("S");
    d.affichage = QStringLiteral("HISTO");
    d.variante.clear();
    d.cumul = false;
    if (!tracer(d, base, erreur) || !chargerMesuresBrutes(base, erreur))
        return false;
    m_derniere = demande;
    m_correction = true;
    m_controle->declencheOutil(6);
    return true;
}

// Le graphique de travail ne charge rien lui-même : sa courbe 1 est faite ici des lignes de la table.
bool HoteGraphique::chargerMesuresBrutes(BaseDonnees* base, QString& erreur)
{
    CtlGraphique& c = *m_controle;
    Classe_Graphiques& coll = c.CollCourbes();
    const auto debut = coll.debutChargement(), fin = coll.finChargement();
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), c.RecupSprEntete()->CodeStation());
    const auto lignes = debut && fin && table ? TableMesures::lire(*base, *table, *debut, *fin) : std::nullopt;
    if (!lignes) {
        erreur = QStringLiteral("les mesures à corriger ne se lisent pas : %1").arg(base->DerniereErreur());
        return false;
    }
    TableauValeurs t(6, int(lignes->size()));
    // Les bornes de l'axe des valeurs, que les chargeurs élargissent d'ordinaire : de zéro (les barres) au plus fort.
    double minimum = 0, maximum = 0;
    for (int i = 0; i < lignes->size(); ++i) {
        const LigneMesure& l = lignes->at(i);
        const double v = LireNombre(l.colonnes.value(QStringLiteral("pluie"))).value_or(0.0);
        minimum = std::min(minimum, v);
        maximum = std::max(maximum, v);
        t(0, i) = TexteDate(l.date);
        t(1, i) = TexteHeure(l.heure);
        t(2, i) = l.colonnes.value(QStringLiteral("pluie"));
        t(3, i) = l.colonnes.value(QStringLiteral("validite"));
        t(4, i) = l.colonnes.value(QStringLiteral("continuite"));
        t(5, i) = l.colonnes.value(QStringLiteral("modeobtention"));
    }
    c.CollCourbes().setMinDonnees(minimum);
    c.CollCourbes().setMaxDonnees(maximum);
    c.AjouteCourbe(QStringLiteral("Pluie"), c.RecupSprEntete()->NomStation(), 11, QVariant::fromValue(t));
    c.AffichageGraphique(false, false, TexteCode(Periode::Sans));
    return true;
}

void HoteGraphique::recharger()
{
    QString erreur;
    if (m_derniere && m_correction)
        corriger(*m_derniere, m_base, erreur);
    else
        charger();
}

// Le chargement du contrôle, puis les statistiques sans valeur qu'il tracerait à 0 masquées.
void HoteGraphique::charger()
{
    m_controle->ChargementDonnees();
    m_vides.masquer(*m_controle, this, m_base);
}

// Le contrôle placé comme l'hôte le fait : sa fenêtre principale, sa liste de stations, la station choisie.
void HoteGraphique::initialiser(const Demande& d, BaseDonnees* base, ListeStations& liste, const Station& principale)
{
    m_fenetre->setProperty("typeBase", base ? base->typeBase() : QStringLiteral("ACCESS"));
    // Les débits de rivière ne sont pas des hauteurs : lus tels quels, leur unité en titre.
    const bool riviere = Traits(d.type).riviere();
    m_fenetre->setProperty("typeAffichageEchelle", riviere ? 1 : 0);
    m_controle->InitGraphique(d.type, &liste, projet, riviere ? 1 : 0, QString(), QString(), QString(), false,
                              QString::number(d.moisHydro), QString(), base, m_fenetre, 0);
    // L'en-tête des genres que InitGraphique ne remplit pas prend lui aussi la liste de la base ouverte.
    EnteteStations* entete = m_controle->RecupSprEntete();
    entete->Initialiser(&liste, base, projet);
    entete->selectionner(principale.code, principale.genre);
}

// Les champs de dates : ceux de la demande, sinon toute la chronique de la station.
void HoteGraphique::remplirDates(const Demande& d, BaseDonnees* base, const Station& principale)
{
    CtlGraphique& c = *m_controle;
    auto [debut, fin] = etendue(base, principale);
    if (d.debut.isValid())
        debut = d.debut;
    if (d.fin.isValid())
        fin = d.fin;
    c.TxtDateDebut()->setTexte(TexteDate(debut));
    c.TxtDateFin()->setTexte(TexteDate(fin));
    if (Traits(d.type).annuel)
        c.TxtAnnee()->setTexte(QString::number(d.annee > 0 ? d.annee : fin.isValid() ? fin.year() : 0));
    if (Traits(d.type).courbeReference) {
        c.InitCourbeReference(principale.code, principale.nom, TexteDate(debut), TexteDate(fin), 0, 0);
        // La référence se trace sur les années qu'elle couvre, pas jusqu'à l'année en cours.
        if (fin.isValid())
            c.TxtDateFin()->setTexte(TexteDate(fin));
    }
}

// MonTabPluvio : les attributs en ligne (1 à 4), les stations en point (dès 1).
TableauValeurs HoteGraphique::tableauStations(const Demande& d, const Choix& choix)
{
    if (Traits(d.type).superposeStations()) {
        QList<const Station*> pluviometres{choix.principale};
        pluviometres.append(choix.autres);
        TableauValeurs tableau(5, int(pluviometres.size()) + 1);
        for (int i = 0; i < pluviometres.size(); ++i) {
            tableau(1, i + 1) = pluviometres[i]->code;
            tableau(2, i + 1) = pluviometres[i]->nom;
            tableau(3, i + 1) = QString::number(QList<int>{11, 12, 2, 13, 4, 9, 6, 1}.value(i % 8));
        }
        return tableau;
    }
    TableauValeurs tableau(5, int(choix.autres.size()) + 2);
    tableau(1, 1) = choix.principale->nom;
    for (int i = 0; i < choix.autres.size(); ++i) {
        tableau(1, i + 2) = choix.autres[i]->nom;
        tableau(2, i + 2) = choix.autres[i]->code;
        tableau(3, i + 2) = choix.autres[i]->code;
        tableau(4, i + 2) = TexteNombre(choix.autres[i]->altitude.value_or(0.0));
    }
    return tableau;
}

void HoteGraphique::remplirDemande(const Demande& d, const Choix& choix)
{
    CtlGraphique& c = *m_controle;
    const bool riviere = Traits(d.type).riviere();
    c.setMonTabPluvio(QVariant::fromValue(tableauStations(d, choix)));
    c.setMaChaineChargement(d.mesures);
    c.setMaChainePeriodes(d.periodes);
    c.setMaChaineTypeGraph(d.variante);
    c.setMaChaineTypeAffichage(d.affichage);
    c.setIsCumul(d.cumul);
    c.setTypeDonnees(riviere ? QStringLiteral("Debit") : QString());
    c.setEchelle(riviere ? QStringLiteral("m³/s") : QString());
    champ("txtDateDebStatistique", d.premiereAnneeStatistique);
    champ("txtDateFinStatistique", d.derniereAnneeStatistique);
    c.setIsStatistiquesMeteoFrance(d.normalesOfficielles);
    c.setTitreStatistiqueMeteoFrance(d.normalesOfficielles ? QStringLiteral("Écart aux normales officielles de Météo-France")
                                                           : QString());
}

QString HoteGraphique::avis() const
{
    QStringList avis{m_vides.avis(*m_controle), m_controle->anneeNonComparee()};
    avis.removeAll(QString());
    return avis.join(u' ');
}

bool HoteGraphique::aDesDonnees() const
{
    for (Classe_Graphiques* coll : {&m_controle->CollCourbes(), &m_controle->CollCourbes2()})
        for (int k = 1; k <= coll->Compter(); ++k) {
            const CourbePtr courbe = coll->GetCourbe(k);
            for (int i = 0; courbe && i < courbe->NbValeurs(); ++i)
                // Une période sans mesure vaut 0 : seule une valeur mesurée compte.
                if (!EstVide(courbe->cellule(0, i)) && LireNombre(courbe->cellule(2, i)).value_or(0.0) != 0.0)
                    return true;
        }
    return false;
}

QString HoteGraphique::echecDeChargement(const BaseDonnees& base)
{
    // Un ordre en échec n'est pas une station sans données : le dire plutôt que dessiner un graphique vide.
    const auto& e = base.PremierEchec();
    return e ? QStringLiteral("le chargement a échoué : %1 (ordre : « %2 »).").arg(e->erreur, TexteAffichable(e->ordre, 120))
             : QString();
}

QString HoteGraphique::affichageParDefaut(TypeGraph type, const QString& variante)
{
    const bool cumulAnnee = EstCumul(VarianteDepuisTexte(variante));
    const bool courbes = (Traits(type).annuel && !cumulAnnee) || Traits(type).courbeReference;
    return courbes ? QStringLiteral("COURBE") : QStringLiteral("HISTO");
}

void HoteGraphique::TraitementParametres()
{
    recharger();
}

void HoteGraphique::TraitementParametresTotal()
{
    recharger();
}
