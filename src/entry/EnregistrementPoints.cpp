#include "entry/EnregistrementPoints.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"
#include "data/HistoriqueMesures.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "data/TableMesures.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <cmath>

namespace {

using Cle = QPair<QDate, QTime>;
using Etat = EnregistrementPoints::Etat;

const QString rienEnregistre = QStringLiteral("Rien n'a été enregistré : %1");
const QTime midi(12, 0);

std::optional<NomVerifie> tablePluie(const QString& code, QString& erreur)
{
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
    if (!table)
        erreur = rienEnregistre.arg(MessageNomRefuse(code));
    return table;
}

std::optional<QList<LigneMesure>> lignesDe(BaseDonnees& base, const NomVerifie& table, const QDate& debut, const QDate& fin,
                                           QString& erreur)
{
    auto lignes = TableMesures::lire(base, table, debut, fin);
    if (!lignes)
        erreur = rienEnregistre.arg(QStringLiteral("les mesures du %1 au %2 ne se lisent pas (%3).")
                                        .arg(TexteDate(debut), TexteDate(fin), base.DerniereErreur()));
    return lignes;
}

// La ligne d'après : celle d'avant, ses autres colonnes gardées, ou une nouvelle.
LigneMesure ligneApres(const std::optional<LigneMesure>& avant, const Cle& cle, double valeur, int continuite,
                       const QString& mode)
{
    LigneMesure l = avant.value_or(LigneMesure{cle.first, cle.second, {}});
    l.colonnes.insert(QStringLiteral("pluie"), valeur);
    l.colonnes.insert(QStringLiteral("continuite"), continuite);
    l.colonnes.insert(QStringLiteral("modeobtention"), mode);
    return l;
}

// La même pluie et la même continuité : rien à écrire.
bool memeMesure(const LigneMesure& a, const LigneMesure& b)
{
    const auto nombre = [](const LigneMesure& l, const char* colonne) {
        return LireNombre(l.colonnes.value(QString::fromLatin1(colonne))).value_or(0.0);
    };
    return std::fabs(nombre(a, "pluie") - nombre(b, "pluie")) < 1e-9 && nombre(a, "continuite") == nombre(b, "continuite");
}

Etat lire(const EnregistrementPoints::Ligne& l, Cle& cle, double& valeur)
{
    if (!l.remplie)
        return Etat::Vide;
    if (l.date.trimmed().isEmpty() || l.heure.trimmed().isEmpty())
        return Etat::Incomplete;
    const auto d = LireDate(l.date.trimmed());
    const auto h = LireHeure(l.heure.trimmed());
    const auto v = ConvertirNombre(l.valeur.trimmed());
    if (!d || !h || !v)
        return Etat::Illisible;
    cle = {*d, *h};
    valeur = v->toDouble();
    return Etat::Lue;
}

QString pluriel(int n, const char* singulier, const char* plurielTexte)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? plurielTexte : singulier));
}

// La mesure la plus proche du trou d'un côté (avant : la dernière ; après : la première), s'il y en a une.
std::optional<LigneMesure> bord(BaseDonnees& base, const NomVerifie& table, const QDate& jour, bool avant, bool& lu)
{
    TableauValeurs t;
    qint32 n = 0;
    // Le jour voisin seul, sans lire toute la chronique d'un côté.
    const OrdreSql cherche = avant ? "SELECT Max(DateCreation) FROM " + table + " WHERE DateCreation<" + LitteralDate(jour, base.typeBase())
                                   : "SELECT Min(DateCreation) FROM " + table + " WHERE DateCreation>" + LitteralDate(jour, base.typeBase());
    lu = base.ExtraireRecords(cherche, t, n);
    if (!lu || n < 1 || EstVide(t.valeur(0, 0)))
        return std::nullopt;
    const QDate d = DateDepuisCellule(t.valeur(0, 0)).value_or(QDateTime()).date();
    const auto lignes = TableMesures::lire(base, table, d, d);
    lu = lignes.has_value();
    if (!lu || lignes->isEmpty())
        return std::nullopt;
    return avant ? lignes->last() : lignes->first();
}

} // namespace

int EnregistrementPoints::Projet::modifiees() const
{
    return int(std::count_if(changements.begin(), changements.end(), [](const ChangementMesure& c) { return c.avant && c.apres; }));
}

int EnregistrementPoints::Projet::ajoutees() const
{
    return int(std::count_if(changements.begin(), changements.end(), [](const ChangementMesure& c) { return c.estAjout(); }));
}

int EnregistrementPoints::Projet::supprimees() const
{
    return int(std::count_if(changements.begin(), changements.end(), [](const ChangementMesure& c) { return c.estSuppression(); }));
}

QString EnregistrementPoints::Projet::bilan(const QString& station) const
{
    return QStringLiteral("%1, %2, %3, sur la station %4 du %5 au %6")
        .arg(pluriel(modifiees(), "mesure modifiée", "mesures modifiées"), pluriel(ajoutees(), "ajoutée", "ajoutées"),
             pluriel(supprimees(), "supprimée", "supprimées"), station, TexteDate(debut), TexteDate(fin));
}

namespace {

// Par instant saisi : la valeur, la rupture, et la mesure d'où vient la ligne (une heure corrigée la déplace).
struct Saisie
{
    double valeur;
    bool rupture;
    std::optional<Cle> origine;
    bool modifiee;
};

// La grille lue : ce que chaque ligne dit, les mesures qu'elle a montrées, l'état de chaque ligne
// et la première qui ne se lit pas dans la période (-1 sinon).
struct GrilleLue
{
    QMap<Cle, Saisie> saisies;
    QSet<Cle> confiees;
    QList<Etat> etats;
    int fautive = -1;
};

GrilleLue lireGrille(const QList<EnregistrementPoints::Ligne>& lignes, const QDate& debut, const QDate& fin)
{
    GrilleLue g;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const EnregistrementPoints::Ligne& l = lignes[i];
        Cle cle;
        double valeur = 0;
        Etat etat = lire(l, cle, valeur);
        if (etat == Etat::Lue && (cle.first < debut || cle.first > fin))
            etat = Etat::Illisible;
        g.etats << etat;
        const auto origine = l.origine ? std::optional<Cle>(Cle{l.origine->first, l.origine->second}) : std::nullopt;
        if (origine)
            g.confiees.insert(*origine);
        if (etat == Etat::Lue)
            g.saisies.insert(cle, {valeur, !l.rupture.trimmed().isEmpty(), origine, l.modifiee});
        else if (etat != Etat::Vide && g.fautive < 0)
            g.fautive = int(i);
    }
    return g;
}

// Une mesure que la grille n'a jamais montrée ne peut pas y avoir été supprimée : le refus, vide si toutes y ont été.
QString mesuresAbsentes(const QList<LigneMesure>& existantes, const QSet<Cle>& confiees, const QDate& debut, const QDate& fin)
{
    QList<const LigneMesure*> absentes;
    for (const LigneMesure& l : existantes)
        if (!confiees.contains({l.date, l.heure}))
            absentes << &l;
    if (absentes.isEmpty())
        return QString();
    return QStringLiteral("La grille ne tient pas toutes les mesures du %1 au %2 : %3 de la base n'y ont jamais été "
                          "(la première le %4 à %5). Rien n'a été enregistré ; rechargez les mesures avant de corriger.")
        .arg(TexteDate(debut), TexteDate(fin)).arg(absentes.size())
        .arg(TexteDate(absentes.first()->date), TexteHeure(absentes.first()->heure));
}

// Ce qui diffère entre la base et la grille : les mesures qu'elle n'a plus, celles qu'elle change ou ajoute.
QList<ChangementMesure> changementsGrille(const QList<LigneMesure>& existantes, const QMap<Cle, Saisie>& saisies)
{
    QList<ChangementMesure> changements;
    QHash<Cle, LigneMesure> enBase;
    for (const LigneMesure& l : existantes) {
        enBase.insert({l.date, l.heure}, l);
        if (!saisies.contains({l.date, l.heure}))
            changements << ChangementMesure{l.date, l.heure, l, std::nullopt};
    }
    for (auto it = saisies.begin(); it != saisies.end(); ++it) {
        const auto avant = enBase.contains(it.key()) ? std::optional<LigneMesure>(enBase.value(it.key())) : std::nullopt;
        const bool origineEnBase = it->origine && enBase.contains(*it->origine);
        // Un jour sans mesure que le graphique par jours montrait, laissé tel quel, n'ajoute rien.
        if (!avant && it->origine && !origineEnBase && !it->modifiee)
            continue;
        // Une mesure déplacée garde les autres colonnes (validité, commentaire…) de la ligne où elle était.
        auto modele = avant;
        if (!modele && origineEnBase) {
            modele = enBase.value(*it->origine);
            modele->date = it.key().first;
            modele->heure = it.key().second;
        }
        const LigneMesure apres = ligneApres(modele, it.key(), it->valeur, it->rupture ? 1 : 0, QStringLiteral("M"));
        if (!avant || !memeMesure(*avant, apres))
            changements << ChangementMesure{it.key().first, it.key().second, avant, apres};
    }
    return changements;
}

} // namespace

std::optional<EnregistrementPoints::Projet> EnregistrementPoints::projetGrille(BaseDonnees& base, const QString& code,
                                                                             const QDate& debut, const QDate& fin,
                                                                             const QList<Ligne>& lignes, QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    const auto existantes = table ? lignesDe(base, *table, debut, fin, erreur) : std::nullopt;
    if (!existantes)
        return std::nullopt;
    const GrilleLue grille = lireGrille(lignes, debut, fin);
    Projet p{table->texte(), debut, fin, {}, grille.etats};
    if (grille.fautive >= 0) {
        erreur = QStringLiteral("La ligne %1 de la grille n'a pas de date, d'heure ou de valeur lisible dans la période du %2 au %3 : "
                                "corrigez-la ou supprimez-la. Rien n'a été enregistré.")
                     .arg(grille.fautive + 1).arg(TexteDate(debut), TexteDate(fin));
        return p;
    }
    erreur = mesuresAbsentes(*existantes, grille.confiees, debut, fin);
    if (!erreur.isEmpty())
        return std::nullopt;
    p.changements = changementsGrille(*existantes, grille.saisies);
    return p;
}

std::optional<EnregistrementPoints::Projet> EnregistrementPoints::projetPointsPoses(
    BaseDonnees& base, const QString& code, const QList<std::pair<QDate, double>>& points, QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    if (!table || points.isEmpty())
        return std::nullopt;
    QMap<QDate, double> poses;
    for (const auto& [jour, valeur] : points)
        poses.insert(jour, valeur);
    const QDate premier = poses.firstKey(), dernier = poses.lastKey();
    const auto existantes = lignesDe(base, *table, premier, dernier, erreur);
    if (!existantes)
        return std::nullopt;
    Projet p{table->texte(), premier, dernier, {}, {}};
    QHash<Cle, LigneMesure> enBase;
    for (const LigneMesure& l : *existantes) {
        enBase.insert({l.date, l.heure}, l);
        if (!(l.heure == midi && poses.contains(l.date)))
            p.changements << ChangementMesure{l.date, l.heure, l, std::nullopt};
    }
    for (auto it = poses.begin(); it != poses.end(); ++it) {
        const Cle cle{it.key(), midi};
        const auto avant = enBase.contains(cle) ? std::optional<LigneMesure>(enBase.value(cle)) : std::nullopt;
        LigneMesure apres = ligneApres(avant, cle, it.value(), 0, QStringLiteral("C"));
        if (!avant) {
            apres.colonnes.insert(QStringLiteral("validite"), 0);
            apres.colonnes.insert(QStringLiteral("commentaire"), QString());
        }
        if (!avant || !memeMesure(*avant, apres) || TexteCellule(avant->colonnes.value(QStringLiteral("modeobtention"))) != "C")
            p.changements << ChangementMesure{cle.first, cle.second, avant, apres};
    }
    return p;
}

std::optional<EnregistrementPoints::Projet> EnregistrementPoints::projetPlage(BaseDonnees& base, const QString& code,
                                                                            const QDate& premier, const QDate& dernier,
                                                                            QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    const auto existantes = table ? lignesDe(base, *table, premier, dernier, erreur) : std::nullopt;
    if (!existantes)
        return std::nullopt;
    Projet p{table->texte(), premier, dernier, {}, {}};
    for (const LigneMesure& l : *existantes)
        p.changements << ChangementMesure{l.date, l.heure, l, std::nullopt};
    // Les mesures qui bordent le trou marquent la rupture de continuité, à la main.
    for (const bool avant : {true, false}) {
        bool lu = false;
        const auto voisine = bord(base, *table, avant ? premier : dernier, avant, lu);
        if (!lu) {
            erreur = rienEnregistre.arg(base.DerniereErreur());
            return std::nullopt;
        }
        if (!voisine)
            continue;
        LigneMesure marquee = *voisine;
        marquee.colonnes.insert(QStringLiteral("continuite"), 1);
        marquee.colonnes.insert(QStringLiteral("modeobtention"), QStringLiteral("M"));
        if (!(marquee == *voisine))
            p.changements << ChangementMesure{voisine->date, voisine->heure, voisine, marquee};
    }
    return p;
}

bool EnregistrementPoints::enregistrer(BaseDonnees& base, const Projet& projet, const QString& origine, QString& erreur)
{
    if (projet.changements.isEmpty())
        return true;
    return HistoriqueMesures::corriger(base, projet.table, origine, projet.changements, erreur);
}
