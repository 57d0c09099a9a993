// graphique corrections : l'historique des corrections des mesures d'une station, et
// l'annulation de la dernière.
#include "Commandes.h"
#include "LigneCommande.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/TexteAffichable.h"
#include "control/HoteGraphique.h"
#include "data/BaseDonnees.h"
#include "data/GenresStation.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/bases/OuvertureBase.h"

#include <cmath>

namespace {

// La table de mesures de la station (pluviomètre, piézomètre, station hydrométrique ;
// une courbe de référence ne se corrige pas) ; un code de plusieurs genres demande --genre.
QString tableDe(BaseDonnees& base, const CleStation& cle, QString& erreur)
{
    const auto stations = HoteGraphique::lireStations(&base);
    if (!stations) {
        erreur = QStringLiteral("impossible de lire la liste des stations : %1").arg(base.DerniereErreur());
        return QString();
    }
    using G = GenreStation::Genre;
    const auto s = StationsBase::trouver(*stations, cle, {G::Pluvio, G::Piezo, G::Hydro}, erreur);
    return s ? GenresStation::depuisNom(s->genre)->prefixe() + s->code : QString();
}

// Une valeur telle que la base la tient, lisible sur une ligne : des octets comptés, l'infini nommé.
QString texteValeur(const QVariant& v)
{
    if (v.typeId() == QMetaType::QByteArray)
        return QStringLiteral("(%1 octets)").arg(v.toByteArray().size());
    if (v.typeId() == QMetaType::Double && std::isinf(v.toDouble()))
        return v.toDouble() > 0 ? QStringLiteral("+Inf") : QStringLiteral("-Inf");
    return TexteAffichable(TexteCellule(v), 40);
}

QString valeurEtMode(const QVariant& valeur, const QString& mode)
{
    const QString m = mode.trimmed();
    return m.isEmpty() ? texteValeur(valeur) : QStringLiteral("%1 (%2)").arg(texteValeur(valeur), TexteAffichable(m, 8));
}

// Une ligne par mesure changée : quand, qui, le lot et d'où il vient, la mesure, avant → après.
void ecrireChangement(const HistoriqueMesures::Ligne& c)
{
    const bool ajoutee = c.changement == QStringLiteral("ajoutée"), supprimee = c.changement == QStringLiteral("supprimée");
    ecrireLigne(QStringLiteral("%1  %2  lot %3, %4  %5 %6 : %7 → %8")
                    .arg(TexteDateHeure(c.quand).left(16), TexteAffichable(c.qui, 40))
                    .arg(c.lot)
                    .arg(TexteAffichable(c.origine, 80), TexteDate(c.date), TexteHeure(c.heure),
                         ajoutee ? QStringLiteral("absente") : valeurEtMode(c.ancienne, c.ancienMode),
                         supprimee ? QStringLiteral("supprimée") : valeurEtMode(c.nouvelle, c.nouveauMode)));
}

int annuler(BaseDonnees& base, const QString& table)
{
    HistoriqueMesures::Lot annule;
    QString erreur;
    if (!HistoriqueMesures::annulerDernier(base, table, annule, erreur))
        return echec(erreur.left(1).toLower() + erreur.mid(1));
    ecrireLigne(QStringLiteral("Lot %1 annulé (%2, le %3 par %4) : %5 mesure(s) rendue(s) telles qu'avant.")
                    .arg(annule.numero)
                    .arg(TexteAffichable(annule.origine, 80), TexteDateHeure(annule.quand).left(16), TexteAffichable(annule.qui, 40))
                    .arg(annule.mesures));
    return sortieOk;
}

} // namespace

int commandeCorrections(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    const QString code = l.obligatoire(QStringLiteral("--station"), erreur);
    const auto texteGenre = l.option(QStringLiteral("--genre"));
    const QString depuis = l.option(QStringLiteral("--depuis")).value_or(QString());
    const bool annulation = l.drapeau(QStringLiteral("--annuler"));
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    if (annulation && !depuis.isEmpty())
        return echec(QStringLiteral("--annuler défait toujours la dernière correction : il ne se donne pas avec --depuis."));
    const auto date = depuis.isEmpty() ? std::optional<QDate>(QDate()) : LireDate(depuis);
    if (!date)
        return echec(QStringLiteral("date incorrecte : « %1 » (format attendu JJ/MM/AAAA).").arg(TexteAffichable(depuis)));
    std::optional<GenreStation::Genre> genre;
    if (texteGenre && !(genre = StationsBase::lireGenre(*texteGenre, erreur)))
        return echec(erreur);
    auto base = ouvrirBase(texteBase, false, erreur);
    if (!base)
        return echec(erreur);
    const QString table = tableDe(*base, {code, genre}, erreur);
    if (table.isEmpty())
        return echec(erreur);
    if (annulation)
        return annuler(*base, table);
    qint64 lignes = 0;
    if (!HistoriqueMesures::parcourir(*base, table, *date, [&](const HistoriqueMesures::Ligne& c) {
            ++lignes;
            ecrireChangement(c);
        }))
        return echec(QStringLiteral("l'historique des corrections ne se lit pas : %1").arg(base->DerniereErreur()));
    if (lignes == 0)
        ecrireLigne(QStringLiteral("Aucune correction enregistrée pour la station %1%2.")
                        .arg(TexteAffichable(code), depuis.isEmpty() ? QString() : QStringLiteral(" depuis le ") + TexteDate(*date)));
    return sortieOk;
}
