#include "data/import/ImportArchive.h"

#include "commun/TexteAffichable.h"
#include "data/NomVerifie.h"
#include "data/bases/BaseAcces.h"
#include "data/import/AnalyseArchive.h"
#include "data/import/LecteurLignes.h"
#include "data/import/SeriesArchive.h"
#include "data/import/TablesImport.h"

#include <QFileInfo>

namespace {

constexpr int refusGardes = 5;
constexpr qint64 lignesEntreAvancements = 20000;

// La lecture d'un fichier, ligne après ligne, jusqu'aux séries des stations.
class Lecture
{
public:
    Lecture(BaseAcces& base, const FormatArchive& format, const ImportArchive::Demande& demande, ImportArchive::Bilan& bilan,
            QString& erreur, const QString& origine)
        : m_base(base)
        , m_demande(demande)
        , m_bilan(bilan)
        , m_erreur(erreur)
        , m_analyse(format)
        , m_series(base, format, demande.stations, bilan, origine)
    {
    }

    bool lire(LecteurLignes& lecteur, const ImportArchive::Progression& progression);
    bool terminer(const ImportArchive::Progression& progression);

private:
    bool lireEntete(LecteurLignes& lecteur);
    bool lireLigne(QByteArrayView ligne, qint64 numero);
    void refuser(qint64 numero, const QString& motif);
    bool bilanDeLecture(const LecteurLignes& lecteur);

    BaseAcces& m_base;
    const ImportArchive::Demande& m_demande;
    ImportArchive::Bilan& m_bilan;
    QString& m_erreur;
    AnalyseArchive m_analyse;
    SeriesArchive m_series;
    LigneArchive m_ligne;
    qint64 m_nombreRefus = 0;
    QStringList m_refus;
};

void Lecture::refuser(qint64 numero, const QString& motif)
{
    if (++m_nombreRefus == 1)
        m_series.arreterEcriture();
    if (m_refus.size() < refusGardes)
        m_refus << QStringLiteral("ligne %1 : %2").arg(numero).arg(motif);
}

bool Lecture::lireEntete(LecteurLignes& lecteur)
{
    QByteArrayView ligne;
    bool tropLongue = false;
    while (lecteur.suivante(ligne, tropLongue))
        if (tropLongue || !ligne.trimmed().isEmpty())
            return m_analyse.lireEntete(ligne, m_erreur);
    m_erreur = lecteur.erreurLecture() ? QStringLiteral("la lecture du fichier a échoué dès le début (fichier compressé abîmé ?).")
                                       : QStringLiteral("le fichier est vide.");
    return false;
}

bool Lecture::lireLigne(QByteArrayView ligne, qint64 numero)
{
    QString motif;
    const int station = m_analyse.lire(ligne, m_ligne, motif) ? m_series.station(m_ligne.code, motif) : SeriesArchive::refusee;
    if (station == SeriesArchive::horsSelection) {
        ++m_bilan.autresStations;
        return true;
    }
    if (station == SeriesArchive::refusee) {
        refuser(numero, motif);
        return true;
    }
    if (!m_series.ajouter(station, m_ligne, numero)) {
        m_erreur = m_series.erreur();
        return false;
    }
    return true;
}

bool Lecture::lire(LecteurLignes& lecteur, const ImportArchive::Progression& progression)
{
    if (!lireEntete(lecteur))
        return false;
    QByteArrayView ligne;
    bool tropLongue = false;
    while (lecteur.suivante(ligne, tropLongue)) {
        if (tropLongue)
            refuser(lecteur.numero(), QStringLiteral("ligne trop longue (plus de %1 octets)").arg(LecteurLignes::longueurMaxLigne));
        else if (!ligne.trimmed().isEmpty() && !lireLigne(ligne, lecteur.numero()))
            return false;
        if (progression && lecteur.numero() % lignesEntreAvancements == 0)
            progression({lecteur.numero(), m_series.nombreStations(), 0, lecteur.pourcent()});
    }
    m_bilan.lignesLues = lecteur.numero();
    return bilanDeLecture(lecteur);
}

bool Lecture::bilanDeLecture(const LecteurLignes& lecteur)
{
    if (lecteur.erreurLecture()) {
        m_erreur = QStringLiteral("la lecture du fichier a échoué après la ligne %1 (fichier compressé tronqué ou abîmé ?), rien n'a été importé.")
                       .arg(lecteur.numero());
        return false;
    }
    if (m_nombreRefus > 0) {
        const qint64 autres = m_nombreRefus - m_refus.size();
        m_erreur = QStringLiteral("%1 ligne(s) incorrecte(s), rien n'a été importé : %2%3.")
                       .arg(m_nombreRefus)
                       .arg(m_refus.join(QStringLiteral(" ; ")))
                       .arg(autres > 0 ? QStringLiteral(" ; et %1 autre(s)").arg(autres) : QString());
        return false;
    }
    m_bilan.absentes = m_series.absentes();
    if (m_bilan.mesures == 0) {
        m_erreur = QStringLiteral("aucune mesure à importer dans le fichier (%1 ligne(s) lue(s), %2 valeur(s) vide(s)%3).")
                       .arg(m_bilan.lignesLues)
                       .arg(m_bilan.vides)
                       .arg(m_bilan.autresStations > 0 ? QStringLiteral(", %1 ligne(s) d'autres stations").arg(m_bilan.autresStations) : QString());
        return false;
    }
    return true;
}

bool Lecture::terminer(const ImportArchive::Progression& progression)
{
    if (!TablesImport::completerBase(m_base, m_demande.moisHydro, m_erreur))
        return false;
    const int stations = m_series.nombreStations();
    const bool fait = m_series.terminer([&](int faites) {
        if (progression)
            progression({m_bilan.lignesLues, stations, faites, 100});
    });
    if (!fait)
        m_erreur = m_series.erreur();
    return fait;
}

} // namespace

QString ImportArchive::verifier(const QString& chemin, const Demande& demande)
{
    if (!FormatArchive::depuisNom(demande.format))
        return QStringLiteral("format inconnu : « %1 » (%2).").arg(TexteAffichable(demande.format), FormatArchive::noms());
    for (const QString& code : demande.stations)
        if (!EstNomVerifie(FormatArchive::codeTable(code)))
            return MessageCodeRefuse(code, true) + u'.';
    return LecteurLignes(chemin).erreurOuverture();
}

bool ImportArchive::importer(BaseAcces& base, const QString& chemin, const Demande& demande, Bilan& bilan, QString& erreur,
                             const Progression& progression)
{
    erreur = verifier(chemin, demande);
    if (!erreur.isEmpty())
        return false;
    const FormatArchive format = *FormatArchive::depuisNom(demande.format);
    LecteurLignes lecteur(chemin);
    if (!lecteur.erreurOuverture().isEmpty()) {
        erreur = lecteur.erreurOuverture();
        return false;
    }
    bilan = Bilan();
    bilan.format = format.texte();
    Lecture lecture(base, format, demande, bilan, erreur, QStringLiteral("import de %1").arg(QFileInfo(chemin).fileName()));
    const bool fait = base.ToutOuRien([&] { return lecture.lire(lecteur, progression) && lecture.terminer(progression); });
    // Sans raison de l'import lui-même, c'est la base qui a refusé d'écrire (verrou, disque, droits).
    if (!fait && erreur.isEmpty())
        erreur = QStringLiteral("impossible d'écrire dans la base : %1").arg(base.DerniereErreur());
    return fait;
}

QString ImportArchive::Bilan::texte() const
{
    QString t = QStringLiteral("Import %1 : %2 station(s) (%3 créée(s), %4 complétée(s)), %5 ligne(s) lue(s), %6 mesure(s) écrite(s) "
                               "(%7 ajoutée(s), %8 remplacée(s)), %9 valeur(s) vide(s) passée(s).")
                    .arg(format)
                    .arg(stationsCreees + stationsCompletees)
                    .arg(stationsCreees)
                    .arg(stationsCompletees)
                    .arg(lignesLues)
                    .arg(ajoutees + remplacees)
                    .arg(ajoutees)
                    .arg(remplacees)
                    .arg(vides);
    if (doublons > 0)
        t += QStringLiteral(" %1 ligne(s) répétaient une station et une date : la dernière l'emporte (%2).")
                 .arg(doublons)
                 .arg(premiersDoublons.texte(doublons));
    if (autresGrandeurs > 0)
        t += QStringLiteral(" %1 ligne(s) d'autres grandeurs que QmJ et QmM passée(s).").arg(autresGrandeurs);
    if (autresStations > 0)
        t += QStringLiteral(" %1 ligne(s) d'autres stations passée(s).").arg(autresStations);
    if (!absentes.isEmpty())
        t += QStringLiteral(" Absente(s) du fichier : %1.").arg(absentes.join(QStringLiteral(", ")));
    return t;
}
