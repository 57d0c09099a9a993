#pragma once

#include "commun/CodesGraphique.h"
#include "commun/TypeGraph.h"

#include <QDate>
#include <QString>
#include <memory>
#include <vector>

class ApplicationTableur;
class Classe_Graphique;
class Classe_Graphiques;
class FenetreProgression;
class GraphiqueTableur;
class QObject;
struct GestionExportExcel;

// Le graphique affiché refait en graphique natif d'un classeur : les courbes
// collées dans "Feuil1" (et les piézomètres dans "Feuil2"), une feuille
// graphique mise en forme d'après les options d'export, le classeur écrit
// dans le dossier d'édition.
class ExportGraphiqueTableur
{
public:
    struct Demande
    {
        TypeGraph type = TypeGraph::edition;
        bool superposition = false;  // bloc des superpositions plutôt que colonnes par courbe
        const Classe_Graphiques* courbes = nullptr;   // les courbes de la feuille 1
        const Classe_Graphiques* nappes = nullptr;    // piézomètres de la feuille 2 (PluvioPiezo)
        Variante variante = Variante::Aucune;
        bool courbe = false;              // des lignes plutôt que des barres
        std::optional<Periode> periode;   // celle des lettres de la demande
        QString typeDonnees, codeChargement;
        bool statistiquesMeteoFrance = false;
        QString titreStatistiqueMeteoFrance;
        QString titre;                // titre de l'écran
        QString texteEntete1, texteEntete2, station;
        QString cheminEdition, nomProjet;
        int formatNommage = 0;
        bool pointDecimal = false;
        double coefficient = 1;       // profondeurs (bloc des superpositions)
        bool modeProfondeur = false;  // axe des piézomètres en profondeur plutôt qu'en cote NGF
        QString unite;                // des débits d'une station (PluvioStation), titre de leur axe
        QString aquifere;
        QString extension = QStringLiteral("xlsx");
        QString cheminImpose;  // remplace le nom tiré du dossier d'édition et de l'en-tête
    };

    struct Resultat
    {
        bool enregistre = false;
        QString chemin;
        QString erreur;  // en français, déjà montrée
    };

    ExportGraphiqueTableur(const Demande& demande, ApplicationTableur& tableur, FenetreProgression* progression);
    Resultat executer();

    // Le fichier du classeur : dossier, préfixe, textes de l'en-tête selon le
    // format de nommage, extension ; les apostrophes et les caractères
    // interdits dans un nom de fichier deviennent des blancs.
    static QString NomFichier(const Demande& demande);
    // Vrai si rien n'est à cette place, ou si l'utilisateur accepte de remplacer le fichier qui y est.
    static bool RemplacementAccepte(const QString& chemin);

private:
    struct Colonnes;
    bool verifierDossier();
    QString cellules(const Classe_Graphique& c, int r, int pas) const;
    QString texteDonnees(const Classe_Graphiques& courbes, int& lignes, int& nombre);
    bool tientDansUneFeuille(int lignes) const;
    bool collerDonnees();
    void formaterDates(int feuille, int lignes, int nombreCourbes, int pas) const;
    GraphiqueTableur creerGraphique() const;
    void ecrireSeries(const GraphiqueTableur& g) const;
    void axesValeurs(const GraphiqueTableur& g) const;
    void titresEtNotes(const GraphiqueTableur& g) const;
    void axeTemps(const GraphiqueTableur& g) const;
    void disposition(const GraphiqueTableur& g) const;
    void nappes(const GraphiqueTableur& g);
    bool collerNappes();
    void seriesNappes(const GraphiqueTableur& g) const;
    void axeNappes(const GraphiqueTableur& g) const;
    Resultat enregistrer();
    bool etape(const QString& message);
    int pasColonnes() const;

    Demande m_demande;
    ApplicationTableur& m_tableur;
    FenetreProgression* m_progression;
    int m_lignes = 0;
    int m_nombreCourbes = 0;
    int m_lignesNappes = 0;
    int m_nombreNappes = 0;
    struct Reglages
    {
        bool glisser = true, barre = true, transition = false, deplacement = true;
    } m_reglages;
};
