#include "data/import/LecteurCsv.h"

#include "commun/TexteAffichable.h"

#include <QIODevice>
#include <charconv>
#include <cmath>

namespace {

constexpr int champsMax = 3;

bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}

bool lettre(char c)
{
    // Un octet au-delà de l'ASCII commence une lettre accentuée.
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

QByteArrayView sansBlancs(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t' || v.front() == '"'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '"' || v.back() == '\r' || v.back() == '\n'))
        v.chop(1);
    return v;
}

// Des chiffres seulement, lus en un entier.
bool entier(QByteArrayView v, int& n)
{
    if (v.isEmpty() || v.size() > 4)
        return false;
    n = 0;
    for (char c : v) {
        if (!chiffre(c))
            return false;
        n = n * 10 + (c - '0');
    }
    return true;
}

QString cite(QByteArrayView v)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(QString::fromUtf8(v), 40));
}

std::optional<QDate> lireDate(QByteArrayView v)
{
    int a, m, j;
    if (v.size() == 10 && v[2] == '/' && v[5] == '/') {
        if (!entier(v.sliced(0, 2), j) || !entier(v.sliced(3, 2), m) || !entier(v.sliced(6, 4), a))
            return std::nullopt;
    } else if (v.size() == 10 && v[4] == '-' && v[7] == '-') {
        if (!entier(v.sliced(0, 4), a) || !entier(v.sliced(5, 2), m) || !entier(v.sliced(8, 2), j))
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    const QDate d(a, m, j);
    if (!d.isValid() || a < 100)
        return std::nullopt;
    return d;
}

std::optional<QTime> lireHeure(QByteArrayView v)
{
    int h, n, s = 0;
    if ((v.size() != 5 && v.size() != 8) || v[2] != ':' || !entier(v.sliced(0, 2), h) || !entier(v.sliced(3, 2), n))
        return std::nullopt;
    if (v.size() == 8 && (v[5] != ':' || !entier(v.sliced(6, 2), s)))
        return std::nullopt;
    const QTime t(h, n, s);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<double> lireValeur(QByteArrayView v)
{
    char tampon[64];
    if (v.isEmpty() || v.size() >= qsizetype(sizeof tampon))
        return std::nullopt;
    qsizetype n = 0;
    for (qsizetype i = v.front() == '+' ? 1 : 0; i < v.size(); ++i)
        tampon[n++] = v[i] == ',' ? '.' : v[i];
    double x = 0;
    const auto [fin, code] = std::from_chars(tampon, tampon + n, x);
    // Ni infini ni « nan » : la base ne garde que des mesures.
    if (code != std::errc() || fin != tampon + n || n == 0 || !std::isfinite(x))
        return std::nullopt;
    return x;
}

bool ressembleADate(QByteArrayView v)
{
    qsizetype i = 0;
    while (i < v.size() && chiffre(v[i]))
        ++i;
    return i > 0 && i + 1 < v.size() && (v[i] == '/' || v[i] == '-' || v[i] == '.') && chiffre(v[i + 1]);
}

bool ressembleANombre(QByteArrayView v)
{
    if (!v.isEmpty() && (v.front() == '-' || v.front() == '+'))
        v = v.sliced(1);
    if (!v.isEmpty() && (v.front() == '.' || v.front() == ','))
        v = v.sliced(1);
    return !v.isEmpty() && chiffre(v.front());
}

// Les champs d'une ligne ; faux quand il y en a plus que ce qu'une mesure porte.
bool decouper(QByteArrayView ligne, char separateur, QByteArrayView (&champs)[champsMax + 1], int& nombre)
{
    nombre = 0;
    qsizetype debut = 0;
    for (qsizetype i = 0; i <= ligne.size(); ++i) {
        if (i < ligne.size() && ligne[i] != separateur)
            continue;
        if (nombre > champsMax)
            return false;
        champs[nombre++] = sansBlancs(ligne.sliced(debut, i - debut));
        debut = i + 1;
    }
    return nombre <= champsMax;
}

} // namespace

LecteurCsv::LecteurCsv(QIODevice& source)
    : m_source(source)
{
}

char LecteurCsv::separateurDe(QByteArrayView ligne)
{
    if (ligne.contains(';'))
        return ';';
    if (ligne.contains('\t'))
        return '\t';
    return ',';
}

bool LecteurCsv::estEntete(QByteArrayView ligne, char separateur)
{
    bool uneLettre = false;
    qsizetype debut = 0;
    for (qsizetype i = 0; i <= ligne.size(); ++i) {
        if (i < ligne.size() && ligne[i] != separateur)
            continue;
        const QByteArrayView champ = sansBlancs(ligne.sliced(debut, i - debut));
        if (ressembleADate(champ) || ressembleANombre(champ))
            return false;
        for (char c : champ)
            uneLettre = uneLettre || lettre(c);
        debut = i + 1;
    }
    return uneLettre;
}

bool LecteurCsv::lireLigne(QByteArrayView ligne, char separateur, MesureCsv& mesure, QString& motif)
{
    QByteArrayView champs[champsMax + 1];
    int nombre = 0;
    if (!decouper(ligne, separateur, champs, nombre) || nombre < 2) {
        motif = QStringLiteral("une date, une heure facultative puis une valeur sont attendues");
        return false;
    }
    // La date peut porter son heure : "05/03/2004 08:30:00" ou "2004-03-05T08:30".
    QByteArrayView texteDate = champs[0], texteHeure;
    const qsizetype coupure = std::max(texteDate.indexOf(' '), texteDate.indexOf('T'));
    if (coupure > 0) {
        texteHeure = sansBlancs(texteDate.sliced(coupure + 1));
        texteDate = texteDate.first(coupure);
    }
    const auto date = lireDate(texteDate);
    if (!date) {
        motif = QStringLiteral("date incorrecte %1 (JJ/MM/AAAA ou AAAA-MM-JJ)").arg(cite(champs[0]));
        return false;
    }
    if (nombre == 3) {
        if (!texteHeure.isEmpty()) {
            motif = QStringLiteral("une date, une heure facultative puis une valeur sont attendues");
            return false;
        }
        texteHeure = champs[1];
    }
    QTime heure(0, 0);
    if (!texteHeure.isEmpty()) {
        const auto h = lireHeure(texteHeure);
        if (!h) {
            motif = QStringLiteral("heure incorrecte %1 (hh:nn ou hh:nn:ss)").arg(cite(texteHeure));
            return false;
        }
        heure = *h;
    }
    const QByteArrayView texteValeur = champs[nombre - 1];
    const auto valeur = lireValeur(texteValeur);
    if (!valeur) {
        motif = QStringLiteral("valeur incorrecte %1").arg(cite(texteValeur));
        return false;
    }
    mesure.date = *date;
    mesure.heure = heure;
    mesure.journee = texteHeure.isEmpty();
    mesure.valeur = *valeur;
    return true;
}

bool LecteurCsv::remplir()
{
    // Le reste non lu passe en tête, la suite du fichier derrière, par grands blocs.
    constexpr qsizetype bloc = 1 << 20;
    m_tampon.remove(0, m_debut);
    m_debut = 0;
    const qsizetype avant = m_tampon.size();
    m_tampon.resize(avant + bloc);
    const qint64 lus = m_source.read(m_tampon.data() + avant, bloc);
    m_tampon.resize(avant + std::max<qint64>(lus, 0));
    if (lus < 0)
        m_erreurLecture = true;
    if (lus <= 0)
        m_finSource = true;
    return lus > 0;
}

bool LecteurCsv::lireLigneBrute(QByteArrayView& ligne, bool& tropLongue)
{
    tropLongue = false;
    qsizetype cherche = m_debut;
    for (;;) {
        const qsizetype fin = m_tampon.indexOf('\n', cherche);
        if (fin >= 0) {
            ligne = QByteArrayView(m_tampon).sliced(m_debut, fin - m_debut);
            m_debut = fin + 1;
            tropLongue = ligne.size() > longueurMaxLigne;
            return true;
        }
        // Une ligne démesurée n'est pas gardée : on n'en garde que la fin à venir.
        if (m_tampon.size() - m_debut > longueurMaxLigne) {
            tropLongue = true;
            m_debut = m_tampon.size();
            while (!m_finSource) {
                if (!remplir())
                    break;
                const qsizetype f = m_tampon.indexOf('\n');
                if (f >= 0) {
                    m_debut = f + 1;
                    break;
                }
                m_debut = m_tampon.size();
            }
            ligne = {};
            return true;
        }
        cherche = m_tampon.size() - m_debut;
        if (m_finSource || !remplir()) {
            if (m_tampon.size() <= m_debut)
                return false;
            // La dernière ligne, sans fin de ligne.
            ligne = QByteArrayView(m_tampon).sliced(m_debut);
            m_debut = m_tampon.size();
            return true;
        }
        cherche = m_debut + cherche;
    }
}

void LecteurCsv::refuser(const QString& motif)
{
    ++m_nombreRefus;
    if (m_refus.size() < refusGardes)
        m_refus.append({m_numero, motif});
}

bool LecteurCsv::suivante(MesureCsv& mesure)
{
    bool tropLongue = false;
    QByteArrayView brute;
    while (lireLigneBrute(brute, tropLongue)) {
        ++m_numero;
        if (tropLongue) {
            refuser(QStringLiteral("ligne trop longue (plus de %1 octets)").arg(longueurMaxLigne));
            m_premiere = false;
            continue;
        }
        QByteArrayView ligne = sansBlancs(brute);
        if (m_numero == 1 && ligne.startsWith("\xEF\xBB\xBF"))
            ligne = ligne.sliced(3);
        if (ligne.isEmpty())
            continue;
        if (m_separateur == 0)
            m_separateur = separateurDe(ligne);
        if (m_premiere) {
            m_premiere = false;
            if (estEntete(ligne, m_separateur)) {
                m_entete = TexteAffichable(QString::fromUtf8(ligne), 60);
                continue;
            }
        }
        QString motif;
        if (!lireLigne(ligne, m_separateur, mesure, motif)) {
            refuser(motif);
            continue;
        }
        mesure.ligne = m_numero;
        return true;
    }
    return false;
}
