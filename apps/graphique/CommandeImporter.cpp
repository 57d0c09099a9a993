// graphique importer: measurements of a CSV file added to a station's table,
// all or nothing.
#include "Commandes.h"
#include "LigneCommande.h"
#include "OuvertureBase.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "commun/ValeursProcessus.h"
#include "data/BaseDonnees.h"
#include "data/Litteraux.h"
#include "data/NomsVerifies.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

namespace {

struct Mesure
{
    QDate date;
    QString heure;
    double valeur;
};

QList<ColonneTable> colonnesDuGenre(const QString& genre, const QString& colonne)
{
    QList<ColonneTable> c = {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure}};
    if (genre == QStringLiteral("pluvio")) {
        // The first five columns in this order: the point entry writes by position.
        c << ColonneTable{QStringLiteral("Pluie"), TypeColonne::Reel} << ColonneTable{QStringLiteral("Continuite"), TypeColonne::Entier}
          << ColonneTable{QStringLiteral("ModeObtention"), TypeColonne::Texte} << ColonneTable{QStringLiteral("Validite"), TypeColonne::Entier}
          << ColonneTable{QStringLiteral("Commentaire"), TypeColonne::Texte};
        for (const char* m : {"PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"})
            c << ColonneTable{QString::fromLatin1(m), TypeColonne::Reel};
    } else {
        c << ColonneTable{colonne, TypeColonne::Reel};
        if (genre == QStringLiteral("hydro") && colonne != QStringLiteral("Hauteur"))
            c << ColonneTable{colonne == QStringLiteral("Debit") ? QStringLiteral("Hauteur") : QStringLiteral("Debit"), TypeColonne::Reel};
        c << ColonneTable{QStringLiteral("Validite"), TypeColonne::Entier} << ColonneTable{QStringLiteral("Continuite"), TypeColonne::Entier}
          << ColonneTable{QStringLiteral("ModeObtention"), TypeColonne::Texte};
    }
    bool presente = false;
    for (const ColonneTable& x : c)
        presente = presente || x.nom == colonne;
    if (!presente)
        c << ColonneTable{colonne, TypeColonne::Reel};
    return c;
}

std::optional<QDate> lireDateCsv(const QString& t)
{
    if (const auto d = LireDate(t))
        return d;
    const QDate iso = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (iso.isValid() && t.size() == 10)
        return iso;
    return std::nullopt;
}

std::optional<QString> lireHeureCsv(const QString& t)
{
    static const QRegularExpression forme(QStringLiteral("^(\\d{2}):(\\d{2})(?::(\\d{2}))?$"));
    const auto m = forme.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QString complete = m.captured(3).isEmpty() ? t + QStringLiteral(":00") : t;
    if (!LireHeure(complete))
        return std::nullopt;
    return complete;
}

} // namespace

int commandeImporter(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    const QString code = l.obligatoire(QStringLiteral("--station"), erreur);
    const QString genre = l.obligatoire(QStringLiteral("--genre"), erreur);
    const QString csv = l.obligatoire(QStringLiteral("--csv"), erreur);
    const auto colonneDonnee = l.option(QStringLiteral("--colonne"));
    const auto nom = l.option(QStringLiteral("--nom"));
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    const QString prefixe = genre == QStringLiteral("pluvio") ? QStringLiteral("PLUVIO_")
        : genre == QStringLiteral("piezo")                    ? QStringLiteral("PZ_")
        : genre == QStringLiteral("hydro")                    ? QStringLiteral("HYDRO_")
                                                               : QString();
    if (prefixe.isEmpty())
        return echec(QStringLiteral("genre de station inconnu : « %1 » (pluvio, piezo ou hydro).").arg(genre));
    const QString table = NomTableStation(prefixe, code);
    if (table.isEmpty())
        return echec(QStringLiteral("code de station refusé : « %1 » (lettres, chiffres, _ et -).").arg(code));
    const QString colonne = colonneDonnee.value_or(genre == QStringLiteral("pluvio") ? QStringLiteral("Pluie")
                                                   : genre == QStringLiteral("piezo") ? QStringLiteral("Valeur")
                                                                                       : QStringLiteral("Debit"));
    if (!EstNomVerifie(colonne))
        return echec(QStringLiteral("nom de colonne refusé : « %1 ».").arg(colonne));

    QFile fichier(csv);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text))
        return echec(QStringLiteral("impossible de lire « %1 ».").arg(csv));
    QTextStream flux(&fichier);
    QList<Mesure> mesures;
    QStringList erreurs;
    QChar separateur;
    int numero = 0;
    bool premiere = true;
    while (!flux.atEnd()) {
        const QString ligne = flux.readLine().trimmed();
        ++numero;
        if (ligne.isEmpty())
            continue;
        if (separateur.isNull())
            separateur = ligne.contains(u';') ? u';' : ligne.contains(u'\t') ? u'\t' : u',';
        QStringList champs = ligne.split(separateur);
        for (QString& c : champs)
            c = c.trimmed().remove(u'"');
        // The date may carry its time: "05/03/2004 08:30:00" or "2004-03-05T08:30".
        QString texteDate = champs.value(0), texteHeure;
        const qsizetype coupure = texteDate.indexOf(QRegularExpression(QStringLiteral("[ T]")));
        if (coupure > 0) {
            texteHeure = texteDate.mid(coupure + 1);
            texteDate = texteDate.left(coupure);
        }
        const auto date = lireDateCsv(texteDate);
        if (!date && premiere) {
            premiere = false;  // a header line
            continue;
        }
        premiere = false;
        if (!date) {
            erreurs << QStringLiteral("ligne %1 : date incorrecte « %2 » (JJ/MM/AAAA ou AAAA-MM-JJ).").arg(numero).arg(champs.value(0));
            continue;
        }
        // Three fields: the middle one is the time, possibly left empty.
        int suivant = 1;
        if (texteHeure.isEmpty() && champs.size() == 3)
            texteHeure = champs.value(suivant++);
        QString heure = QStringLiteral("00:00:00");
        if (!texteHeure.isEmpty()) {
            const auto h = lireHeureCsv(texteHeure);
            if (!h) {
                erreurs << QStringLiteral("ligne %1 : heure incorrecte « %2 » (hh:nn ou hh:nn:ss).").arg(numero).arg(texteHeure);
                continue;
            }
            heure = *h;
        }
        if (champs.size() != suivant + 1) {
            erreurs << QStringLiteral("ligne %1 : une date, une heure facultative puis une valeur sont attendues.").arg(numero);
            continue;
        }
        const QString texteValeur = champs.value(suivant);
        const auto valeur = separateur == u',' && texteValeur.contains(u',') ? std::nullopt : LireNombre(texteValeur);
        if (!valeur) {
            erreurs << QStringLiteral("ligne %1 : valeur incorrecte « %2 ».").arg(numero).arg(texteValeur);
            continue;
        }
        mesures.append({*date, heure, *valeur});
    }
    if (!erreurs.isEmpty()) {
        for (const QString& e : erreurs)
            echec(e);
        return echec(QStringLiteral("%1 ligne(s) incorrecte(s) : rien n'a été importé.").arg(erreurs.size()));
    }
    if (mesures.isEmpty())
        return echec(QStringLiteral("aucune mesure dans « %1 ».").arg(csv));

    auto base = ouvrirBase(texteBase, true, erreur);
    if (!base)
        return echec(erreur);
    QObject fenetre;
    fenetre.setProperty("typeBase", base->typeBase());
    ValeursProcessus::courantes().fenetrePrincipale = &fenetre;

    const auto annuler = [&](const QString& texte) {
        base->Annuler();
        return echec(texte);
    };
    if (!base->Commencer())
        return echec(QStringLiteral("impossible d'écrire dans la base : %1").arg(base->DerniereErreur()));
    QList<ColonneTable> colonnes = base->ColonnesTable(table);
    if (colonnes.isEmpty()) {
        colonnes = colonnesDuGenre(genre, colonne);
        if (!base->CreerTable(table, colonnes, {QStringLiteral("DateCreation"), QStringLiteral("Heure")}))
            return annuler(QStringLiteral("impossible de créer la table %1 : %2").arg(table, base->DerniereErreur()));
    }
    qsizetype indice = -1;
    for (qsizetype i = 0; i < colonnes.size(); ++i)
        if (colonnes[i].nom.compare(colonne, Qt::CaseInsensitive) == 0)
            indice = i;
    if (indice < 0)
        return annuler(QStringLiteral("la table %1 n'a pas de colonne « %2 ».").arg(table, colonne));

    // Measurements already there at the same date and time are replaced.
    QDate premierJour = mesures.first().date, dernierJour = premierJour;
    for (const Mesure& m : mesures) {
        premierJour = std::min(premierJour, m.date);
        dernierJour = std::max(dernierJour, m.date);
    }
    TableauValeurs existantes;
    qint32 n = 0;
    base->ExtraireRecords(QStringLiteral("SELECT DateCreation, Heure FROM ") + table + QStringLiteral(" WHERE DateCreation >=")
                              + FormatDateBase(TexteDate(premierJour)) + QStringLiteral(" AND DateCreation <=")
                              + FormatDateBase(TexteDate(dernierJour)),
                          existantes, n);
    QSet<QString> deja;
    for (int r = 0; r < n; ++r)
        deja.insert(TexteCellule(existantes.valeur(0, r)).left(10) + u' ' + TexteCellule(existantes.valeur(1, r)));
    QList<QVariantList> nouvelles;
    int remplacees = 0;
    for (const Mesure& m : mesures) {
        const QString cle = TexteDate(m.date) + u' ' + m.heure;
        if (deja.contains(cle)) {
            const QString sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + colonnes[indice].nom + u'=' + QString::number(m.valeur, 'g', 15)
                + QStringLiteral(" WHERE DateCreation=") + FormatDateBase(TexteDate(m.date)) + QStringLiteral(" AND Heure=") + FormatHeureBase(m.heure);
            if (!base->Execute(sql))
                return annuler(QStringLiteral("impossible de remplacer la mesure du %1 : %2").arg(cle, base->DerniereErreur()));
            ++remplacees;
            continue;
        }
        QVariantList valeurs;
        for (qsizetype i = 0; i < colonnes.size(); ++i) {
            const QString& c = colonnes[i].nom;
            if (i == 0)
                valeurs << m.date;
            else if (i == 1)
                valeurs << m.heure;
            else if (i == indice)
                valeurs << m.valeur;
            else if (c == QStringLiteral("Continuite") || c == QStringLiteral("Validite"))
                valeurs << 0;
            else
                valeurs << QVariant();
        }
        nouvelles << valeurs;
        deja.insert(cle);
    }
    if (!nouvelles.isEmpty() && !base->InsererLignes(table, nouvelles))
        return annuler(QStringLiteral("impossible d'ajouter les mesures : %1").arg(base->DerniereErreur()));

    // The station list the host keeps.
    if (base->ColonnesTable(QStringLiteral("STATIONS")).isEmpty()
        && !base->CreerTable(QStringLiteral("STATIONS"), {{QStringLiteral("Code"), TypeColonne::Texte}, {QStringLiteral("Nom"), TypeColonne::Texte},
                                                          {QStringLiteral("Genre"), TypeColonne::Texte}, {QStringLiteral("Altitude"), TypeColonne::Reel}}))
        return annuler(QStringLiteral("impossible de créer la liste des stations : %1").arg(base->DerniereErreur()));
    TableauValeurs trouvees;
    base->ExtraireRecords(QStringLiteral("SELECT Code FROM STATIONS WHERE Code='") + code + QStringLiteral("' AND Genre='") + genre + u'\'', trouvees, n);
    if (n == 0 && !base->InsererLignes(QStringLiteral("STATIONS"), {{code, nom.value_or(code), genre, QVariant()}}))
        return annuler(QStringLiteral("impossible d'ajouter la station : %1").arg(base->DerniereErreur()));
    if (!base->Valider())
        return annuler(QStringLiteral("impossible d'enregistrer : %1").arg(base->DerniereErreur()));
    ValeursProcessus::courantes().fenetrePrincipale = nullptr;
    ecrireLigne(QStringLiteral("%1 mesure(s) importée(s) dans %2, dont %3 remplacée(s).").arg(mesures.size()).arg(table).arg(remplacees));
    return sortieOk;
}
