#include "entry/EnregistrementPoints.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "data/TableMesures.h"

#include <QHash>
#include <QMap>
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
LigneMesure ligneApres(const std::optional<LigneMesure>& avant, const Cle& cle, const QVariant& valeur, int continuite,
                       const QString& mode)
{
    LigneMesure l = avant.value_or(LigneMesure{});
    l.date = cle.first;
    l.heure = cle.second;
    l.colonnes.insert(QStringLiteral("pluie"), valeur);
    l.colonnes.insert(QStringLiteral("continuite"), continuite);
    l.colonnes.insert(QStringLiteral("modeobtention"), mode);
    return l;
}

// La même pluie et la même continuité, valeur et classe : rien à écrire.
bool memeMesure(const LigneMesure& a, const LigneMesure& b)
{
    for (const char* c : {"pluie", "continuite"}) {
        const QString nom = QString::fromLatin1(c);
        if (!HistoriqueMesures::memeValeur(a.colonnes.value(nom), b.colonnes.value(nom)))
            return false;
    }
    return true;
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

QStringList EnregistrementPoints::Projet::detailVides() const
{
    QStringList lignes;
    for (const ChangementMesure& c : changements) {
        if (!valeursVides.contains(std::pair{c.date, c.heure}))
            continue;
        const QString instant = TexteDate(c.date) + u' ' + TexteHeure(c.heure);
        const auto avant = c.avant ? LireNombre(HistoriqueMesures::valeur(table, c.avant)) : std::nullopt;
        lignes << (avant ? QStringLiteral("%1 : %2 → 0 (valeur vide)").arg(instant, TexteCelluleFrancaise(*avant))
                         : QStringLiteral("%1 : ajoutée à 0 (valeur vide)").arg(instant));
    }
    return lignes;
}

QString EnregistrementPoints::Projet::bilan(const QString& station) const
{
    return QStringLiteral("%1, %2, %3, sur la station %4 du %5 au %6")
        .arg(pluriel(modifiees(), "mesure modifiée", "mesures modifiées"), pluriel(ajoutees(), "ajoutée", "ajoutées"),
             pluriel(supprimees(), "supprimée", "supprimées"), station, TexteDate(debut), TexteDate(fin));
}

namespace {

// Une ligne changée de la grille, lue : ce qu'elle écrit à son instant, et la mesure d'où elle vient
// (dont une mesure déplacée garde les autres colonnes : validité, commentaire…).
struct Ecriture
{
    QVariant valeur;
    bool rupture = false;
    bool vide = false;   // valeur effacée : écrite 0
    int ligne = 0;       // depuis 1
    std::optional<LigneMesure> modele;
};

// La grille lue : l'état de chaque ligne, les lignes changées qui ne se lisent pas, les mesures
// que les lignes changées quittent (telles qu'au remplissage), les instants qu'elles écrivent, ceux
// que gardent les lignes laissées telles quelles, et deux lignes qui tomberaient au même instant.
struct GrilleLue
{
    QList<Etat> etats;
    QList<int> fautives;
    QMap<Cle, std::optional<LigneMesure>> quittees;
    QMap<Cle, Ecriture> ecritures;
    QHash<Cle, int> gardees;
    QString collision;
};

QString messageCollision(int a, int b, const Cle& cle)
{
    return QStringLiteral("Les lignes %1 et %2 de la grille tombent toutes deux le %3 à %4 : une seule mesure par instant. "
                          "Rien n'a été enregistré.")
        .arg(std::min(a, b)).arg(std::max(a, b)).arg(TexteDate(cle.first), TexteHeure(cle.second));
}

QString messageFautives(const QList<int>& lignes)
{
    QStringList numeros;
    for (int n : lignes)
        numeros << QString::number(n);
    const QString dernier = numeros.takeLast();
    if (numeros.isEmpty())
        return QStringLiteral("La ligne %1 de la grille n'a pas de date, d'heure ou de valeur lisible dans les dates à corriger : "
                              "corrigez-la ou supprimez-la. Rien n'a été enregistré.").arg(dernier);
    return QStringLiteral("Les lignes %1 et %2 de la grille n'ont pas de date, d'heure ou de valeur lisible dans les dates à "
                          "corriger : corrigez-les ou supprimez-les. Rien n'a été enregistré.")
        .arg(numeros.join(QStringLiteral(", ")), dernier);
}

// Ce qu'écrit une ligne changée lue. Une valeur laissée telle que la grille la montrait garde celle de
// la base, exacte : une pluie infinie ou vide, montrée sans texte, n'est pas une valeur effacée.
Ecriture ecriture(const EnregistrementPoints::Ligne& l, double valeur, int numero)
{
    const std::optional<LigneMesure> mesure = l.origine ? l.origine->mesure : std::nullopt;
    const QVariant tenue = mesure ? mesure->colonnes.value(QStringLiteral("pluie")) : QVariant();
    const bool intacte = mesure && TexteCelluleFrancaise(tenue) == l.valeur.trimmed();
    return {intacte ? tenue : QVariant(valeur), !l.rupture.trimmed().isEmpty(), !intacte && l.valeur.trimmed().isEmpty(), numero, mesure};
}

// Une ligne changée, insérée ou retirée : la mesure qu'elle montrait est quittée, son instant écrit.
void lireChangee(GrilleLue& g, const EnregistrementPoints::Ligne& l, int numero, const QDate& debut, const QDate& fin)
{
    Cle cle;
    double valeur = 0;
    Etat etat = lire(l, cle, valeur);
    if (etat == Etat::Lue && (l.refusee || cle.first < debut || cle.first > fin))
        etat = Etat::Illisible;
    g.etats << etat;
    if (l.origine)
        g.quittees.insert({l.origine->date, l.origine->heure}, l.origine->mesure);
    if (etat != Etat::Lue) {
        if (etat != Etat::Vide)
            g.fautives << numero;
        return;
    }
    if (g.ecritures.contains(cle) && g.collision.isEmpty())
        g.collision = messageCollision(g.ecritures.value(cle).ligne, numero, cle);
    g.ecritures.insert(cle, ecriture(l, valeur, numero));
}

GrilleLue lireGrille(const QList<EnregistrementPoints::Ligne>& lignes, const QDate& debut, const QDate& fin)
{
    GrilleLue g;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const EnregistrementPoints::Ligne& l = lignes[i];
        if (l.origine && !l.modifiee) {
            g.gardees.insert({l.origine->date, l.origine->heure}, int(i) + 1);
            g.etats << Etat::Lue;
        } else {
            lireChangee(g, l, int(i) + 1, debut, fin);
        }
    }
    // Une ligne changée ne prend pas l'instant d'une ligne laissée telle quelle.
    for (auto it = g.ecritures.cbegin(); it != g.ecritures.cend() && g.collision.isEmpty(); ++it)
        if (g.gardees.contains(it.key()))
            g.collision = messageCollision(g.gardees.value(it.key()), it->ligne, it.key());
    return g;
}

// Ce que les lignes changées font : les mesures quittées sans être réécrites supprimées, chaque
// instant écrit comparé à ce que la grille en savait au remplissage (rien s'il n'en montrait pas).
QList<ChangementMesure> changementsGrille(const GrilleLue& g, QList<std::pair<QDate, QTime>>& vides)
{
    QList<ChangementMesure> changements;
    for (auto it = g.quittees.cbegin(); it != g.quittees.cend(); ++it)
        if (*it && !g.ecritures.contains(it.key()))
            changements << ChangementMesure{it.key().first, it.key().second, *it, std::nullopt};
    for (auto it = g.ecritures.cbegin(); it != g.ecritures.cend(); ++it) {
        const std::optional<LigneMesure> avant = g.quittees.value(it.key());
        const LigneMesure apres = ligneApres(avant ? avant : it->modele, it.key(), it->valeur, it->rupture ? 1 : 0,
                                             QStringLiteral("M"));
        if (avant && memeMesure(*avant, apres))
            continue;
        changements << ChangementMesure{it.key().first, it.key().second, avant, apres};
        if (it->vide)
            vides << std::pair{it.key().first, it.key().second};
    }
    return changements;
}

} // namespace

OrigineLigne EnregistrementPoints::origine(const QDate& date, const QTime& heure, const std::optional<LigneMesure>& enBase,
                                           const QVariant& valeurMontree)
{
    OrigineLigne o{date, heure, enBase};
    const auto montree = LireNombre(valeurMontree);
    const QString pluie = QStringLiteral("pluie");
    const double tenue = o.mesure ? LireNombre(o.mesure->colonnes.value(pluie)).value_or(0.0) : 0.0;
    // Une valeur montrée que la base ne tient pas (un graphique chargé avant une autre correction) :
    // la grille retient ce qu'elle montre, et l'enregistrement verra que la base a changé depuis.
    if (montree && std::fabs(*montree - tenue) > 1e-9) {
        if (!o.mesure)
            o.mesure = LigneMesure{date, heure, {}};
        o.mesure->colonnes.insert(pluie, *montree);
    }
    return o;
}

std::optional<QList<LigneMesure>> EnregistrementPoints::mesures(BaseDonnees& base, const QString& code, const QDate& debut,
                                                                const QDate& fin, QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    return table ? lignesDe(base, *table, debut, fin, erreur) : std::nullopt;
}

std::optional<EnregistrementPoints::Projet> EnregistrementPoints::projetGrille(BaseDonnees& base, const QString& code,
                                                                             const QDate& debut, const QDate& fin,
                                                                             const QList<Ligne>& lignes, QString& erreur)
{
    const auto table = tablePluie(code, erreur);
    if (!table)
        return std::nullopt;
    const GrilleLue grille = lireGrille(lignes, debut, fin);
    Projet p{table->texte(), debut, fin, {}, grille.etats, {}};
    if (!grille.fautives.isEmpty() || !grille.collision.isEmpty()) {
        erreur = grille.fautives.isEmpty() ? grille.collision : messageFautives(grille.fautives);
        return p;
    }
    p.changements = changementsGrille(grille, p.valeursVides);
    // Ce qui a changé dans la base depuis le remplissage refuse tout, avant même la question.
    if (!HistoriqueMesures::encoreAvant(base, *table, p.changements, erreur))
        return std::nullopt;
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
    Projet p{table->texte(), premier, dernier, {}, {}, {}};
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
    Projet p{table->texte(), premier, dernier, {}, {}, {}};
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
