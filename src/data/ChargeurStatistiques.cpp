#include "data/ChargeurStatistiques.h"

#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Horloge.h"
#include "commun/Nombres.h"
#include "data/AgregationPluie.h"
#include "data/BaseDonnees.h"
#include "data/CalculsStatistiques.h"
#include "data/FenetreProgression.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "model/Classe_Graphiques.h"

#include <algorithm>
#include <map>

namespace ChargeurStatistiques {

namespace {

std::optional<int> annee(const QString& texte)
{
    bool ok = false;
    const int a = texte.trimmed().toInt(&ok);
    if (!ok || a < 100 || a > 9999)
        return std::nullopt;
    return a;
}

// Les mois dans l'ordre du graphique : dès le premier mois de l'année hydrologique s'il y a lieu.
int moisDuRang(int rang, bool hydro, int moisHydro)
{
    return hydro ? (moisHydro - 1 + rang) % 12 + 1 : rang + 1;
}

void message(FenetreProgression* f, const QString& texte)
{
    if (f) {
        f->message(texte);
        f->servir();
    }
}

CourbePtr nouvelleCourbe(const QString& titre, int couleur)
{
    auto c = std::make_shared<Classe_Graphique>();
    c->setCle(titre);
    c->setTitre(titre);
    c->setCouleur(couleur);
    c->setAfficher(true);
    return c;
}

void ajouter(Classe_Graphiques& collection, const CourbePtr& courbe, const TableauValeurs& t)
{
    collection.AjouterCourbe(courbe);
    collection.AjouterValeurs(collection.noCourbe(courbe->Cle()), QVariant::fromValue(t));
}

// La date du mois `mois` d'une statistique à douze points : l'année donnée, ou la
// précédente pour les mois d'une année hydrologique qui viennent avant janvier.
QDate quinzeDuMois(int mois, int anneeReference, bool hydro, int moisHydro)
{
    return QDate(hydro && mois >= moisHydro ? anneeReference - 1 : anneeReference, mois, 15);
}

} // namespace

std::pair<int, int> choisirAnnees(const QString& anneeDebut, const QString& anneeFin, const QString& code,
                                  QObject* formulaire, BaseDonnees* base)
{
    auto premiere = annee(anneeDebut), derniere = annee(anneeFin);
    if (!premiere || !derniere) {
        const int precedente = Horloge::aujourdhui().year() - 1;
        premiere = derniere = precedente;
        const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
        TableauValeurs lignes;
        if (table
            && ExtraireLignes(base, "SELECT Min(CDate('01/01/' & Year(DateCreation))),Max(CDate('01/01/' & Year(DateCreation))) FROM " + *table,
                        lignes)
                > 0) {
            const auto d1 = DateDepuisCellule(lignes.valeur(0, 0)), d2 = DateDepuisCellule(lignes.valeur(1, 0));
            if (d1 && d2) {
                premiere = d1->date().year();
                derniere = d2->date().year() - 1;
            }
        }
    }
    EcrireMembre(LireMembre(formulaire, QStringLiteral("txtDateDebStatistique")).value<QObject*>(), QStringLiteral("Text"),
                 QString::number(*premiere));
    EcrireMembre(LireMembre(formulaire, QStringLiteral("txtDateFinStatistique")).value<QObject*>(), QStringLiteral("Text"),
                 QString::number(*derniere));
    return {*premiere, *derniere};
}

namespace {

// Les normales de PLUVIOMETRE_NORMALES : celles des douze mois, ou la normale annuelle pour chacun.
ValeursMois normalesDeLaTable(const NomVerifie& code, const NomVerifie& colonne, BaseDonnees* base, bool parMois)
{
    ValeursMois valeurs{};
    const NomVerifie c = colonne.texte() == QStringLiteral("Pluie") ? NomVerifie("valeur") : colonne;
    const OrdreSql debut = "SELECT " + (parMois ? OrdreSql("mois, ") : OrdreSql()) + c + " FROM PLUVIOMETRE_NORMALES WHERE codePluviometre="
        + LitteralCode(code);
    TableauValeurs lignes;
    if (!parMois) {
        if (ExtraireLignes(base, debut + " AND mois=13", lignes) > 0)
            valeurs.fill(LireNombre(lignes.valeur(0, 0)));
        return valeurs;
    }
    const qint32 n = ExtraireLignes(base, debut + " AND mois>=1 AND Mois<=12 ORDER BY 1,2", lignes);
    for (int r = 0; r < n; ++r) {
        const int m = int(LireNombre(lignes.valeur(0, r)).value_or(0));
        if (m >= 1 && m <= 12 && !EstVide(lignes.valeur(1, r)))
            valeurs[std::size_t(m - 1)] = LireNombre(lignes.valeur(1, r));
    }
    return valeurs;
}

// Les médianes des totaux mesurés, mois par mois, ou celle des totaux annuels pour chaque mois.
ValeursMois medianesDesMesures(int premiere, int derniere, const NomVerifie& table, const NomVerifie& colonne, BaseDonnees* base,
                               bool parMois)
{
    const OrdreSql somme = "sum(" + table + "." + colonne + ") as valeur FROM  " + table + "  WHERE year(DateCreation)<="
        + OrdreSql::entier(derniere) + " AND year(DateCreation)>=" + OrdreSql::entier(premiere) + " AND Pluie IS NOT NULL  GROUP BY  ";
    const OrdreSql ordre = parMois ? "SELECT Val (Mid(mois, 1, 2)), mesures.valeur FROM (SELECT  Month(DateCreation) & ' ' & "
                                     "Year(DateCreation) as mois, "
            + somme + "Month(DateCreation) & ' ' & Year(DateCreation)) mesures ORDER BY 1,2"
                                   : "SELECT annee, mesures.valeur FROM (SELECT  Year(DateCreation) as annee, " + somme
            + "Year(DateCreation)) mesures ORDER BY 1,2";
    TableauValeurs lignes;
    const qint32 n = ExtraireLignes(base, ordre, lignes);
    // Par mois, ou l'année entière rangée sous le mois 0.
    std::map<int, QList<double>> totaux;
    for (int r = 0; r < n; ++r) {
        const int m = parMois ? int(LireNombre(lignes.valeur(0, r)).value_or(0)) : 0;
        // Un total vide (la colonne jamais remplie ce mois-là) n'est pas un total de 0.
        if (const auto total = LireNombre(lignes.valeur(1, r)); m >= (parMois ? 1 : 0) && m <= 12 && total)
            totaux[m].append(*total);
    }
    ValeursMois valeurs{};
    for (auto& [m, t] : totaux) {
        std::sort(t.begin(), t.end());
        if (m == 0)
            valeurs.fill(CalculsStatistiques::mediane(t));
        else
            valeurs[std::size_t(m - 1)] = CalculsStatistiques::mediane(t);
    }
    return valeurs;
}

// Chaque mois porte le total depuis le premier mois du graphique ; un mois sans valeur reste vide.
void cumuler(ValeursMois& valeurs, bool hydro, int moisHydro)
{
    double total = 0;
    for (int rang = 0; rang < 12; ++rang) {
        auto& v = valeurs[std::size_t(moisDuRang(rang, hydro, moisHydro) - 1)];
        if (v) {
            total += *v;
            v = total;
        }
    }
}

} // namespace

ValeursMois valeursMensuelles(int premiere, int derniere, const QString& code, BaseDonnees* base, bool cumul,
                              bool hydro, int moisHydro, const QString& colonne, bool parMois, bool normales)
{
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
    const auto codeVerifie = NomVerifie::depuis(code), nomColonne = NomVerifie::depuis(colonne);
    if (!table || !codeVerifie || !nomColonne)
        return {};
    ValeursMois valeurs = normales ? normalesDeLaTable(*codeVerifie, *nomColonne, base, parMois)
                                   : medianesDesMesures(premiere, derniere, *table, *nomColonne, base, parMois);
    if (cumul)
        cumuler(valeurs, hydro, moisHydro);
    return valeurs;
}

void ajouterCourbeMensuelle(Classe_Graphiques& collection, const ValeursMois& valeurs, const QString& titre,
                            int couleur, bool hydro, int moisHydro)
{
    TableauValeurs t(6, 12);
    const int anneeCourante = Horloge::aujourdhui().year();
    for (int rang = 0; rang < 12; ++rang) {
        const int m = moisDuRang(rang, hydro, moisHydro);
        t(0, rang) = TexteDate(quinzeDuMois(m, anneeCourante, hydro, moisHydro));
        t(1, rang) = QStringLiteral("00:00:00");
        if (valeurs[std::size_t(m - 1)])
            t(2, rang) = *valeurs[std::size_t(m - 1)];
        t(3, rang) = t(4, rang) = t(5, rang) = QString();
    }
    ajouter(collection, nouvelleCourbe(titre, couleur), t);
}

namespace {

// Ce que partagent les courbes statistiques d'une année.
struct Statistiques
{
    Classe_Graphiques& collection;
    BaseDonnees* base;
    NomVerifie table, colonne;
    OrdreSql bornes;  // les années de la statistique
    int premiere, derniere, annee;
    bool hydro;
    int moisHydro;

    // Une courbe de douze mois, datés du 15 de chaque mois (`dateTexte`) ou au 15 en texte "15/MM/AAAA".
    void ajouterDouzeMois(const char* titre, int couleur, const ValeursMois& valeurs, const QString& heure, bool dateTexte) const
    {
        TableauValeurs t(6, 12);
        for (int rang = 0; rang < 12; ++rang) {
            const int m = moisDuRang(rang, hydro, moisHydro);
            const QDate quinze = quinzeDuMois(m, annee, hydro, moisHydro);
            t(0, rang) = dateTexte ? TexteDate(quinze) : QStringLiteral("15/%1/%2").arg(m, 2, 10, QChar(u'0')).arg(quinze.year());
            t(1, rang) = heure;
            if (const auto v = valeurs[std::size_t(m - 1)])
                t(2, rang) = *v;
            t(3, rang) = t(4, rang) = t(5, rang) = QString();
        }
        ajouter(collection, nouvelleCourbe(QString::fromUtf8(titre), couleur), t);
    }
};

// Enveloppe : par mois, le plus bas, la moyenne et le plus haut des totaux annuels.
void enveloppe(const Statistiques& st)
{
    TableauValeurs lignes;
    const qint32 n = ExtraireLignes(st.base,
                                    "SELECT '01/' & mois & '/" + OrdreSql::entier(st.annee)
                                        + "', min(valeur), avg(valeur), max(valeur) from (SELECT trim(Format(Month(DateCreation),'00')) "
                                          "as mois, Year(DateCreation) ,sum("
                                        + st.colonne + ") as valeur From " + st.table + st.bornes
                                        + " group by  trim(Format(Month(DateCreation),'00')), Year(DateCreation)) AS SReq Group By '01/' & mois & '/"
                                        + OrdreSql::entier(st.annee) + "' ",
                                    lignes);
    std::array<ValeursMois, 3> valeurs{};
    for (int r = 0; r < n; ++r) {
        const int m = TexteCellule(lignes.valeur(0, r)).mid(3, 2).toInt();
        if (m < 1 || m > 12)
            continue;
        for (int k = 0; k < 3; ++k)
            if (!EstVide(lignes.valeur(k + 1, r)))
                valeurs[std::size_t(k)][std::size_t(m - 1)] = LireNombre(lignes.valeur(k + 1, r));
    }
    const std::pair<const char*, int> courbes[3] = {{"Min", 12}, {"Moyenne", 10}, {"Max", 9}};
    for (int k = 0; k < 3; ++k)
        st.ajouterDouzeMois(courbes[k].first, courbes[k].second, valeurs[std::size_t(k)], QStringLiteral("12:00:00"), true);
    if (st.collection.EchelleYAuto()) {
        st.collection.setMinY(st.collection.MinDonnees());
        st.collection.setMaxY(st.collection.MaxDonnees());
    }
}

// Quintiles : par mois, les totaux des seules années mesurées ce mois-là (un total vide n'est pas une mesure).
void quintiles(const Statistiques& st, FenetreProgression* fenetre)
{
    TableauValeurs lignes;
    std::map<std::pair<int, int>, std::pair<int, double>> totaux;
    const qint32 nt = ExtraireLignes(st.base, "SELECT Month(DateCreation), year(DateCreation), sum(" + st.colonne + ") FROM " + st.table
                                                  + st.bornes + " group by Month(DateCreation), year(DateCreation)",
                                     lignes);
    for (int r = 0; r < nt; ++r) {
        const auto total = LireNombre(lignes.valeur(2, r));
        if (!total)
            continue;
        auto& cellule = totaux[{int(LireNombre(lignes.valeur(1, r)).value_or(0)), int(LireNombre(lignes.valeur(0, r)).value_or(0))}];
        cellule.first += 1;
        cellule.second += *total;
    }
    std::array<ValeursMois, 4> bornes{};
    for (int m = 1; m <= 12; ++m) {
        message(fenetre, QStringLiteral("Calcul Quintile mois %1").arg(m));
        QList<double> echantillon;
        for (int a = st.premiere; a <= st.derniere; ++a) {
            const auto it = totaux.find({a, m});
            if (it != totaux.end() && it->second.first != 0)
                echantillon.append(LireNombre(FormatNombre(it->second.second / it->second.first, QStringLiteral("0.00"))).value_or(0.0));
        }
        const auto q = CalculsStatistiques::quintiles(echantillon);
        for (int k = 0; k < 4; ++k)
            bornes[std::size_t(k)][std::size_t(m - 1)] = q[std::size_t(k)];
    }
    const std::pair<const char*, int> courbes[4] = {{"1er Quintile ", 6}, {"2ème Quintile ", 7}, {"3ème Quintile ", 8}, {"4ème Quintile ", 11}};
    for (int k = 0; k < 4; ++k)
        st.ajouterDouzeMois(courbes[k].first, courbes[k].second, bornes[std::size_t(k)], QStringLiteral("00:00:00"), false);
}

// L'axe des valeurs s'élargit aux statistiques, comme pour la série de l'année.
void elargirAxe(Classe_Graphiques& collection)
{
    double maximum = collection.MaxDonnees();
    const double avant = maximum;
    for (int k = 2; k <= collection.Compter(); ++k) {
        const CourbePtr courbe = collection.GetCourbe(k);
        for (int i = 0; courbe && i < courbe->NbValeurs(); ++i)
            if (const auto v = LireNombre(courbe->cellule(2, i)))
                AgregationPluie::monterMaximum(*v, maximum);
    }
    if (maximum == avant)
        return;
    collection.setMaxDonnees(AgregationPluie::maximumFinal(maximum));
    if (collection.EchelleYAuto())
        collection.setMaxY(collection.MaxDonnees());
}

} // namespace

void statistiquesMensuelles(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                            const QString& code, QObject* formulaire, BaseDonnees* base, FenetreProgression* fenetre,
                            bool cumul, bool hydro, int moisHydro, const QString& colonne, bool normalesMeteoFrance)
{
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
    const auto nomColonne = NomVerifie::depuis(colonne);
    if (!table || !nomColonne)
        return;
    const auto [premiere, derniere] = choisirAnnees(anneeDebut, anneeFin, code, formulaire, base);
    const OrdreSql bornes = " where DateCreation>=" + FormatDateBase(QDate(premiere, 1, 1))
        + " AND DateCreation<=" + FormatDateBase(QDate(derniere, 12, 31));
    const Statistiques st{collection, base, *table, *nomColonne, bornes, premiere, derniere,
                          annee(anneeDebut.right(4)).value_or(premiere), hydro, moisHydro};
    enveloppe(st);
    quintiles(st, fenetre);
    ajouterCourbeMensuelle(collection, valeursMensuelles(premiere, derniere, code, base, cumul, hydro, moisHydro, colonne, true, false),
                           QStringLiteral("Médiane"), 5, hydro, moisHydro);
    ajouterCourbeMensuelle(collection, valeursMensuelles(premiere, derniere, code, base, cumul, hydro, moisHydro, colonne, true, true),
                           QStringLiteral("Normales MétéoFrance"), 3, hydro, moisHydro);
    Q_UNUSED(normalesMeteoFrance);
    elargirAxe(collection);
    message(fenetre, QStringLiteral("Fin de calcul des statistiques"));
}

namespace {

// La normale d'un point : celle de son mois (caractères 4 et 5 de sa date) dans une comparaison
// par mois, sinon la moyenne des normales ; une normale vide compte pour 0.
double normaleDuPoint(const ValeursMois& normales, double moyenne, const QVariant& date, bool parMois)
{
    if (!parMois)
        return moyenne;
    const int m = TexteCellule(date).mid(3, 2).toInt();
    return m >= 1 && m <= 12 ? normales[std::size_t(m - 1)].value_or(0.0) : 0.0;
}

// Chaque valeur de la série devient son écart à sa normale ; rend les écarts.
QList<double> ecartsAuxNormales(TableauValeurs& t, int nbValeurs, const ValeursMois& normales, bool parMois)
{
    QList<double> connues;
    for (const auto& v : normales)
        if (v)
            connues.append(*v);
    const double moyenne = CalculsStatistiques::moyenne(connues).value_or(0.0);
    QList<double> ecarts;
    for (int i = 0; i < nbValeurs && i < t.points(); ++i) {
        if (EstVide(t(2, i)))
            continue;
        const double ecart = LireNombre(t(2, i)).value_or(0.0) - normaleDuPoint(normales, moyenne, t(0, i), parMois);
        t(2, i) = ecart;
        ecarts.append(ecart);
    }
    return ecarts;
}

} // namespace

void comparerAuxNormales(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                         const QString& code, QObject* formulaire, BaseDonnees* base, const QString& colonne,
                         bool parMois, bool normalesMeteoFrance)
{
    const auto [premiere, derniere] = choisirAnnees(anneeDebut, anneeFin, code, formulaire, base);
    const ValeursMois normales =
        valeursMensuelles(premiere, derniere, code, base, false, false, 10, colonne, parMois, normalesMeteoFrance);
    const CourbePtr serie = collection.GetCourbe(1);
    if (!serie || !serie->tableau())
        return;
    TableauValeurs t = *serie->tableau();
    const QList<double> ecarts = ecartsAuxNormales(t, serie->NbValeurs(), normales, parMois);
    const auto [bas, haut] = CalculsStatistiques::bornesEcarts(ecarts);
    collection.setMinDonnees(bas);
    collection.setMaxDonnees(haut);
    collection.ViderCollection();
    auto courbe = nouvelleCourbe(serie->Titre(), serie->Couleur());
    courbe->setCle(serie->Cle());
    ajouter(collection, courbe, t);
}

} // namespace ChargeurStatistiques
