#include "control/SequenceChargement.h"

#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/ValeursProcessus.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/EchelleReference.h"
#include "control/EditionPoints.h"
#include "control/SourisEtZoom.h"
#include "control/EnteteStations.h"
#include "control/JaugeProgression.h"
#include "control/PanneauChargement.h"
#include "control/VueGraphique.h"
#include "data/BaseDonnees.h"
#include "data/ChargeurNappes.h"
#include "data/ChargeurStatistiques.h"
#include "model/Classe_Graphiques.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/Messages.h"

#include <QApplication>

const std::array<SequenceChargement::Mesure, 6>& SequenceChargement::mesures()
{
    static const std::array<Mesure, 6> table = {{
        {u'1', "Pluie", "Pluie", 11},     {u'2', "Pluie Efficace", "PluieEfficace", 9}, {u'3', "Etp", "Etp", 10},
        {u'4', "Valeur 1", "Valeur1", 4}, {u'5', "Valeur 2", "Valeur2", 5},             {u'6', "Valeur 3", "Valeur3", 6},
    }};
    return table;
}

const SequenceChargement::Mesure* SequenceChargement::mesure(const QString& code)
{
    for (const Mesure& m : mesures())
        if (code == QString(m.code))
            return &m;
    return nullptr;
}

SequenceChargement::SequenceChargement(CtlGraphique& controle)
    : m_ctl(controle)
    , m_courbes(controle.CollCourbes())
    , m_courbes2(controle.CollCourbes2())
    , m_graphique(controle.Graphique())
    , m_superpose(controle.GraphiqueSuperposePluvio())
{
}

void SequenceChargement::executer()
{
    viderEtPreparer();
    figerDemande();
    if (!demandeValide()) {
        AfficherMessage(QStringLiteral("aide"), QStringLiteral("Sélectionner un site et renseigner les dates de chargement. La date de "
                                                               "début doit être inférieure à la date de fin."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_enCours = true;
    choisirPeriodeEtDates();
    choisirTypeDeTrace();
    if (deuxGraphiques())
        preparerGraphiquePluie();

    const std::unique_ptr<PanneauChargement> cadre = m_ctl.panneauChargement();
    PanneauChargement& panneau = *cadre;
    m_panneau = &panneau;
    panneau.ouvrir(deuxGraphiques() ? QStringLiteral("Chargement des données pluviomètre") : QStringLiteral("Chargement des données"), 20);
    // La courbe et ses statistiques d'un même instant de la base, même si un import valide entre-temps.
    if (m_base)
        m_base->LectureCoherente([&] { chargerSeries(); });
    else
        chargerSeries();
    afficher();
    // Un chargement arrêté laisse un graphique vide qui le dit, jamais un graphique partiel.
    if (m_ctl.annulation())
        m_ctl.montrerCadreVide(QStringLiteral("Chargement annulé."));
    else
        m_ctl.appliquerAffichageRetenu();
    panneau.fermer();
    m_panneau = nullptr;
    m_enCours = false;
    QApplication::restoreOverrideCursor();
}

void SequenceChargement::viderEtPreparer()
{
    // Un nouveau chargement montre sa période entière, pas la fenêtre d'un zoom sur le précédent.
    m_ctl.souris().oublierZoom();
    for (Classe_Graphiques* coll : {&m_courbes, &m_courbes2}) {
        coll->ViderCollection();
        coll->setMinDonnees(9999);
        coll->setMaxDonnees(-9999);
    }
    m_ctl.setAnnulation(false);
    // La date de dernière validation vient de l'hôte, relue à chaque chargement.
    const QVariant validation = LireMembre(m_ctl.getExtender(), QStringLiteral("DateDerniereValidation"));
    m_ctl.edition().setDerniereValidation(LireDate(validation.toString().trimmed()));
    m_ctl.vueGraphiqueSuperposePluvio()->setVisible(deuxGraphiques());
    m_ctl.vueGraphique()->show();
    for (int n : {94, 88, 21})
        m_graphique.ecrire(n, 0);
    for (int n : {88, 21})
        m_superpose.ecrire(n, 0);
}

void SequenceChargement::figerDemande()
{
    m_chargement = m_ctl.MaChaineChargement();
    m_periodes = m_ctl.MaChainePeriodes();
    m_variante = VarianteDepuisTexte(m_ctl.MaChaineTypeGraph());
    m_courbe = m_ctl.enCourbes();
    m_tableau = TableauDans(m_ctl.MonTabPluvio()) ? *TableauDans(m_ctl.MonTabPluvio()) : TableauValeurs();
    m_cumul = m_ctl.isCumul();
    m_codePluvio = m_ctl.RecupSprEntete()->CodeStation();
    m_nomPluvio = m_ctl.RecupSprEntete()->NomStation();
    m_formulaire = m_ctl.getExtender();
    m_base = CtlGraphique::baseDonnees();
    m_moisHydro = Periodes::moisHydro(ValeursProcessus::courantes().moisAnneeHydro);
}

bool SequenceChargement::demandeValide()
{
    const auto datesDansLOrdre = [&] {
        const auto d1 = m_ctl.TxtDateDebut()->date(), d2 = m_ctl.TxtDateFin()->date();
        return d1 && d2 && *d1 <= *d2;
    };
    switch (Traits(m_ctl.TypeGraphique()).demande) {
    case TraitsTypeGraph::Demande::Annee: {
        // L'année entière du champ année.
        const auto annee = m_ctl.TxtAnnee()->date();
        if (!annee)
            return false;
        m_ctl.TxtDateDebut()->setDate(*annee);
        m_ctl.TxtDateFin()->setDate(QDate(annee->year(), 12, 31));
        return !m_codePluvio.isEmpty();
    }
    case TraitsTypeGraph::Demande::Reference:
        return !m_ctl.CodeCourbeReference().isEmpty() && datesDansLOrdre();
    case TraitsTypeGraph::Demande::Station:
        return !m_codePluvio.isEmpty() && datesDansLOrdre();
    case TraitsTypeGraph::Demande::Tableau:
        break;
    }
    return m_tableau.borneSup(1) >= 2 && datesDansLOrdre();
}

void SequenceChargement::choisirPeriodeEtDates()
{
    const QString& moisHydro = ValeursProcessus::courantes().moisAnneeHydro;
    m_choix = Periodes::choisir(m_periodes, m_ctl.TypeGraphique(), m_ctl.calculauto());
    m_courbes.setPeriode(m_choix.codePeriode);
    if (!m_choix.uniteGardee)
        m_courbes.setUniteAxe(m_choix.uniteAxeX);
    const auto plage = Periodes::normaliser(m_choix.codePeriode, m_ctl.TypeGraphique(), m_ctl.TxtDateDebut()->date().value_or(QDate()),
                                            m_ctl.TxtDateFin()->date().value_or(QDate()), m_ctl.TxtAnnee()->texte(), moisHydro);
    if (plage) {
        if (plage->message)
            AfficherMessage(QString(), Periodes::messageAnneeHydro(moisHydro));
        if (plage->champsModifies) {
            m_ctl.TxtDateDebut()->setDate(plage->debut);
            m_ctl.TxtDateFin()->setDate(plage->fin);
        }
        m_courbes.setChargement(plage->debut, plage->fin);
        if (plage->uniteAxeX)
            m_courbes.setUniteAxe(*plage->uniteAxeX);
        if (plage->pasAxeX)
            m_courbes.setPasAxeX(qint16(*plage->pasAxeX));
    }
    // La période affichée suit chaque chargement, sauf celle que l'utilisateur a fixée dans les options.
    if (m_courbes.EchelleXAuto() || !m_courbes.debutAffichage() || !m_courbes.PeriodeAffichageFixee())
        m_courbes.afficherToutLeChargement();
}

// Courbes ou barres, et les genres à deux graphiques que la variante demande.
void SequenceChargement::choisirTypeDeTrace()
{
    if (m_courbe) {
        m_graphique.ecrire(Prop::TypeGraphe, 6);
    } else {
        m_graphique.ecrire(Prop::TypeGraphe, 3);
        m_graphique.ecrire(Prop::EmpilementBarres, 0);
        m_graphique.ecrire(Prop::ContourBarres, 0);
    }
    if (m_variante == Variante::SuperpositionStation || m_variante == Variante::Superposition) {
        m_ctl.setTypeGraphique(m_variante == Variante::SuperpositionStation ? TypeGraph::PluvioStation : TypeGraph::PluvioPiezo);
        m_superpose.ecrire(Prop::TypeGraphe, 3);
        m_superpose.ecrire(Prop::EmpilementBarres, 0);
        m_superpose.ecrire(Prop::ContourBarres, 0);
    }
}

// La pluie dessinée sur la nappe prend la période et les dates du graphique principal.
void SequenceChargement::preparerGraphiquePluie()
{
    m_courbes2.setPeriode(m_courbes.periode());
    m_courbes2.setUniteAxe(m_courbes.uniteAxe());
    m_courbes2.setEchelleXAuto(m_courbes.EchelleXAuto());
    m_courbes2.setEchelleYAuto(m_courbes.EchelleYAuto());
    m_courbes2.reprendrePeriodes(m_courbes);
    m_courbes2.setPasAxeX(m_courbes.PasAxeX());
    m_courbes2.setGrilleX(false);
    m_courbes2.setGrilleY(false);
    m_ctl.vueGraphiqueSuperposePluvio()->show();
}

bool SequenceChargement::deuxGraphiques() const
{
    return Traits(m_ctl.TypeGraphique()).deuxGraphiques;
}

bool SequenceChargement::suite()
{
    m_panneau->servir();
    m_panneau->avancer();
    return !m_ctl.annulation();
}

void SequenceChargement::chargerSeries()
{
    m_demande = ChargeurPluie::Demande();
    // Les dates de la collection, textes de l'hôte, lues une seule fois.
    m_demande.debut = m_courbes.debutChargement().value_or(QDate());
    m_demande.fin = m_courbes.finChargement().value_or(QDate());
    m_demande.code = m_codePluvio;
    m_demande.nomStation = m_nomPluvio;
    m_demande.codePeriode = m_courbes.periode();
    m_demande.colonnePeriode = m_choix.colonne;
    m_demande.cumul = m_cumul;
    m_demande.moisHydro = m_moisHydro;
    using C = TraitsTypeGraph::Chargement;
    switch (Traits(m_ctl.TypeGraphique()).chargement) {
    case C::Mesures:
        m_courbes.setMinDonnees(0);
        m_courbes.setMaxDonnees(0);
        m_courbes.setEchelleYAuto(true);
        chargerMesures(m_courbes, 0);
        break;
    case C::Annee: chargerAnnee(); break;
    case C::Superposition: chargerSuperposition(); break;
    case C::DeuxGraphiques: chargerDeuxGraphiques(); break;
    case C::Reference: chargerReference(); break;
    case C::Comparaison: chargerComparaison(); break;
    case C::Aucun: break;
    }
}

// Chaque mesure demandée par l'hôte, dans l'ordre de la table, dans une même
// collection ; la première demandée la vide d'abord.
void SequenceChargement::chargerMesures(Classe_Graphiques& cible, int mode)
{
    for (const Mesure& m : mesures()) {
        if (!m_chargement.contains(m.code) || !suite())
            continue;
        m_demande.mode = mode;
        m_demande.titre = QString::fromUtf8(m.titre);
        m_demande.colonne = QString::fromLatin1(m.colonne);
        m_demande.couleur = m.couleur;
        m_demande.viderAvant = !m_chargement.isEmpty() && m_chargement.at(0) == m.code;
        ChargeurPluie::agreger(cible, m_demande, m_base, m_panneau);
    }
}

void SequenceChargement::chargerAnnee()
{
    const Mesure* m = mesure(m_chargement);
    if (m_ctl.graphiqueApercu() || !m || !suite())
        return;
    const QString colonne = QString::fromLatin1(m->colonne);
    const bool hydro = m_courbes.periode() == Periode::Hydro;
    const QString debutStat = texteDuFormulaire("txtDateDebStatistique");
    const QString finStat = texteDuFormulaire("txtDateFinStatistique");
    if (m_variante == Variante::CumulAnnuel) {
        const auto [premiere, derniere] = ChargeurStatistiques::choisirAnnees(debutStat, finStat, m_codePluvio, m_formulaire, m_base);
        ChargeurPluie::comparerCumulsAnnuels(m_courbes, premiere, derniere, m_codePluvio, colonne, hydro, m_moisHydro, m_base);
    } else if (m_variante == Variante::CumulMensuel) {
        const auto [premiere, derniere] = ChargeurStatistiques::choisirAnnees(debutStat, finStat, m_codePluvio, m_formulaire, m_base);
        ChargeurPluie::totauxMensuels(m_courbes, premiere, derniere, m_codePluvio, colonne, hydro, m_moisHydro, m_base);
        static const char* const boites[12] = {"ChkJanvier", "ChkFevrier", "ChkMars",     "ChkAvril",   "ChkMai",      "ChkJuin",
                                               "ChkJuillet", "ChkAout",    "ChkSeptembre", "ChkOctobre", "ChkNovembre", "ChkDecembre"};
        for (int k = 1; k <= m_courbes.Compter() && k <= 12; ++k)
            m_courbes.MajAfficher(k, coche(QString::fromLatin1(boites[k - 1])));
    } else {
        chargerStatistiquesAnnee(*m);
    }
}

// L'année et ses courbes statistiques, chacune montrée selon sa case de l'hôte.
void SequenceChargement::chargerStatistiquesAnnee(const Mesure& m)
{
    m_demande.mode = 1;
    m_demande.titre = m_nomPluvio;
    m_demande.colonne = QString::fromLatin1(m.colonne);
    m_demande.couleur = 1;
    ChargeurPluie::agreger(m_courbes, m_demande, m_base, m_panneau);
    if (suite())
        ChargeurStatistiques::statistiquesMensuelles(m_courbes, texteDuFormulaire("txtDateDebStatistique"),
                                                     texteDuFormulaire("txtDateFinStatistique"), m_codePluvio, m_formulaire, m_base,
                                                     m_panneau, m_cumul, m_courbes.periode() == Periode::Hydro, m_moisHydro,
                                                     m_demande.colonne, m_ctl.isStatistiquesMeteoFrance());
    const bool edition = m_variante == Variante::Edition;
    static const std::pair<const char*, const char*> boites[] = {
        {"Min", "ChkEnveloppeMini"},       {"Moyenne", "ChkEnveloppeMoyenne"}, {"Max", "ChkEnveloppeMaxi"},
        {"Médiane", "ChkMediane"},         {"1er Quintile ", "ChkQuintile1"},  {"2ème Quintile ", "ChkQuintile2"},
        {"3ème Quintile ", "ChkQuintile3"}, {"4ème Quintile ", "ChkQuintile4"}, {"Normales MétéoFrance", "ChkNormales"}};
    m_courbes.MajAfficher(1, coche(QStringLiteral("ChkAnnee")));
    for (const auto& [cle, boite] : boites) {
        if (edition && QString::fromLatin1(boite) == QStringLiteral("ChkNormales"))
            continue;
        m_courbes.MajAfficher(m_courbes.noCourbe(QString::fromUtf8(cle)), coche(QString::fromLatin1(boite)));
    }
}

void SequenceChargement::chargerSuperposition()
{
    const Mesure* m = m_chargement.isEmpty() ? nullptr : mesure(m_chargement.left(1));
    for (int st = 1; m && st <= m_tableau.borneSup(2); ++st) {
        const QString code = attribut(1, st), nom = attribut(2, st), couleur = attribut(3, st);
        if (code == QStringLiteral("-1") || nom == QStringLiteral("-1") || couleur.isEmpty() || !suite())
            continue;
        ChargeurPluie::Demande e = m_demande;
        e.mode = 4;
        e.code = code;
        e.nomStation = nom;
        e.titre = QString::fromUtf8(m->titre);
        e.colonne = QString::fromLatin1(m->colonne);
        e.couleur = couleur.toInt();
        ChargeurPluie::agreger(m_courbes, e, m_base, m_panneau);
    }
}

// La pluie dans le graphique du dessus, sur une étendue élargie, puis les
// piézomètres ou la station hydrométrique dans le graphique principal.
void SequenceChargement::chargerDeuxGraphiques()
{
    m_courbes2.setMaxDonnees(0);
    m_courbes.setPasAxeX(-1);
    m_courbes.setNbSeparations(5);
    m_courbes.setEchelleXAuto(true);
    m_courbes.setEchelleYAuto(true);
    if (const auto large = Periodes::plageDeuxGraphiques(m_ctl.TxtDateDebut()->date().value_or(QDate()),
                                                                m_ctl.TxtDateFin()->date().value_or(QDate()))) {
        for (Classe_Graphiques* coll : {&m_courbes, &m_courbes2}) {
            coll->setChargement(large->debut, large->fin);
            coll->afficherToutLeChargement();
            if (large->uniteAxeX)
                coll->setUniteAxe(*large->uniteAxeX);
            if (large->pasAxeX)
                coll->setPasAxeX(qint16(*large->pasAxeX));
        }
        m_courbes.setPasAxeX(-1);
        m_demande.debut = large->debut;
        m_demande.fin = large->fin;
    }
    chargerMesures(m_courbes2, 5);
    const bool piezometres = Traits(m_ctl.TypeGraphique()).piezometres();
    for (int st = 2; st <= m_tableau.borneSup(2) && suite(); ++st) {
        if (piezometres)
            ChargeurNappes::chargerPiezometre(m_courbes, m_demande.debut, m_demande.fin, attribut(2, st),
                                              attribut(4, st), attribut(4, st), attribut(1, st), m_base, st == 2, st - 1,
                                              m_ctl.typeAffichageEchelle());
        else
            ChargeurNappes::chargerStation(m_courbes, m_demande.debut, m_demande.fin, attribut(3, st),
                                           attribut(1, st), m_base, st == 2, st - 1, m_ctl.typeDonnees(), m_ctl.echelle());
    }
}

// Une grille de l'hôte, membre de son formulaire ou enfant nommé ; rien sans elle.
QObject* SequenceChargement::grilleDuFormulaire(const char* nom) const
{
    const QString n = QString::fromLatin1(nom);
    if (QObject* membre = LireMembre(m_formulaire, n).value<QObject*>())
        return membre;
    return m_formulaire ? m_formulaire->findChild<QObject*>(n) : nullptr;
}

// L'hôte remplit sa grille des données ; sans ligne, ou sans site dans sa liste, rien n'est chargé.
// Un hôte sans ces grilles (ou dont la grille ne dit pas ses lignes) laisse décider la courbe chargée.
bool SequenceChargement::referencePossible(bool& grilleConnue)
{
    QObject* donnees = grilleDuFormulaire("SprDonnees");
    QObject* sites = grilleDuFormulaire("SprListe");
    AppelerMembre(m_formulaire, QStringLiteral("RempliSprDonnees"),
                  {QVariant::fromValue(donnees), QVariant::fromValue(sites)});
    const QVariant rangees = LireMembre(donnees, QStringLiteral("MaxRows"), &grilleConnue);
    if (grilleConnue && rangees.toInt() <= 0) {
        AfficherMessage(QStringLiteral("erreur"),
                        QStringLiteral("Aucune donnée n'a été trouvée. Insérer des valeurs avant d'afficher le graphique."));
        return false;
    }
    bool liste = false;
    const QVariant lignes = LireMembre(sites, QStringLiteral("MaxRows"), &liste);
    if (liste && lignes.toInt() <= 0) {
        AfficherMessage(QStringLiteral("erreur"), QStringLiteral("Ajouter des sites avant d'afficher la courbe de référence."));
        return false;
    }
    return true;
}

void SequenceChargement::chargerReference()
{
    bool grilleConnue = false;
    if (!suite() || !referencePossible(grilleConnue))
        return;
    ChargeurPluie::Demande e = m_demande;
    e.mode = 1;
    e.code = m_ctl.CodeCourbeReference();
    e.titre = QStringLiteral("Courbe de référence");
    e.colonne = QStringLiteral("Pluie");
    e.couleur = 1;
    e.prefixeTable = QStringLiteral("COURBE_REF_PLUVIO_");
    const bool chargee = ChargeurPluie::agreger(m_courbes, e, m_base, m_panneau) != 0 && m_courbes.GetCourbe(1)->NbValeurs() > 1;
    EchelleReference::appliquer(m_courbes, EchelleReference::lire(m_base, e.code));
    if (!grilleConnue && !chargee)
        AfficherMessage(QStringLiteral("erreur"),
                        QStringLiteral("Aucune donnée n'a été trouvée. Insérer des valeurs avant d'afficher le graphique."));
}

void SequenceChargement::chargerComparaison()
{
    const Mesure* m = mesure(m_chargement);
    if (!m || !suite())
        return;
    m_demande.mode = 7;
    m_demande.colonne = QString::fromLatin1(m->colonne);
    m_demande.titre = m_demande.colonne;
    m_demande.couleur = 1;
    ChargeurPluie::agreger(m_courbes, m_demande, m_base, m_panneau);
    ChargeurStatistiques::comparerAuxNormales(m_courbes, texteDuFormulaire("txtDateDebStatistique"),
                                              texteDuFormulaire("txtDateFinStatistique"), m_codePluvio, m_formulaire, m_base,
                                              m_demande.colonne, m_courbes.periode() == Periode::Mois,
                                              m_ctl.isStatistiquesMeteoFrance());
}

void SequenceChargement::afficher()
{
    if (deuxGraphiques()) {
        // Le cadre de chargement sert de jauge : ses légendes s'y lisent, et l'arrêt demandé par l'hôte y est vu.
        JaugeProgression jauge;
        jauge.setSuivi([this, &jauge](const QString& legende, double) {
            if (m_panneau) {
                m_panneau->message(legende);
                m_panneau->servir();
            }
            if (m_ctl.annulation())
                jauge.demanderAnnulation();
        });
        m_ctl.AffichageGraphiqueSuperposepluvioPiezo(false, false, &jauge);
        return;
    }
    const bool cumulAnnee = Traits(m_ctl.TypeGraphique()).annuel
        && EstCumul(m_variante);
    if (cumulAnnee) {
        // Les cumuls de l'année courent sur les années des statistiques.
        const auto annee = [&](const char* champ, int mois, int jour) -> std::optional<QDate> {
            bool ok = false;
            const int a = texteDuFormulaire(champ).trimmed().toInt(&ok);
            return ok ? std::optional<QDate>(QDate(a, mois, jour)) : std::nullopt;
        };
        m_courbes.setChargement(annee("txtDateDebStatistique", 1, 1), annee("txtDateFinStatistique", 12, 31));
    }
    m_ctl.AffichageGraphique(false, false, m_courbes.CodePeriode());
    if (cumulAnnee) {
        m_graphique.ecrire(Prop::EmpilementBarres, 2);
        m_graphique.ecrire(Prop::Dessin, 2);
    }
}

// Attribut `a` de la station `s` de MonTabPluvio (lignes : attributs, points : stations, dès 1 tous deux).
QString SequenceChargement::attribut(int a, int s) const
{
    return TexteCellule(m_tableau.valeur(a, s)).trimmed();
}

QString SequenceChargement::texteDuFormulaire(const char* nom) const
{
    return LireMembre(LireMembre(m_formulaire, QString::fromLatin1(nom)).value<QObject*>(), QStringLiteral("Text")).toString();
}

bool SequenceChargement::coche(const QString& nom) const
{
    bool trouve = false;
    QObject* boite = LireMembre(m_formulaire, nom, &trouve).value<QObject*>();
    if (!trouve || !boite)
        return true;
    bool aValeur = false;
    const QVariant v = LireMembre(boite, QStringLiteral("Value"), &aValeur);
    return !aValeur || v.toInt() != 0;
}
