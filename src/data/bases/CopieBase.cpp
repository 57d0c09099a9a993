#include "data/bases/CopieBase.h"

#include "commun/TexteAffichable.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/CelluleCopie.h"
#include "data/bases/SommeControle.h"
#include "data/bases/TablesSysteme.h"

#include <QHash>

#include <algorithm>

namespace {

// Les premiers noms d'une liste, et combien d'autres suivent.
QString listeCourte(const QStringList& noms)
{
    return noms.mid(0, 3).join(QStringLiteral(", "))
        + (noms.size() > 3 ? QStringLiteral(" et %1 autre(s)").arg(noms.size() - 3) : QString());
}

const QString raisonRefus = QStringLiteral("d'autres caractères que lettres, chiffres, « _ » et « - », ou trop long");

} // namespace

CopieBase::CopieBase(BaseAcces& source, BaseAcces& cible, Progression progression)
    : m_source(source)
    , m_cible(cible)
    , m_progression(std::move(progression))
    , m_catalogueSource(source)
    , m_catalogueCible(cible)
{
}

bool CopieBase::echec(const QString& texte)
{
    if (m_erreur.isEmpty())
        m_erreur = texte;
    return false;
}

void CopieBase::avancer(const QString& legende, qint64 lignes)
{
    m_fait += lignes;
    if (m_progression)
        m_progression(legende, m_total > 0 ? int(m_fait * 100 / m_total) : 100);
}

std::optional<QStringList> CopieBase::tablesOccupees(BaseAcces& base, const QStringList& noms)
{
    CatalogueBase catalogue(base);
    const auto tables = catalogue.tables();
    if (!tables)
        return std::nullopt;
    QStringList occupees;
    for (const QString& t : *tables) {
        const bool retenue = noms.isEmpty() ? TablesSysteme::estDuSysteme(t)
                                            : std::any_of(noms.begin(), noms.end(), [&t](const QString& n) {
                                                  return n.compare(t, Qt::CaseInsensitive) == 0;
                                              });
        if (!retenue)
            continue;
        const auto n = catalogue.compter(t);
        if (!n)
            return std::nullopt;
        if (*n > 0)
            occupees << t;
    }
    return occupees;
}

// Une table de mesures au nom refusé ne serait lue par aucun ordre du système :
// la passer annoncerait une copie qui n'est pas entière, la copier porterait
// dans la cible un nom que PostgreSQL pourrait couper ou changer de casse.
bool CopieBase::verifierNoms(const QStringList& tables)
{
    QStringList refusees;
    for (const QString& nom : tables)
        if (TablesSysteme::estMesuresAuNomRefuse(nom))
            refusees << QStringLiteral("« %1 »").arg(TexteAffichable(nom, 60));
    if (refusees.isEmpty())
        return true;
    if (refusees.size() == 1)
        return echec(QStringLiteral("1 table de mesures de la source a un nom que le système refuse (%1) : %2 ; rien n'est "
                                    "copié (renommez-la ou supprimez-la dans la source).")
                         .arg(raisonRefus, refusees.constFirst()));
    return echec(QStringLiteral("%1 tables de mesures de la source ont un nom que le système refuse (%2) : %3 ; rien n'est "
                                "copié (renommez-les ou supprimez-les dans la source).")
                     .arg(refusees.size())
                     .arg(raisonRefus, listeCourte(refusees)));
}

bool CopieBase::decrireSource()
{
    const auto tables = m_catalogueSource.tables();
    if (!tables)
        return echec(QStringLiteral("catalogue de la source illisible : %1").arg(m_source.DerniereErreur()));
    if (!verifierNoms(*tables))
        return false;
    for (const QString& nom : *tables) {
        if (!TablesSysteme::estDuSysteme(nom))
            continue;
        const auto t = m_catalogueSource.decrire(nom);
        if (!t)
            return echec(QStringLiteral("table %1 de la source illisible : %2").arg(nom, m_source.DerniereErreur()));
        m_tables << *t;
        m_total += 2 * t->lignes;
    }
    if (m_tables.isEmpty())
        return echec(QStringLiteral("la source n'est pas une base de graphiques : ni liste des stations, ni calendrier, "
                                    "ni table de mesures (PLUVIO_, PZ_, HYDRO_)."));
    // Le même ordre quel que soit le moteur : les catalogues ne trient pas les noms de la même façon.
    std::stable_sort(m_tables.begin(), m_tables.end(), [](const CatalogueBase::Table& a, const CatalogueBase::Table& b) {
        const int ra = TablesSysteme::rang(a.nom), rb = TablesSysteme::rang(b.nom);
        return ra != rb ? ra < rb : a.nom.toUpper() < b.nom.toUpper();
    });
    return lireCodes() && verifierUnicite();
}

// Les codes des stations redonnent aux noms de tables leur casse.
bool CopieBase::lireCodes()
{
    if (!m_catalogueSource.minuscules() || m_source.ColonnesTable(QStringLiteral("STATIONS")).isEmpty())
        return true;
    const bool lu = m_source.ParcourirNatif(QStringLiteral("SELECT code FROM stations"), tailleLot, [this](const TableauValeurs& l) {
        for (int i = 0; i < l.points(); ++i)
            m_codes << l(0, i).toString();
        return true;
    });
    return lu || echec(QStringLiteral("liste des stations de la source illisible : %1").arg(m_source.DerniereErreur()));
}

// Deux tables de la source (« PLUVIO_ABC » et pluvio_abc sur PostgreSQL) qui
// porteraient le même nom dans la cible : l'une remplacerait l'autre.
bool CopieBase::verifierUnicite()
{
    QHash<QString, QString> vues;
    for (const CatalogueBase::Table& t : m_tables) {
        const QString cible = tableCible(t).nom;
        const auto deja = vues.constFind(cible.toUpper());
        if (deja == vues.cend()) {
            vues.insert(cible.toUpper(), t.nom);
            continue;
        }
        return echec(QStringLiteral("les tables « %1 » et « %2 » de la source deviendraient une seule table « %3 » dans la cible : "
                                    "rien n'est copié (renommez ou supprimez l'une d'elles dans la source).")
                         .arg(TexteAffichable(*deja, 60), TexteAffichable(t.nom, 60), cible));
    }
    return true;
}

CatalogueBase::Table CopieBase::tableCible(const CatalogueBase::Table& source) const
{
    if (!m_catalogueSource.minuscules())
        return source;
    CatalogueBase::Table t = source;
    t.nom = TablesSysteme::nomTable(source.nom, m_codes);
    for (ColonneTable& c : t.colonnes)
        c.nom = TablesSysteme::nomColonne(t.nom, c.nom);
    for (QString& c : t.cle)
        c = TablesSysteme::nomColonne(t.nom, c);
    for (QStringList& index : t.index)
        for (QString& c : index)
            c = TablesSysteme::nomColonne(t.nom, c);
    return t;
}

bool CopieBase::verifierCible(bool remplacer)
{
    if (remplacer)
        return true;
    QStringList noms;
    for (const CatalogueBase::Table& t : m_tables)
        noms << tableCible(t).nom;
    const auto occupees = tablesOccupees(m_cible, noms);
    if (!occupees)
        return echec(QStringLiteral("catalogue de la cible illisible : %1").arg(m_cible.DerniereErreur()));
    if (occupees->isEmpty())
        return true;
    return echec(QStringLiteral("la cible tient déjà des lignes dans %1 : rien n'est copié (--remplacer les remplace).")
                     .arg(listeCourte(*occupees)));
}

QString CopieBase::selection(BaseAcces& base, const CatalogueBase::Table& table) const
{
    QStringList colonnes;
    for (const ColonneTable& c : table.colonnes)
        colonnes << base.Identifiant(c.nom);
    return QStringLiteral("SELECT ") + colonnes.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + base.Identifiant(table.nom);
}

namespace {

bool memesNoms(const QStringList& a, const QStringList& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const QString& x, const QString& y) {
               return x.compare(y, Qt::CaseInsensitive) == 0;
           });
}

// Mêmes colonnes (noms et genres), même clé et mêmes index.
bool memeStructure(const CatalogueBase::Table& a, const CatalogueBase::Table& b)
{
    const auto colonne = [](const ColonneTable& x, const ColonneTable& y) {
        return x.type == y.type && x.nom.compare(y.nom, Qt::CaseInsensitive) == 0;
    };
    if (a.colonnes.size() != b.colonnes.size() || a.index.size() != b.index.size() || !memesNoms(a.cle, b.cle)
        || !std::equal(a.colonnes.begin(), a.colonnes.end(), b.colonnes.begin(), colonne))
        return false;
    for (int i = 0; i < a.index.size(); ++i)
        if (!memesNoms(a.index[i], b.index[i]))
            return false;
    return true;
}

} // namespace

// Une table qui garde sa structure est vidée par DELETE : une lecture en cours
// sur PostgreSQL la voit d'avant jusqu'à la validation, quand une table
// supprimée puis recréée lui paraîtrait vide. Faux pour `creee` : ses index
// existent déjà.
bool CopieBase::creerTable(const CatalogueBase::Table& cible, bool& creee)
{
    const auto existante = m_catalogueCible.structure(cible.nom);
    creee = !existante || !memeStructure(*existante, cible);
    const bool fait = creee ? m_cible.SupprimerTable(cible.nom) && m_cible.CreerTable(cible.nom, cible.colonnes, cible.cle)
                            : m_cible.ExecuterNatif(QStringLiteral("DELETE FROM ") + m_cible.Identifiant(existante->nom));
    return fait || echec(QStringLiteral("table %1 : %2").arg(cible.nom, m_cible.DerniereErreur()));
}

bool CopieBase::transferer(const CatalogueBase::Table& source, const CatalogueBase::Table& cible, SommeControle& somme)
{
    const QString legende = QStringLiteral("Copie de %1").arg(cible.nom);
    const bool lu = m_source.ParcourirNatif(selection(m_source, source), tailleLot, [&](const TableauValeurs& l) {
        TableauValeurs lot = l;
        QString message;
        if (!CelluleCopie::normaliser(lot, source.colonnes, message))
            return echec(QStringLiteral("table %1 de la source : %2").arg(source.nom, message));
        somme.ajouter(lot);
        if (!m_cible.EcrireLot(cible.nom, cible.colonnes, lot))
            return echec(QStringLiteral("table %1 : %2").arg(cible.nom, m_cible.DerniereErreur()));
        avancer(legende, lot.points());
        return true;
    });
    return lu || echec(QStringLiteral("table %1 de la source : %2").arg(source.nom, m_source.DerniereErreur()));
}

bool CopieBase::relire(const CatalogueBase::Table& cible, SommeControle& somme)
{
    const QString legende = QStringLiteral("Vérification de %1").arg(cible.nom);
    const bool lu = m_cible.ParcourirNatif(selection(m_cible, cible), tailleLot, [&](const TableauValeurs& l) {
        TableauValeurs lot = l;
        QString message;
        if (!CelluleCopie::normaliser(lot, cible.colonnes, message))
            return echec(QStringLiteral("table %1 de la cible : %2").arg(cible.nom, message));
        somme.ajouter(lot);
        avancer(legende, lot.points());
        return true;
    });
    return lu || echec(QStringLiteral("table %1 de la cible : %2").arg(cible.nom, m_cible.DerniereErreur()));
}

bool CopieBase::copierTable(const CatalogueBase::Table& source, Bilan& bilan)
{
    const CatalogueBase::Table cible = tableCible(source);
    SommeControle lue, ecrite;
    bool creee = true;
    if (!creerTable(cible, creee) || !transferer(source, cible, lue))
        return false;
    for (const QStringList& index : creee ? cible.index : QList<QStringList>())
        if (!m_cible.CreerIndex(cible.nom, index))
            return echec(QStringLiteral("index de %1 : %2").arg(cible.nom, m_cible.DerniereErreur()));
    if (!m_catalogueCible.statistiques(cible.nom))
        return echec(QStringLiteral("statistiques de %1 : %2").arg(cible.nom, m_cible.DerniereErreur()));
    if (!relire(cible, ecrite))
        return false;
    if (!(lue == ecrite))
        return echec(QStringLiteral("table %1 : la cible relue ne redonne pas la source (%2 lignes, somme %3 ; source %4 lignes, somme %5).")
                         .arg(cible.nom)
                         .arg(ecrite.lignes())
                         .arg(ecrite.texte())
                         .arg(lue.lignes())
                         .arg(lue.texte()));
    bilan = {cible.nom, lue.lignes(), lue.texte()};
    return true;
}

bool CopieBase::toutCopier(QList<Bilan>& bilans)
{
    for (const CatalogueBase::Table& t : m_tables) {
        Bilan b;
        if (!copierTable(t, b))
            return false;
        bilans << b;
    }
    return true;
}

bool CopieBase::copier(bool remplacer, QList<Bilan>& bilans, QString& erreur) noexcept
{
    try {
        bilans.clear();
        bool fait = false;
        const bool lecture = m_source.LectureCoherente([&] {
            fait = decrireSource() && verifierCible(remplacer)
                && (m_cible.ToutOuRien([&] { return toutCopier(bilans); }) || echec(m_cible.DerniereErreur()));
        });
        if (!lecture)
            echec(QStringLiteral("lecture de la source impossible : %1").arg(m_source.DerniereErreur()));
        if (!fait) {
            bilans.clear();
            erreur = m_erreur;
        }
        return fait;
    } catch (...) {
        erreur = QStringLiteral("erreur interne pendant la copie : rien n'est écrit dans la cible.");
        return false;
    }
}
