// Chargement du contrôle graphique : la demande de l'hôte vérifiée, sa période
// et ses dates remises en forme, les collections remplies à nouveau par les
// chargeurs, le graphique tracé.
#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/ValeursProcessus.h"
#include "control/CadreTitre.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/EnteteStations.h"
#include "control/VueGraphique.h"
#include "data/BaseDonnees.h"
#include "data/ChargeurNappes.h"
#include "data/ChargeurPluie.h"
#include "data/ChargeurStatistiques.h"
#include "data/FenetreProgression.h"
#include "data/NomVerifie.h"
#include "data/Periodes.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/messages/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace {

struct Mesure
{
    QChar code;
    const char* titre;
    const char* colonne;
    int couleur;
};

const Mesure mesures[6] = {
    {u'1', "Pluie", "Pluie", 11},          {u'2', "Pluie Efficace", "PluieEfficace", 9},
    {u'3', "Etp", "Etp", 10},              {u'4', "Valeur 1", "Valeur1", 4},
    {u'5', "Valeur 2", "Valeur2", 5},      {u'6', "Valeur 3", "Valeur3", 6},
};

const Mesure* mesure(const QString& code)
{
    for (const Mesure& m : mesures)
        if (code == QString(m.code))
            return &m;
    return nullptr;
}

// Le cadre de chargement : une légende, un message et une barre sur le graphique.
class PanneauChargement : public FenetreProgression
{
public:
    PanneauChargement(CadreTitre* cadre, QLabel* texte, QProgressBar* barre, CtlGraphique* ctl)
        : m_cadre(cadre), m_texte(texte), m_barre(barre), m_ctl(ctl)
    {
    }
    void ouvrir(const QString& titre, int etapes)
    {
        m_cadre->setTitle(titre);
        m_barre->setRange(0, etapes);
        m_barre->setValue(0);
        m_texte->setText(titre);
        m_cadre->show();
        m_cadre->raise();
        emit m_ctl->progression(titre, 0);
    }
    void message(const QString& texte) override
    {
        m_texte->setText(texte);
        emit m_ctl->progression(texte, pourcent());
    }
    void avancer() override
    {
        m_barre->setValue(std::min(m_barre->value() + 1, m_barre->maximum()));
        emit m_ctl->progression(m_texte->text(), pourcent());
    }
    bool annulee() override { return m_ctl->annulation(); }
    void servir() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
    void fermer()
    {
        m_cadre->hide();
        emit m_ctl->progression(QString(), 100);
    }

private:
    int pourcent() const { return m_barre->maximum() > 0 ? 100 * m_barre->value() / m_barre->maximum() : 0; }

    CadreTitre* m_cadre;
    QLabel* m_texte;
    QProgressBar* m_barre;
    CtlGraphique* m_ctl;
};

// Attribut `a` de la station `s` de MonTabPluvio (lignes : attributs, points : stations, dès 1 tous deux).
QString attribut(const TableauValeurs* t, int a, int s)
{
    return t ? TexteCellule(t->valeur(a, s)).trimmed() : QString();
}

bool coche(QObject* formulaire, const QString& nom, bool parDefaut)
{
    bool trouve = false;
    QObject* boite = LireMembre(formulaire, nom, &trouve).value<QObject*>();
    if (!trouve || !boite)
        return parDefaut;
    bool aValeur = false;
    const QVariant v = LireMembre(boite, QStringLiteral("Value"), &aValeur);
    if (!aValeur)
        return parDefaut;
    return v.toInt() != 0;
}

QString texteDe(QObject* formulaire, const QString& nom)
{
    return LireMembre(LireMembre(formulaire, nom).value<QObject*>(), QStringLiteral("Text")).toString();
}

} // namespace

void CtlGraphique::remplirDatesDepuisPluviometre()
{
    m_derniereValidation.clear();
    // Le code vient de la liste des stations de la base : il est vérifié comme un autre.
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), m_entete->CodeStation());
    if (!table || !baseDonnees())
        return;
    TableauValeurs lignes;
    qint32 n = 0;
    if (!baseDonnees()->ExtraireRecords("SELECT Min(DateCreation), Max(DateCreation) FROM " + *table, lignes, n))
        return;
    if (n >= 1 && !EstVide(lignes.valeur(0, 0))) {
        m_dateDebut->setTexte(TexteCellule(lignes.valeur(0, 0)).left(10));
        m_dateFin->setTexte(TexteCellule(lignes.valeur(1, 0)).left(10));
    }
}

void CtlGraphique::declencheChargement() noexcept
{
    declencheOutil(10);
}

void CtlGraphique::ChargementDonnees() noexcept
{
    sousGarde([&] {
        Classe_Graphiques& c = CollCourbes();
        Classe_Graphiques& c2 = CollCourbes2();
        for (Classe_Graphiques* coll : {&c, &c2}) {
            coll->ViderCollection();
            coll->setMinDonnees(9999);
            coll->setMaxDonnees(-9999);
        }
        m_annulation = false;
        m_derniereValidation.clear();

        const bool deuxGraphiquesAvant = m_typeGraphique == TypeGraph::PluvioPiezo || m_typeGraphique == TypeGraph::PluvioStation;
        m_graphiqueSuperpose->setVisible(deuxGraphiquesAvant);
        m_graphique->show();
        MoteurGraphique& g = Graphique();
        MoteurGraphique& s = GraphiqueSuperposePluvio();
        for (int n : {94, 88, 21})
            g.ecrire(n, 0);
        for (int n : {88, 21})
            s.ecrire(n, 0);

        // La demande figée maintenant : un changement pendant le chargement ne l'atteint pas.
        const QString chargement = m_chaineChargement, periodes = m_chainePeriodes, typeGraph = m_chaineTypeGraph,
                      affichage = m_chaineTypeAffichage;
        const TableauValeurs tableau = TableauDans(m_tabPluvio) ? *TableauDans(m_tabPluvio) : TableauValeurs();
        const bool cumul = m_isCumul;
        const QString codePluvio = m_entete->CodeStation();
        const QString nomPluvio = m_entete->NomStation();
        QObject* formulaire = getExtender();
        BaseDonnees* base = baseDonnees();
        const int moisHydro = Periodes::moisHydro(ValeursProcessus::courantes().moisAnneeHydro);

        bool valide = false;
        const auto datesDansLOrdre = [&] {
            const auto d1 = LireDate(m_dateDebut->texte()), d2 = LireDate(m_dateFin->texte());
            return d1 && d2 && *d1 <= *d2;
        };
        switch (m_typeGraphique) {
        case TypeGraph::Annee:
            m_dateDebut->setTexte(QStringLiteral("01/01/") + m_annee->texte());
            m_dateFin->setTexte(QStringLiteral("31/12/") + m_annee->texte());
            valide = !codePluvio.isEmpty() && m_dateDebut->EstValide();
            break;
        case TypeGraph::reference:
            valide = !CodeCourbeReference().isEmpty() && datesDansLOrdre();
            break;
        case TypeGraph::edition:
        case TypeGraph::annuaire:
        case TypeGraph::comparaisonNormale:
            valide = !codePluvio.isEmpty() && datesDansLOrdre();
            break;
        default:
            valide = tableau.borneSup(1) >= 2 && datesDansLOrdre();
            break;
        }
        if (!valide) {
            AfficherMessage(QStringLiteral("aide"),
                            QStringLiteral("Sélectionner un site et renseigner les dates de chargement. La date de début "
                                           "doit être inférieure à la date de fin."));
            return;
        }

        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_chargementEnCours = true;

        const Periodes::Choix choix = Periodes::choisir(periodes, m_typeGraphique, m_calculauto);
        c.setCodePeriode(choix.codePeriode);
        if (!choix.uniteGardee)
            c.setUniteAxeX(choix.uniteAxeX);
        const auto plage = Periodes::normaliser(choix.codePeriode, m_typeGraphique, m_dateDebut->texte(),
                                                m_dateFin->texte(), m_annee->texte(), ValeursProcessus::courantes().moisAnneeHydro);
        if (plage) {
            if (plage->message)
                AfficherMessage(QString(), Periodes::messageAnneeHydro(ValeursProcessus::courantes().moisAnneeHydro));
            if (plage->champsModifies) {
                m_dateDebut->setTexte(plage->debut);
                m_dateFin->setTexte(plage->fin);
            }
            c.setDateDebutChargement(plage->debut);
            c.setDateFinChargement(plage->fin);
            if (plage->uniteAxeX)
                c.setUniteAxeX(*plage->uniteAxeX);
            if (plage->pasAxeX)
                c.setPasAxeX(qint16(*plage->pasAxeX));
        }
        if (c.EchelleXAuto() || c.DateDebutAffichage().isEmpty()) {
            c.setDateDebutAffichage(c.DateDebutChargement());
            c.setDateFinAffichage(c.DateFinChargement());
        }

        // Type de tracé, et types à deux graphiques demandés par la variante.
        if (affichage == QStringLiteral("COURBE")) {
            g.ecrire(Prop::TypeGraphe, 6);
        } else {
            g.ecrire(Prop::TypeGraphe, 3);
            g.ecrire(Prop::EmpilementBarres, 0);
            g.ecrire(Prop::ContourBarres, 0);
        }
        if (typeGraph.contains(QStringLiteral("SUPERPOSITION_STATION")) || typeGraph.contains(QStringLiteral("SUPERPOSITION"))) {
            setTypeGraphique(typeGraph.contains(QStringLiteral("SUPERPOSITION_STATION")) ? TypeGraph::PluvioStation
                                                                                         : TypeGraph::PluvioPiezo);
            s.ecrire(Prop::TypeGraphe, 3);
            s.ecrire(Prop::EmpilementBarres, 0);
            s.ecrire(Prop::ContourBarres, 0);
        }
        const bool deuxGraphiques = m_typeGraphique == TypeGraph::PluvioPiezo || m_typeGraphique == TypeGraph::PluvioStation;
        if (deuxGraphiques) {
            c2.setCodePeriode(c.CodePeriode());
            c2.setUniteAxeX(c.UniteAxeX());
            c2.setEchelleXAuto(c.EchelleXAuto());
            c2.setEchelleYAuto(c.EchelleYAuto());
            c2.setDateDebutChargement(c.DateDebutChargement());
            c2.setDateFinChargement(c.DateFinChargement());
            c2.setPasAxeX(c.PasAxeX());
            c2.setDateDebutAffichage(c.DateDebutAffichage());
            c2.setDateFinAffichage(c.DateFinAffichage());
            c2.setGrilleX(false);
            c2.setGrilleY(false);
            m_graphiqueSuperpose->show();
        }

        PanneauChargement panneau(m_frmChargement, m_messageChargement, m_barreChargement, this);
        panneau.ouvrir(deuxGraphiques ? QStringLiteral("Chargement des données pluviomètre")
                                      : QStringLiteral("Chargement des données"),
                       20);
        // Avant chaque série, l'écran suit et un arrêt demandé est respecté.
        const auto suite = [&] {
            panneau.servir();
            panneau.avancer();
            return !m_annulation;
        };

        ChargeurPluie::Demande d;
        d.debut = c.DateDebutChargement();
        d.fin = c.DateFinChargement();
        d.code = codePluvio;
        d.nomStation = nomPluvio;
        d.codePeriode = c.CodePeriode();
        d.colonnePeriode = choix.colonne;
        d.cumul = cumul;
        d.moisHydro = moisHydro;
        const bool hydro = c.CodePeriode() == QStringLiteral("HYDRO");
        // Chaque mesure demandée par l'hôte, dans l'ordre de la table, dans une même
        // collection ; la première demandée la vide d'abord.
        const auto chargerMesures = [&](Classe_Graphiques& cible, int mode) {
            for (const Mesure& m : mesures) {
                if (!chargement.contains(m.code) || !suite())
                    continue;
                d.mode = mode;
                d.titre = QString::fromUtf8(m.titre);
                d.colonne = QString::fromLatin1(m.colonne);
                d.couleur = m.couleur;
                d.viderAvant = !chargement.isEmpty() && chargement.at(0) == m.code;
                ChargeurPluie::agreger(cible, d, base, &panneau);
            }
        };

        switch (m_typeGraphique) {
        case TypeGraph::edition:
        case TypeGraph::annuaire: {
            c.setMinDonnees(0);
            c.setMaxDonnees(0);
            c.setEchelleYAuto(true);
            chargerMesures(c, 0);
            break;
        }
        case TypeGraph::Annee: {
            const Mesure* m = mesure(chargement);
            if (m_graphiqueApercu || !m || !suite())
                break;
            const QString colonne = QString::fromLatin1(m->colonne);
            const QString debutStat = texteDe(formulaire, QStringLiteral("txtDateDebStatistique"));
            const QString finStat = texteDe(formulaire, QStringLiteral("txtDateFinStatistique"));
            if (typeGraph == QStringLiteral("CUMUL_ANNUEL")) {
                const auto [premiere, derniere] = ChargeurStatistiques::choisirAnnees(debutStat, finStat, codePluvio, formulaire, base);
                ChargeurPluie::comparerCumulsAnnuels(c, premiere, derniere, codePluvio, colonne, hydro, moisHydro, base);
            } else if (typeGraph == QStringLiteral("CUMUL_MENSUEL")) {
                const auto [premiere, derniere] = ChargeurStatistiques::choisirAnnees(debutStat, finStat, codePluvio, formulaire, base);
                ChargeurPluie::totauxMensuels(c, premiere, derniere, codePluvio, colonne, hydro, moisHydro, base);
                static const char* const boites[12] = {"ChkJanvier", "ChkFevrier", "ChkMars", "ChkAvril", "ChkMai", "ChkJuin",
                                                       "ChkJuillet", "ChkAout", "ChkSeptembre", "ChkOctobre", "ChkNovembre", "ChkDecembre"};
                for (int k = 1; k <= c.Compter() && k <= 12; ++k)
                    c.MajAfficher(k, coche(formulaire, QString::fromLatin1(boites[k - 1]), true));
            } else {
                d.mode = 1;
                d.titre = nomPluvio;
                d.colonne = colonne;
                d.couleur = 1;
                ChargeurPluie::agreger(c, d, base, &panneau);
                if (suite())
                    ChargeurStatistiques::statistiquesMensuelles(c, debutStat, finStat, codePluvio, formulaire, base, &panneau,
                                                                 cumul, hydro, moisHydro, colonne, m_isStatistiquesMeteoFrance);
                const bool edition = typeGraph == QStringLiteral("EDITION");
                const std::pair<const char*, const char*> boites[] = {
                    {"Min", "ChkEnveloppeMini"},      {"Moyenne", "ChkEnveloppeMoyenne"},
                    {"Max", "ChkEnveloppeMaxi"},      {"Médiane", "ChkMediane"},
                    {"1er Quintile ", "ChkQuintile1"}, {"2ème Quintile ", "ChkQuintile2"},
                    {"3ème Quintile ", "ChkQuintile3"}, {"4ème Quintile ", "ChkQuintile4"},
                    {"Normales MétéoFrance", "ChkNormales"}};
                c.MajAfficher(1, coche(formulaire, QStringLiteral("ChkAnnee"), true));
                for (const auto& [cle, boite] : boites) {
                    if (edition && QString::fromLatin1(boite) == QStringLiteral("ChkNormales"))
                        continue;
                    c.MajAfficher(c.noCourbe(QString::fromUtf8(cle)), coche(formulaire, QString::fromLatin1(boite), true));
                }
            }
            break;
        }
        case TypeGraph::Superposition: {
            const Mesure* m = chargement.isEmpty() ? nullptr : mesure(chargement.left(1));
            for (int st = 1; m && st <= tableau.borneSup(2); ++st) {
                const QString code = attribut(&tableau, 1, st), nom = attribut(&tableau, 2, st), couleur = attribut(&tableau, 3, st);
                if (code == QStringLiteral("-1") || nom == QStringLiteral("-1") || couleur.isEmpty() || !suite())
                    continue;
                ChargeurPluie::Demande e = d;
                e.mode = 4;
                e.code = code;
                e.nomStation = nom;
                e.titre = QString::fromUtf8(m->titre);
                e.colonne = QString::fromLatin1(m->colonne);
                e.couleur = couleur.toInt();
                ChargeurPluie::agreger(c, e, base, &panneau);
            }
            break;
        }
        case TypeGraph::PluvioPiezo:
        case TypeGraph::PluvioStation: {
            c2.setMaxDonnees(0);
            c.setPasAxeX(-1);
            c.setNbSeparations(5);
            c.setEchelleXAuto(true);
            c.setEchelleYAuto(true);
            if (const auto large = Periodes::plageDeuxGraphiques(m_dateDebut->texte(), m_dateFin->texte())) {
                for (Classe_Graphiques* coll : {&c, &c2}) {
                    coll->setDateDebutChargement(large->debut);
                    coll->setDateFinChargement(large->fin);
                    coll->setDateDebutAffichage(large->debut);
                    coll->setDateFinAffichage(large->fin);
                    if (large->uniteAxeX)
                        coll->setUniteAxeX(*large->uniteAxeX);
                    if (large->pasAxeX)
                        coll->setPasAxeX(qint16(*large->pasAxeX));
                }
                c.setPasAxeX(-1);
                d.debut = large->debut;
                d.fin = large->fin;
            }
            chargerMesures(c2, 5);
            for (int st = 2; st <= tableau.borneSup(2); ++st) {
                if (!suite())
                    break;
                if (m_typeGraphique == TypeGraph::PluvioPiezo)
                    ChargeurNappes::chargerPiezometre(c, c.DateDebutChargement(), c.DateFinChargement(), attribut(&tableau, 2, st),
                                                      attribut(&tableau, 4, st), attribut(&tableau, 4, st), attribut(&tableau, 1, st),
                                                      base, st == 2, st - 1, m_typeAffichageEchelle);
                else
                    ChargeurNappes::chargerStation(c, c.DateDebutChargement(), c.DateFinChargement(), attribut(&tableau, 3, st),
                                                   attribut(&tableau, 1, st), base, st == 2, st - 1, m_typeDonnees, m_echelle);
            }
            break;
        }
        case TypeGraph::reference: {
            if (!suite())
                break;
            ChargeurPluie::Demande e = d;
            e.mode = 1;
            e.code = CodeCourbeReference();
            e.titre = QStringLiteral("Courbe de référence");
            e.colonne = QStringLiteral("Pluie");
            e.couleur = 1;
            e.prefixeTable = QStringLiteral("COURBE_REF_PLUVIO_");
            if (ChargeurPluie::agreger(c, e, base, &panneau) == 0 || c.GetCourbe(1)->NbValeurs() <= 1) {
                AfficherMessage(QStringLiteral("erreur"), QStringLiteral("Aucune donnée n'a été trouvée. Insérer des valeurs avant "
                                                                          "d'afficher le graphique."));
            }
            break;
        }
        case TypeGraph::comparaisonNormale: {
            const Mesure* m = mesure(chargement);
            if (!m || !suite())
                break;
            d.mode = 7;
            d.colonne = QString::fromLatin1(m->colonne);
            d.titre = d.colonne;
            d.couleur = 1;
            ChargeurPluie::agreger(c, d, base, &panneau);
            ChargeurStatistiques::comparerAuxNormales(c, texteDe(formulaire, QStringLiteral("txtDateDebStatistique")),
                                                      texteDe(formulaire, QStringLiteral("txtDateFinStatistique")), codePluvio,
                                                      formulaire, base, d.colonne, c.CodePeriode() == QStringLiteral("MOIS"),
                                                      m_isStatistiquesMeteoFrance);
            break;
        }
        case TypeGraph::travail:
            break;
        }

        if (deuxGraphiques) {
            AffichageGraphiqueSuperposepluvioPiezo(false, false, nullptr);
        } else {
            const bool cumulAnnee = m_typeGraphique == TypeGraph::Annee
                && (typeGraph == QStringLiteral("CUMUL_MENSUEL") || typeGraph == QStringLiteral("CUMUL_ANNUEL"));
            if (cumulAnnee) {
                c.setDateDebutChargement(QStringLiteral("01/01/") + texteDe(formulaire, QStringLiteral("txtDateDebStatistique")));
                c.setDateFinChargement(QStringLiteral("31/12/") + texteDe(formulaire, QStringLiteral("txtDateFinStatistique")));
            }
            AffichageGraphique(false, false, c.CodePeriode());
            if (cumulAnnee) {
                g.ecrire(Prop::EmpilementBarres, 2);
                g.ecrire(Prop::Dessin, 2);
            }
        }
        panneau.fermer();
        m_chargementEnCours = false;
        QApplication::restoreOverrideCursor();
    });
    if (m_chargementEnCours) {
        // Un échec en cours a laissé le chargement inachevé : le pointeur revient quand même.
        m_chargementEnCours = false;
        QApplication::restoreOverrideCursor();
    }
}
