#include "data/bases/HistoriqueMesures.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/GenresStation.h"
#include "data/TableMesures.h"
#include "data/bases/AnnulationLot.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/LotHistorique.h"
#include "data/bases/ValeurColonne.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

const QString passageInstants = QStringLiteral("INSTANTS_CORRIGES");
constexpr int lignesParMorceau = 5000;

// La classe de stockage d'une valeur lue : vide, entier, réel, texte, octets, ou autre (une date).
int classe(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType: return 0;
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::Bool: return 1;
    case QMetaType::Double: case QMetaType::Float: return 2;
    case QMetaType::QString: return 3;
    case QMetaType::QByteArray: return 4;
    default: return 5;
    }
}

} // namespace

bool HistoriqueMesures::memeValeur(const QVariant& a, const QVariant& b)
{
    const int c = classe(a);
    if (c != classe(b))
        return false;
    switch (c) {
    case 0: return true;
    case 1: return a.toLongLong() == b.toLongLong();
    case 2: return a.toDouble() == b.toDouble() || (std::isnan(a.toDouble()) && std::isnan(b.toDouble()));
    case 4: return a.toByteArray() == b.toByteArray();
    default: return a.toString() == b.toString() && a == b;
    }
}

namespace {

bool memeLigne(const LigneMesure* a, const std::optional<LigneMesure>& b)
{
    if (!a || !b)
        return !a && !b;
    const QStringList cles = a->colonnes.keys() + b->colonnes.keys();
    return std::all_of(cles.begin(), cles.end(), [&](const QString& k) { return HistoriqueMesures::memeValeur(a->colonnes.value(k), b->colonnes.value(k)); });
}

BaseAcces* acces(BaseDonnees& base, QString& erreur)
{
    auto* a = dynamic_cast<BaseAcces*>(&base);
    if (!a)
        erreur = QStringLiteral("Cette base ne garde pas d'historique des mesures : rien n'a été enregistré.");
    return a;
}

QVariant instantColonne(const ChangementMesure& c, bool date)
{
    QString message;
    return ValeurColonne::convertir(date ? QVariant(c.date) : QVariant(c.heure),
                                    date ? TypeColonne::Date : TypeColonne::Heure, message)
        .value_or(QVariant());
}

// Les instants des changements, dans une table de passage : les lignes du lot se désignent par eux.
bool passerInstants(BaseAcces& base, const QList<ChangementMesure>& changements)
{
    const QList<ColonneTable> colonnes = {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure}};
    TableauValeurs t(2, int(changements.size()));
    for (int r = 0; r < changements.size(); ++r) {
        t(0, r) = instantColonne(changements[r], true);
        t(1, r) = instantColonne(changements[r], false);
    }
    return (base.ColonnesTable(passageInstants).isEmpty() || base.SupprimerTable(passageInstants))
        && base.CreerTableTemporaire(passageInstants, colonnes) && base.EcrireLot(passageInstants, colonnes, t);
}

// Les lignes d'après écrites telles quelles, chaque valeur dans sa classe (octets, entier, réel, texte, NULL).
bool ecrireApres(BaseAcces& base, const NomVerifie& table, const QList<ChangementMesure>& changements)
{
    const QList<ColonneTable> colonnes = base.ColonnesTable(table.texte());
    QList<const ChangementMesure*> apres;
    for (const ChangementMesure& c : changements)
        if (c.apres)
            apres << &c;
    TableauValeurs t(int(colonnes.size()), int(apres.size()));
    for (int r = 0; r < apres.size(); ++r)
        for (int k = 0; k < colonnes.size(); ++k) {
            const QString nom = colonnes[k].nom.toLower();
            t(k, r) = nom == QStringLiteral("datecreation") ? instantColonne(*apres[r], true)
                    : nom == QStringLiteral("heure")        ? instantColonne(*apres[r], false)
                                                            : apres[r]->apres->colonnes.value(nom);
        }
    return base.EcrireLot(table.texte(), colonnes, t);
}

bool ecrire(BaseAcces& base, const NomVerifie& table, const QString& origine, const QList<ChangementMesure>& changements,
            QString& erreur)
{
    LotHistorique lot(base, table);
    const QString instants = lot.parmi(QStringLiteral("t"), base.Identifiant(passageInstants));
    if (!lot.ouvrir()) {
        erreur = lot.erreur();
        return false;
    }
    if (!HistoriqueMesures::encoreAvant(base, table, changements, erreur))
        return false;
    const bool fait = passerInstants(base, changements) && lot.garder(LotHistorique::avant, instants)
        && base.ExecuterNatif(QStringLiteral("DELETE FROM %1 WHERE %2").arg(lot.table(), lot.parmi(lot.table(), base.Identifiant(passageInstants))))
        && ecrireApres(base, table, changements) && lot.garder(LotHistorique::apres, instants) && lot.conclure(origine)
        && base.SupprimerTable(passageInstants);
    if (!fait)
        erreur = lot.erreur().isEmpty() ? QStringLiteral("Rien n'a été enregistré : %1").arg(base.DerniereErreur()) : lot.erreur();
    return fait;
}

std::optional<QDate> jour(const QVariant& v)
{
    const auto d = ValeurColonne::lireCellule(v);
    return d ? std::optional<QDate>(d->date()) : std::nullopt;
}

QDateTime quand(const QVariant& v)
{
    return ValeurColonne::lireCellule(v).value_or(QDateTime());
}

HistoriqueMesures::Ligne ligneLue(const TableauValeurs& t, int r)
{
    HistoriqueMesures::Ligne l;
    l.lot = qint64(LireNombre(t.valeur(0, r)).value_or(0.0));
    l.quand = quand(t.valeur(1, r));
    l.qui = TexteCellule(t.valeur(2, r));
    l.origine = TexteCellule(t.valeur(3, r));
    l.date = jour(t.valeur(4, r)).value_or(QDate());
    l.heure = HeureDepuisCellule(t.valeur(5, r));
    l.changement = TexteCellule(t.valeur(6, r));
    l.ancienne = t.valeur(7, r);
    l.ancienMode = TexteCellule(t.valeur(8, r));
    l.nouvelle = t.valeur(9, r);
    l.nouveauMode = TexteCellule(t.valeur(10, r));
    return l;
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
    for (const ChangementMesure& c : changements)
        if (!memeLigne(actuelles.value({c.date, c.heure}), c.avant)) {
            erreur = QStringLiteral("La mesure du %1 à %2 a changé entre-temps : rien n'a été enregistré. Rechargez les mesures.")
                         .arg(TexteDate(c.date), TexteHeure(c.heure));
            return false;
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

bool HistoriqueMesures::corriger(BaseDonnees& base, const QString& table, const QString& origine,
                                 const QList<ChangementMesure>& changements, QString& erreur)
{
    const auto nom = NomVerifie::depuis(table);
    if (!nom) {
        erreur = MessageNomRefuse(table);
        return false;
    }
    BaseAcces* a = acces(base, erreur);
    if (!a)
        return false;
    const bool fait = changements.isEmpty() || base.ToutOuRien([&] { return ecrire(*a, *nom, origine, changements, erreur); });
    if (!fait && erreur.isEmpty())
        erreur = QStringLiteral("Rien n'a été enregistré : %1").arg(base.DerniereErreur());
    return fait;
}

bool HistoriqueMesures::parcourir(BaseDonnees& base, const QString& table, const QDate& depuis, const Lecteur& lecteur)
{
    const auto nom = NomVerifie::depuis(table);
    QString erreur;
    BaseAcces* a = acces(base, erreur);
    if (!nom || !a)
        return false;
    if (base.ColonnesTable(LotHistorique::nomHistorique).isEmpty())
        return true;
    QStringList champs;
    for (const char* n : {"Lot", "Quand", "Qui", "Origine", "DateMesure", "HeureMesure", "Changement", "AncienneValeur", "AncienMode",
                          "NouvelleValeur", "NouveauMode"})
        champs << a->Identifiant(QString::fromLatin1(n));
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4")
                      .arg(champs.join(QStringLiteral(", ")), a->Identifiant(LotHistorique::nomHistorique),
                           a->Identifiant(QStringLiteral("TableMesures")), LotHistorique::texte(nom->texte()));
    if (depuis.isValid())
        sql += QStringLiteral(" AND %1 >= %2").arg(champs[1], LotHistorique::texte(ValeurColonne::iso(QDateTime(depuis, QTime(0, 0)), true)));
    sql += QStringLiteral(" ORDER BY %1 DESC, %2, %3").arg(champs[0], champs[4], champs[5]);
    return a->ParcourirNatif(sql, lignesParMorceau, [&](const TableauValeurs& t) {
        for (int r = 0; r < t.points(); ++r)
            lecteur(ligneLue(t, r));
        return true;
    });
}

std::optional<HistoriqueMesures::Lot> HistoriqueMesures::aAnnuler(BaseDonnees& base, const QString& table, QString& erreur)
{
    erreur.clear();
    const auto nom = NomVerifie::depuis(table);
    BaseAcces* a = acces(base, erreur);
    if (!nom || !a) {
        erreur = erreur.isEmpty() ? MessageNomRefuse(table) : erreur;
        return std::nullopt;
    }
    return AnnulationLot::dernier(*a, *nom, erreur);
}

bool HistoriqueMesures::annulerDernier(BaseDonnees& base, const QString& table, Lot& annule, QString& erreur, qint64 attendu)
{
    const auto nom = NomVerifie::depuis(table);
    BaseAcces* a = acces(base, erreur);
    if (!nom || !a) {
        erreur = erreur.isEmpty() ? MessageNomRefuse(table) : erreur;
        return false;
    }
    AnnulationLot annulation(*a, *nom);
    const bool fait = base.ToutOuRien([&] { return annulation.annuler(attendu, annule); });
    erreur = annulation.erreur();
    if (!fait && erreur.isEmpty())
        erreur = QStringLiteral("Rien n'a été annulé : %1").arg(base.DerniereErreur());
    return fait;
}
