#include "data/import/ImportMesures.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "commun/TexteAffichable.h"
#include "data/GenresStation.h"
#include "data/NomVerifie.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/TablesCalendrier.h"
#include "data/import/ClesVues.h"
#include "data/import/LecteurCsv.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int lignesParLot = 20000;
const QString passage = QStringLiteral("IMPORT_MESURES");

using Colonnes = QList<ColonneTable>;

Colonnes colonnesDuGenre(const QString& genre, const QString& colonne)
{
    Colonnes c = {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure}};
    if (GenresStation::est(genre, GenreStation::Genre::Pluvio)) {
        // Les cinq premières colonnes dans cet ordre : la saisie des points écrit par position.
        c << ColonneTable{QStringLiteral("Pluie"), TypeColonne::Reel} << ColonneTable{QStringLiteral("Continuite"), TypeColonne::Entier}
          << ColonneTable{QStringLiteral("ModeObtention"), TypeColonne::Texte} << ColonneTable{QStringLiteral("Validite"), TypeColonne::Entier}
          << ColonneTable{QStringLiteral("Commentaire"), TypeColonne::Texte};
        for (const char* m : {"PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"})
            c << ColonneTable{QString::fromLatin1(m), TypeColonne::Reel};
    } else {
        c << ColonneTable{colonne, TypeColonne::Reel};
        if (GenresStation::est(genre, GenreStation::Genre::Hydro) && colonne != QStringLiteral("Hauteur"))
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

// Les tables sans lesquelles une commande ne marcherait pas sur une base faite
// seulement d'imports.
bool completerBase(BaseAcces& base, int moisHydro, QString& erreur)
{
    if (base.ColonnesTable(QStringLiteral("STATIONS")).isEmpty()
        && !base.CreerTable(QStringLiteral("STATIONS"), {{QStringLiteral("Code"), TypeColonne::Texte}, {QStringLiteral("Nom"), TypeColonne::Texte},
                                                         {QStringLiteral("Genre"), TypeColonne::Texte}, {QStringLiteral("Altitude"), TypeColonne::Reel}})) {
        erreur = QStringLiteral("impossible de créer la liste des stations : %1").arg(base.DerniereErreur());
        return false;
    }
    if ((base.ColonnesTable(QStringLiteral("PERIODES")).isEmpty() || base.ColonnesTable(QStringLiteral("ANNEES")).isEmpty())
        && !TablesCalendrier::creer(base, moisHydro, erreur)) {
        erreur = QStringLiteral("impossible de créer les tables du calendrier : %1").arg(erreur);
        return false;
    }
    if (base.ColonnesTable(QStringLiteral("PLUVIOMETRE_NORMALES")).isEmpty()) {
        Colonnes normales = {{QStringLiteral("codePluviometre"), TypeColonne::Texte}, {QStringLiteral("mois"), TypeColonne::Entier},
                             {QStringLiteral("valeur"), TypeColonne::Reel}};
        for (const char* m : {"PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"})
            normales << ColonneTable{QString::fromLatin1(m), TypeColonne::Reel};
        if (!base.CreerTable(QStringLiteral("PLUVIOMETRE_NORMALES"), normales)) {
            erreur = QStringLiteral("impossible de créer la table des normales : %1").arg(base.DerniereErreur());
            return false;
        }
    }
    return true;
}

class Import
{
public:
    Import(BaseAcces& base, const ImportMesures::Demande& d, ImportMesures::Bilan& bilan, QString& erreur)
        : m_base(base)
        , m_demande(d)
        , m_bilan(bilan)
        , m_erreur(erreur)
    {
    }

    bool preparer(const NomVerifie& table, const GenreStation& genre);
    bool lire(LecteurCsv& lecteur, const ImportMesures::Progression& progression);
    bool fusionner();
    bool inscrireStation(const NomVerifie& code);

private:
    bool echec(const QString& quoi)
    {
        m_erreur = quoi.arg(m_base.DerniereErreur());
        return false;
    }
    bool natif(const QString& sql, TableauValeurs* lignes = nullptr) { return m_base.ExecuterNatif(sql, lignes); }
    qint64 compter(const QString& sql);
    bool ecarterDoublons(const QString& p);
    bool tableVide(const QString& t);

    BaseAcces& m_base;
    const ImportMesures::Demande& m_demande;
    ImportMesures::Bilan& m_bilan;
    QString& m_erreur;
    QString m_table;
    QString m_colonne;
    Colonnes m_colonnes;
    ClesVues m_cles;
};

bool Import::preparer(const NomVerifie& table, const GenreStation& genre)
{
    m_table = table.texte();
    if (!completerBase(m_base, m_demande.moisHydro, m_erreur))
        return false;
    const QString colonne = m_demande.colonne.isEmpty() ? QString::fromLatin1(genre.colonneMesure) : m_demande.colonne;
    m_colonnes = m_base.ColonnesTable(m_table);
    if (m_colonnes.isEmpty()) {
        m_colonnes = colonnesDuGenre(m_demande.genre, colonne);
        if (!m_base.CreerTable(m_table, m_colonnes, {QStringLiteral("DateCreation"), QStringLiteral("Heure")}))
            return echec(QStringLiteral("impossible de créer la table %1 : %2").arg(m_table));
    }
    for (const ColonneTable& c : m_colonnes)
        if (c.nom.compare(colonne, Qt::CaseInsensitive) == 0)
            m_colonne = c.nom;
    if (m_colonne.isEmpty()) {
        m_erreur = QStringLiteral("la table %1 n'a pas de colonne « %2 ».").arg(m_table, colonne);
        return false;
    }
    if (!m_base.CreerTableTemporaire(passage, {{QStringLiteral("DateCreation"), TypeColonne::Date},
                                               {QStringLiteral("Heure"), TypeColonne::Heure},
                                               {QStringLiteral("Valeur"), TypeColonne::Reel},
                                               {QStringLiteral("Ligne"), TypeColonne::Entier}}))
        return echec(QStringLiteral("impossible de préparer l'import : %1"));
    return true;
}

bool Import::lire(LecteurCsv& lecteur, const ImportMesures::Progression& progression)
{
    QList<QVariantList> lot;
    lot.reserve(lignesParLot);
    MesureCsv m;
    bool ecrit = true;
    while (lecteur.suivante(m)) {
        ++m_bilan.mesures;
        // Une date et une heure déjà lues : la ligne d'avant sera écartée.
        if (const qint64 avant = m_cles.noter(m.date.toJulianDay() * 86400 + m.heure.msecsSinceStartOfDay() / 1000, m.ligne)) {
            ++m_bilan.doublons;
            if (m_bilan.premiersDoublons.size() < 5)
                m_bilan.premiersDoublons.append({avant, m.ligne});
        }
        // Après une ligne refusée, rien ne sera gardé : on ne fait plus que compter.
        if (lecteur.nombreRefus() > 0 || !ecrit)
            continue;
        lot.append({m.date, m.heure, m.valeur, m.ligne});
        if (lot.size() == lignesParLot) {
            ecrit = m_base.InsererLignes(passage, lot);
            lot.clear();
            if (progression)
                progression(lecteur.lignesLues());
        }
    }
    if (lecteur.erreurLecture()) {
        m_erreur = QStringLiteral("la lecture du fichier a échoué à la ligne %1.").arg(lecteur.lignesLues() + 1);
        return false;
    }
    if (lecteur.nombreRefus() > 0) {
        QStringList details;
        for (const LigneRefusee& r : lecteur.premiersRefus())
            details << QStringLiteral("ligne %1 : %2").arg(r.ligne).arg(r.motif);
        const qint64 autres = lecteur.nombreRefus() - lecteur.premiersRefus().size();
        m_erreur = QStringLiteral("%1 ligne(s) incorrecte(s), rien n'a été importé : %2%3.")
                       .arg(lecteur.nombreRefus())
                       .arg(details.join(QStringLiteral(" ; ")))
                       .arg(autres > 0 ? QStringLiteral(" ; et %1 autre(s)").arg(autres) : QString());
        return false;
    }
    if (m_bilan.mesures == 0) {
        m_erreur = QStringLiteral("aucune mesure dans le fichier.");
        return false;
    }
    if (ecrit && !lot.isEmpty())
        ecrit = m_base.InsererLignes(passage, lot);
    if (!ecrit)
        return echec(QStringLiteral("impossible de préparer les mesures : %1"));
    return true;
}

qint64 Import::compter(const QString& sql)
{
    TableauValeurs t;
    if (!natif(sql, &t) || t.points() < 1)
        return -1;
    return qint64(LireNombre(t.valeur(0, 0)).value_or(-1));
}

bool Import::ecarterDoublons(const QString& p)
{
    // Une ligne du fichier est écartée quand une ligne plus loin porte la même date et heure.
    if (!natif(QStringLiteral("CREATE INDEX ") + m_base.Identifiant(QStringLiteral("IMPORT_MESURES_CLE")) + QStringLiteral(" ON ") + p
               + QStringLiteral(" (DateCreation, Heure, Ligne)"))
        || !natif(QStringLiteral("DELETE FROM ") + p + QStringLiteral(" WHERE EXISTS (SELECT 1 FROM ") + p
                  + QStringLiteral(" j WHERE j.DateCreation = ") + p + QStringLiteral(".DateCreation AND j.Heure = ") + p
                  + QStringLiteral(".Heure AND j.Ligne > ") + p + QStringLiteral(".Ligne)")))
        return echec(QStringLiteral("impossible d'écarter les doublons : %1"));
    return true;
}

bool Import::tableVide(const QString& t)
{
    TableauValeurs une;
    return natif(QStringLiteral("SELECT 1 FROM ") + t + QStringLiteral(" LIMIT 1"), &une) && une.points() == 0;
}

bool Import::fusionner()
{
    const QString t = m_base.Identifiant(m_table), p = m_base.Identifiant(passage), c = m_base.Identifiant(m_colonne);
    if (m_bilan.doublons > 0 && !ecarterDoublons(p))
        return false;
    const QString memeCle = QStringLiteral(" WHERE ") + t + QStringLiteral(".DateCreation = i.DateCreation AND ") + t
        + QStringLiteral(".Heure = i.Heure");
    // Une table vide (une station nouvelle) n'a rien à remplacer.
    const bool vide = tableVide(t);
    m_bilan.remplacees = vide ? 0
                              : compter(QStringLiteral("SELECT count(*) FROM ") + p + QStringLiteral(" i WHERE EXISTS (SELECT 1 FROM ") + t
                                        + memeCle + u')');
    if (m_bilan.remplacees < 0)
        return echec(QStringLiteral("impossible de lire la table : %1"));
    if (m_bilan.remplacees > 0
        && !natif(QStringLiteral("UPDATE ") + t + QStringLiteral(" SET ") + c + QStringLiteral(" = i.Valeur FROM ") + p + QStringLiteral(" i")
                  + memeCle))
        return echec(QStringLiteral("impossible de remplacer les mesures : %1"));
    // Les nouvelles lignes : validité et continuité à 0, les autres colonnes vides.
    QString colonnes = QStringLiteral("DateCreation, Heure, ") + c, valeurs = QStringLiteral("i.DateCreation, i.Heure, i.Valeur");
    for (const ColonneTable& x : m_colonnes)
        if (x.nom.compare(QStringLiteral("Continuite"), Qt::CaseInsensitive) == 0
            || x.nom.compare(QStringLiteral("Validite"), Qt::CaseInsensitive) == 0) {
            colonnes += QStringLiteral(", ") + m_base.Identifiant(x.nom);
            valeurs += QStringLiteral(", 0");
        }
    if (!natif(QStringLiteral("INSERT INTO ") + t + QStringLiteral(" (") + colonnes + QStringLiteral(") SELECT ") + valeurs
               + QStringLiteral(" FROM ") + p + QStringLiteral(" i")
               + (vide ? QString() : QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM ") + t + memeCle + u')')))
        return echec(QStringLiteral("impossible d'ajouter les mesures : %1"));
    m_bilan.ajoutees = m_bilan.mesures - m_bilan.doublons - m_bilan.remplacees;
    return m_base.SupprimerTable(passage) || echec(QStringLiteral("impossible de terminer l'import : %1"));
}

bool Import::inscrireStation(const NomVerifie& code)
{
    const auto genre = NomVerifie::depuis(m_demande.genre);
    TableauValeurs trouvees;
    qint32 n = 0;
    if (!genre || !m_base.ExtraireRecords("SELECT Code FROM STATIONS WHERE Code='" + code + "' AND Genre='" + *genre + "'", trouvees, n))
        return echec(QStringLiteral("impossible de lire la liste des stations : %1"));
    if (n == 0
        && !m_base.InsererLignes(QStringLiteral("STATIONS"),
                                 {{code.texte(), m_demande.nom.isEmpty() ? code.texte() : m_demande.nom, m_demande.genre, QVariant()}}))
        return echec(QStringLiteral("impossible d'ajouter la station : %1"));
    return true;
}

} // namespace

bool ImportMesures::importer(BaseAcces& base, LecteurCsv& lecteur, const Demande& demande, Bilan& bilan, QString& erreur,
                             const Progression& progression)
{
    const auto genre = GenresStation::depuisNom(demande.genre);
    if (!genre || !*genre->colonneMesure) {
        erreur = QStringLiteral("genre de station inconnu (%1).").arg(GenresStation::nomsImportables());
        return false;
    }
    const auto code = NomVerifie::depuis(demande.code);
    const auto table = NomVerifie::table(genre->prefixe(), demande.code);
    if (!code || !table) {
        erreur = MessageNomRefuse(demande.code);
        return false;
    }
    if (!demande.colonne.isEmpty() && !EstNomVerifie(demande.colonne)) {
        erreur = MessageNomRefuse(demande.colonne);
        return false;
    }
    bilan = Bilan();
    bilan.table = table->texte();
    erreur.clear();
    Import import(base, demande, bilan, erreur);
    const bool fait = base.ToutOuRien([&] {
        return import.preparer(*table, *genre) && import.lire(lecteur, progression) && import.fusionner() && import.inscrireStation(*code);
    });
    // Sans raison de l'import lui-même, c'est la base qui a refusé d'écrire (verrou, disque, droits).
    if (!fait && erreur.isEmpty())
        erreur = QStringLiteral("impossible d'écrire dans la base : %1").arg(base.DerniereErreur());
    return fait;
}

QString ImportMesures::Bilan::texte() const
{
    QString remplacement;
    if (doublons > 0) {
        QStringList paires;
        for (const auto& [ecartee, gardee] : premiersDoublons)
            paires << QStringLiteral("ligne %1 remplacée par la ligne %2").arg(ecartee).arg(gardee);
        if (doublons > premiersDoublons.size())
            paires << QStringLiteral("…");
        remplacement = QStringLiteral(" %1 ligne(s) du fichier répétaient une date et une heure : la dernière l'emporte (%2).")
                           .arg(doublons)
                           .arg(paires.join(QStringLiteral(", ")));
    }
    return QStringLiteral("%1 mesure(s) importée(s) dans %2 : %3 ajoutée(s), %4 remplacée(s) dans la base.%5")
        .arg(mesures)
        .arg(table)
        .arg(ajoutees)
        .arg(remplacees)
        .arg(remplacement);
}

QString ImportMesures::verifier(const QString& chemin, const Demande& demande)
{
    if (!EstNomVerifie(demande.code))
        return QStringLiteral("code de station refusé : « %1 » (lettres, chiffres, _ et -).").arg(TexteAffichable(demande.code));
    if (!demande.colonne.isEmpty() && !EstNomVerifie(demande.colonne))
        return QStringLiteral("nom de colonne refusé : « %1 ».").arg(TexteAffichable(demande.colonne));
    if (QFileInfo(chemin).isDir())
        return QStringLiteral("« %1 » est un dossier, pas un fichier CSV.").arg(TexteAffichable(chemin));
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return QStringLiteral("impossible de lire « %1 » : %2.").arg(TexteAffichable(chemin), fichier.errorString());
    return QString();
}

bool ImportMesures::importerFichier(BaseAcces& base, const QString& chemin, const Demande& demande, Bilan& bilan,
                                    QString& erreur, const std::function<void(int pourcent)>& pourcent)
{
    erreur = verifier(chemin, demande);
    if (!erreur.isEmpty())
        return false;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        erreur = QStringLiteral("impossible de lire « %1 » : %2.").arg(TexteAffichable(chemin), fichier.errorString());
        return false;
    }
    const qint64 taille = fichier.size();
    LecteurCsv lecteur(fichier);
    return importer(base, lecteur, demande, bilan, erreur, [&](qint64) {
        if (pourcent && taille > 0)
            pourcent(int(fichier.pos() * 100 / taille));
    });
}
