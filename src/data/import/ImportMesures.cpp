#include "data/import/ImportMesures.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "commun/TexteAffichable.h"
#include "data/GenresStation.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "data/TableMesures.h"
#include "data/bases/BaseAcces.h"
#include "data/import/ClesVues.h"
#include "data/import/FusionMesures.h"
#include "data/import/LecteurCsv.h"
#include "data/import/TablesImport.h"
#include "commun/RaisonSysteme.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

constexpr int lignesParLot = 20000;
const QString passage = QStringLiteral("IMPORT_MESURES");

using Colonnes = QList<ColonneTable>;

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
    // Une ligne à écrire : dans la table de passage, ou toute la ligne de la station.
    QVariantList ligne(const MesureCsv& m) const;
    bool ecrire(QList<QVariantList>& lot);
    // Une date et une heure répétées dans le fichier : la ligne d'avant, déjà écrite, s'efface.
    bool effacerPrecedente(const MesureCsv& m, QList<QVariantList>& lot);
    bool echec(const QString& quoi)
    {
        m_erreur = quoi.arg(m_base.DerniereErreur());
        return false;
    }

    BaseAcces& m_base;
    const ImportMesures::Demande& m_demande;
    ImportMesures::Bilan& m_bilan;
    QString& m_erreur;
    QString m_table;
    QString m_colonne;
    Colonnes m_colonnes;
    // Une station neuve reçoit ses mesures directement, en un seul passage : rien
    // n'y est à remplacer ni à fusionner.
    bool m_directe = false;
    // Les colonnes qu'elle reçoit : la date, l'heure, la mesure, puis la validité et la continuité.
    QStringList m_colonnesDirectes;
    int m_zeros = 0;
    // Une ligne sans heure au moins : sans elle, la fusion n'a aucune valeur du jour à placer.
    bool m_journees = false;
    ClesVues m_cles;
};

bool Import::preparer(const NomVerifie& table, const GenreStation& genre)
{
    m_table = table.texte();
    if (!TablesImport::completerBase(m_base, m_demande.moisHydro, m_erreur))
        return false;
    const QString colonne = m_demande.colonne.isEmpty() ? QString::fromLatin1(genre.colonneMesure) : m_demande.colonne;
    m_colonnes = m_base.ColonnesTable(m_table);
    if (m_colonnes.isEmpty()) {
        m_colonnes = TablesImport::colonnesStation(m_demande.genre, colonne);
        if (!m_base.CreerTable(m_table, m_colonnes, {QStringLiteral("DateCreation"), QStringLiteral("Heure")}))
            return echec(QStringLiteral("impossible de créer la table %1 : %2").arg(m_table));
        m_directe = true;
    }
    for (const ColonneTable& c : m_colonnes)
        if (c.nom.compare(colonne, Qt::CaseInsensitive) == 0)
            m_colonne = c.nom;
    if (m_colonne.isEmpty()) {
        m_erreur = QStringLiteral("la table %1 n'a pas de colonne « %2 ».").arg(m_table, colonne);
        return false;
    }
    if (m_directe) {
        m_colonnesDirectes = {QStringLiteral("DateCreation"), QStringLiteral("Heure"), m_colonne};
        for (const ColonneTable& c : m_colonnes)
            if ((c.nom.compare(QStringLiteral("Continuite"), Qt::CaseInsensitive) == 0
                 || c.nom.compare(QStringLiteral("Validite"), Qt::CaseInsensitive) == 0)
                && c.nom.compare(m_colonne, Qt::CaseInsensitive) != 0)
                m_colonnesDirectes << c.nom;
        m_zeros = int(m_colonnesDirectes.size()) - 3;
        return true;
    }
    if (!m_base.CreerTableTemporaire(passage, {{QStringLiteral("DateCreation"), TypeColonne::Date},
                                               {QStringLiteral("Heure"), TypeColonne::Heure},
                                               {QStringLiteral("Valeur"), TypeColonne::Reel},
                                               {QStringLiteral("Ligne"), TypeColonne::Entier},
                                               {QStringLiteral("Jour"), TypeColonne::Entier}}))
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
        m_journees = m_journees || m.journee;
        // Une date et une heure déjà lues : la ligne d'avant sera écartée.
        const qint64 avant = m_cles.noter(m.date.toJulianDay() * 86400 + m.heure.msecsSinceStartOfDay() / 1000, m.ligne);
        if (avant) {
            ++m_bilan.doublons;
            m_bilan.premiersDoublons.noter(avant, m.ligne);
        }
        // Après une ligne refusée, rien ne sera gardé : on ne fait plus que compter.
        if (lecteur.nombreRefus() > 0 || !ecrit)
            continue;
        if (avant && m_directe && !effacerPrecedente(m, lot)) {
            ecrit = false;
            continue;
        }
        lot.append(ligne(m));
        if (lot.size() == lignesParLot) {
            ecrit = ecrire(lot);
            if (progression && !progression(lecteur.lignesLues())) {
                m_erreur = QStringLiteral("import annulé : rien n'a été écrit.");
                return false;
            }
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
        ecrit = ecrire(lot);
    if (!ecrit)
        return echec(QStringLiteral("impossible de préparer les mesures : %1"));
    return true;
}

QVariantList Import::ligne(const MesureCsv& m) const
{
    if (!m_directe)
        return {m.date, m.heure, m.valeur, m.ligne, int(m.journee)};
    // Comme une fusion les écrit : validité et continuité à 0, les autres colonnes vides.
    QVariantList l{m.date, m.heure, m.valeur};
    for (int z = 0; z < m_zeros; ++z)
        l << 0;
    return l;
}

bool Import::ecrire(QList<QVariantList>& lot)
{
    const bool ecrit = m_directe ? m_base.InsererLignes(m_table, m_colonnesDirectes, lot) : m_base.InsererLignes(passage, lot);
    lot.clear();
    return ecrit;
}

bool Import::effacerPrecedente(const MesureCsv& m, QList<QVariantList>& lot)
{
    const auto table = NomVerifie::depuis(m_table);
    return table && ecrire(lot)
        && m_base.Execute("DELETE FROM " + *table + " WHERE DateCreation=" + LitteralDate(m.date, m_base.typeBase())
                          + " AND Heure=" + LitteralHeure(m.heure, m_base.typeBase()));
}

bool Import::fusionner()
{
    if (m_directe) {
        m_bilan.ajoutees = m_bilan.mesures - m_bilan.doublons;
        m_bilan.remplacees = 0;
        return true;
    }
    FusionMesures fusion(m_base, m_table, passage);
    if (m_journees)
        fusion.journees(QStringLiteral("Jour"));
    FusionMesures::Resultat r;
    if ((m_bilan.doublons > 0 && !fusion.ecarterDoublons())
        || !fusion.fusionner({{m_colonne, QStringLiteral("i.Valeur")}}, m_colonnes, m_bilan.mesures - m_bilan.doublons,
                             m_demande.origine, r)) {
        if (m_erreur.isEmpty())
            m_erreur = fusion.erreur();
        return false;
    }
    m_bilan.ajoutees = r.ajoutees;
    m_bilan.remplacees = r.remplacees;
    return true;
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
        return TablesImport::verifierCodeNeuf(base, demande.genre, code->texte(), erreur) && import.preparer(*table, *genre) && import.lire(lecteur, progression) && import.fusionner() && import.inscrireStation(*code);
    });
    // Sans raison de l'import lui-même, c'est la base qui a refusé d'écrire (verrou, disque, droits).
    if (!fait && erreur.isEmpty())
        erreur = QStringLiteral("impossible d'écrire dans la base : %1").arg(base.DerniereErreur());
    return fait;
}

QString ImportMesures::Bilan::texte() const
{
    QString remplacement;
    if (doublons > 0)
        remplacement = QStringLiteral(" %1 ligne(s) du fichier répétaient une date et une heure : la dernière l'emporte (%2).")
                           .arg(doublons)
                           .arg(premiersDoublons.texte(doublons));
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
        return MessageCodeRefuse(demande.code) + u'.';
    if (!demande.colonne.isEmpty() && !EstNomVerifie(demande.colonne))
        return QStringLiteral("nom de colonne refusé : « %1 ».").arg(TexteAffichable(demande.colonne));
    if (QFileInfo(chemin).isDir())
        return QStringLiteral("« %1 » est un dossier, pas un fichier CSV.").arg(TexteAffichable(chemin));
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return QStringLiteral("impossible de lire « %1 » : %2.").arg(TexteAffichable(chemin), RaisonSysteme(fichier.errorString()));
    return QString();
}

bool ImportMesures::importerFichier(BaseAcces& base, const QString& chemin, const Demande& demande, Bilan& bilan,
                                    QString& erreur, const std::function<bool(int pourcent)>& pourcent)
{
    erreur = verifier(chemin, demande);
    if (!erreur.isEmpty())
        return false;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        erreur = QStringLiteral("impossible de lire « %1 » : %2.").arg(TexteAffichable(chemin), RaisonSysteme(fichier.errorString()));
        return false;
    }
    const qint64 taille = fichier.size();
    LecteurCsv lecteur(fichier);
    Demande d = demande;
    d.origine = QStringLiteral("import de %1").arg(QFileInfo(chemin).fileName());
    return importer(base, lecteur, d, bilan, erreur,
                    [&](qint64) { return !pourcent || taille <= 0 || pourcent(int(fichier.pos() * 100 / taille)); });
}
