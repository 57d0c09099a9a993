#include "data/HistoriqueMesures.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"
#include "data/GenresStation.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "data/TableMesures.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

const QString nomTable = QStringLiteral("HISTORIQUE_MESURES");

const QList<ColonneTable>& colonnesHistorique()
{
    using T = TypeColonne;
    static const QList<ColonneTable> c = {
        {"Lot", T::Entier},           {"TableMesures", T::Texte}, {"DateMesure", T::Date},   {"HeureMesure", T::Heure},
        {"Changement", T::Texte},     {"AncienneValeur", T::Reel}, {"AncienMode", T::Texte}, {"NouvelleValeur", T::Reel},
        {"NouveauMode", T::Texte},    {"LigneAvant", T::Texte},   {"LigneApres", T::Texte},  {"Quand", T::DateHeure},
        {"Qui", T::Texte},            {"Origine", T::Texte},      {"LotAnnule", T::Entier}};
    return c;
}

bool existe(BaseDonnees& base)
{
    return !base.ColonnesTable(nomTable).isEmpty();
}

bool creerSiAbsente(BaseDonnees& base)
{
    return existe(base)
        || (base.CreerTable(nomTable, colonnesHistorique()) && base.CreerIndex(nomTable, {"TableMesures", "Lot"}));
}

QString enTexte(const std::optional<LigneMesure>& ligne)
{
    if (!ligne)
        return QString();
    QJsonObject o;
    for (auto it = ligne->colonnes.begin(); it != ligne->colonnes.end(); ++it)
        o.insert(it.key(), EstVide(it.value()) ? QJsonValue() : QJsonValue::fromVariant(it.value()));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

std::optional<LigneMesure> depuisTexte(const QString& texte, const QDate& date, const QTime& heure)
{
    if (texte.trimmed().isEmpty())
        return std::nullopt;
    LigneMesure l{date, heure, {}};
    const QJsonObject o = QJsonDocument::fromJson(texte.toUtf8()).object();
    for (auto it = o.begin(); it != o.end(); ++it)
        l.colonnes.insert(it.key().toLower(), it.value().isNull() ? QVariant() : it.value().toVariant());
    return l;
}

QString mode(const std::optional<LigneMesure>& l)
{
    return l ? TexteCellule(l->colonnes.value(QStringLiteral("modeobtention"))) : QString();
}

QString nature(const ChangementMesure& c)
{
    return c.estAjout() ? QStringLiteral("ajoutée") : c.estSuppression() ? QStringLiteral("supprimée") : QStringLiteral("modifiée");
}

// Deux lignes sont les mêmes quand chaque colonne se lit pareil (un entier relu en réel reste le même).
bool memeLigne(const std::optional<LigneMesure>& a, const std::optional<LigneMesure>& b)
{
    if (!a || !b)
        return !a && !b;
    QStringList cles = a->colonnes.keys() + b->colonnes.keys();
    return std::all_of(cles.begin(), cles.end(), [&](const QString& k) {
        return TexteCellule(a->colonnes.value(k)) == TexteCellule(b->colonnes.value(k));
    });
}

qint64 prochainLot(BaseDonnees& base)
{
    TableauValeurs t;
    qint32 n = 0;
    if (!base.ExtraireRecords("SELECT Max(Lot) FROM HISTORIQUE_MESURES", t, n) || n < 1)
        return 1;
    return qint64(LireNombre(t.valeur(0, 0)).value_or(0.0)) + 1;
}

} // namespace

bool HistoriqueMesures::encoreAvant(BaseDonnees& base, const NomVerifie& table, const QList<ChangementMesure>& changements,
                                    QString& erreur)
{
    if (changements.isEmpty())
        return true;
    auto [premier, dernier] = std::minmax_element(changements.begin(), changements.end(),
                                                  [](const ChangementMesure& a, const ChangementMesure& b) { return a.date < b.date; });
    const auto lignes = TableMesures::lire(base, table, premier->date, dernier->date);
    if (!lignes) {
        erreur = QStringLiteral("Les mesures de %1 ne se lisent pas : %2").arg(table.texte(), base.DerniereErreur());
        return false;
    }
    QHash<QPair<QDate, QTime>, const LigneMesure*> actuelles;
    for (const LigneMesure& l : *lignes)
        actuelles.insert({l.date, l.heure}, &l);
    for (const ChangementMesure& c : changements) {
        const LigneMesure* l = actuelles.value({c.date, c.heure});
        if (!memeLigne(l ? std::optional<LigneMesure>(*l) : std::nullopt, c.avant)) {
            erreur = QStringLiteral("La mesure du %1 à %2 a changé entre-temps : rien n'a été enregistré. Rechargez les mesures.")
                         .arg(TexteDate(c.date), TexteHeure(c.heure));
            return false;
        }
    }
    return true;
}

QString HistoriqueMesures::utilisateur()
{
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
        if (const QString u = qEnvironmentVariable(variable).trimmed(); !u.isEmpty())
            return u;
#ifdef Q_OS_UNIX
    // Un service ou un terminal sans variables d'environnement : le compte du processus.
    if (const passwd* compte = getpwuid(geteuid()); compte && compte->pw_name)
        return QString::fromLocal8Bit(compte->pw_name);
#endif
    return QStringLiteral("inconnu");
}

QVariant HistoriqueMesures::valeur(const QString& table, const std::optional<LigneMesure>& ligne)
{
    const auto genre = GenresStation::depuisTable(table);
    if (!ligne || !genre || !*genre->colonneMesure)
        return QVariant();
    return ligne->colonnes.value(QString::fromLatin1(genre->colonneMesure).toLower());
}

bool HistoriqueMesures::enregistrer(BaseDonnees& base, const QString& table, const QString& origine,
                                    const QList<ChangementMesure>& changements, qint64 lotAnnule)
{
    if (changements.isEmpty())
        return true;
    if (!creerSiAbsente(base))
        return false;
    const qint64 lot = prochainLot(base);
    const QDateTime quand = QDateTime::currentDateTime();
    const QString qui = utilisateur();
    QList<QVariantList> lignes;
    lignes.reserve(changements.size());
    for (const ChangementMesure& c : changements)
        lignes << QVariantList{lot, table, c.date, TexteHeure(c.heure), nature(c), valeur(table, c.avant), mode(c.avant),
                               valeur(table, c.apres), mode(c.apres), enTexte(c.avant), enTexte(c.apres), quand, qui, origine,
                               lotAnnule > 0 ? QVariant(lotAnnule) : QVariant()};
    return base.InsererLignes(nomTable, lignes);
}

bool HistoriqueMesures::corriger(BaseDonnees& base, const QString& table, const QString& origine,
                                 const QList<ChangementMesure>& changements, QString& erreur, qint64 lotAnnule)
{
    const auto nom = NomVerifie::depuis(table);
    if (!nom) {
        erreur = MessageNomRefuse(table);
        return false;
    }
    const bool fait = base.ToutOuRien([&] {
        return encoreAvant(base, *nom, changements, erreur) && TableMesures::appliquer(base, *nom, changements)
            && enregistrer(base, table, origine, changements, lotAnnule);
    });
    if (!fait && erreur.isEmpty())
        erreur = QStringLiteral("Rien n'a été enregistré : %1").arg(base.DerniereErreur());
    return fait;
}

std::optional<QList<HistoriqueMesures::Lot>> HistoriqueMesures::lire(BaseDonnees& base, const QString& table, const QDate& depuis)
{
    const auto nom = NomVerifie::depuis(table);
    if (!nom)
        return std::nullopt;
    if (!existe(base))
        return QList<Lot>{};
    TableauValeurs t;
    qint32 n = 0;
    const OrdreSql apres = depuis.isValid() ? " AND Quand>=" + LitteralDate(depuis, base.typeBase()) : OrdreSql("");
    if (!base.ExtraireRecords("SELECT Lot, DateMesure, HeureMesure, LigneAvant, LigneApres, Quand, Qui, Origine, LotAnnule "
                              "FROM HISTORIQUE_MESURES WHERE TableMesures='" + *nom + "'" + apres
                                  + " ORDER BY Lot DESC, DateMesure, HeureMesure",
                              t, n))
        return std::nullopt;
    QList<Lot> lots;
    for (int r = 0; r < n; ++r) {
        const qint64 numero = qint64(LireNombre(t.valeur(0, r)).value_or(0.0));
        if (lots.isEmpty() || lots.back().numero != numero)
            lots << Lot{numero, table, TexteCellule(t.valeur(7, r)), TexteCellule(t.valeur(6, r)),
                        DateDepuisCellule(t.valeur(5, r)).value_or(QDateTime()), {},
                        qint64(LireNombre(t.valeur(8, r)).value_or(0.0))};
        const QDate date = DateDepuisCellule(t.valeur(1, r)).value_or(QDateTime()).date();
        const QTime heure = LireHeure(TexteCellule(t.valeur(2, r))).value_or(QTime(0, 0));
        lots.back().changements << ChangementMesure{date, heure, depuisTexte(TexteCellule(t.valeur(3, r)), date, heure),
                                                    depuisTexte(TexteCellule(t.valeur(4, r)), date, heure)};
    }
    return lots;
}

std::optional<HistoriqueMesures::Lot> HistoriqueMesures::aAnnuler(const QList<Lot>& lots)
{
    QSet<qint64> annules;
    for (const Lot& l : lots)
        if (l.lotAnnule > 0)
            annules.insert(l.lotAnnule);
    for (const Lot& l : lots)
        if (l.lotAnnule == 0 && !annules.contains(l.numero))
            return l;
    return std::nullopt;
}

bool HistoriqueMesures::annulerDernier(BaseDonnees& base, const QString& table, Lot& annule, QString& erreur, qint64 attendu)
{
    const auto lots = lire(base, table);
    if (!lots) {
        erreur = QStringLiteral("L'historique des corrections ne se lit pas : %1").arg(base.DerniereErreur());
        return false;
    }
    const auto dernier = aAnnuler(*lots);
    if (!dernier) {
        erreur = QStringLiteral("Aucune correction à annuler pour %1.").arg(table);
        return false;
    }
    if (attendu > 0 && dernier->numero != attendu) {
        erreur = QStringLiteral("La dernière correction de %1 a changé entre-temps : rien n'a été annulé.").arg(table);
        return false;
    }
    annule = *dernier;
    QList<ChangementMesure> retour;
    for (const ChangementMesure& c : annule.changements)
        retour << ChangementMesure{c.date, c.heure, c.apres, c.avant};
    return corriger(base, table, QStringLiteral("annulation du lot %1").arg(annule.numero), retour, erreur, annule.numero);
}
