#include "data/import/AnalyseArchive.h"

#include "commun/TexteAffichable.h"
#include "data/import/TexteArchive.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int champsMax = 256;

QByteArrayView sansBlancs(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r'))
        v.chop(1);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.sliced(1, v.size() - 2);
    return v;
}

QString cite(QByteArrayView v)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(TexteArchive::deviner(v), 40));
}

bool chiffres(QByteArrayView v, int& n)
{
    n = 0;
    for (char c : v) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    return !v.isEmpty();
}

// Un nombre à point ou virgule décimale ; rien pour un champ vide ; faux s'il est illisible.
bool lireNombre(QByteArrayView v, std::optional<double>& x)
{
    x.reset();
    if (v.isEmpty())
        return true;
    char tampon[64] = {};
    if (v.size() >= qsizetype(sizeof tampon))
        return false;
    qsizetype n = 0;
    for (qsizetype i = v.front() == '+' ? 1 : 0; i < v.size(); ++i)
        tampon[n++] = v[i] == ',' ? '.' : v[i];
    double d = 0;
    const auto [fin, code] = std::from_chars(tampon, tampon + n, d);
    if (code != std::errc() || fin != tampon + n || n == 0 || !std::isfinite(d))
        return false;
    x = d;
    return true;
}

// La position d'un champ de l'en-tête dans la liste des colonnes, -1 s'il n'y est pas.
int position(const QList<QByteArray>& entete, const char* nom)
{
    for (int i = 0; i < entete.size(); ++i)
        if (entete[i].compare(QByteArrayView(nom), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

AnalyseArchive::AnalyseArchive(const FormatArchive& format)
    : m_format(format)
{
    std::fill(std::begin(m_indices), std::end(m_indices), -1);
}

bool AnalyseArchive::lireEntete(QByteArrayView ligne, QString& erreur)
{
    if (ligne.startsWith("\xEF\xBB\xBF"))
        ligne = ligne.sliced(3);
    m_separateur = ligne.contains(';') ? ';' : ligne.contains('\t') ? '\t' : ',';
    QList<QByteArray> entete;
    for (const QByteArrayView champ : QByteArray(ligne.data(), ligne.size()).split(m_separateur))
        entete << sansBlancs(champ).toByteArray();
    for (const FormatArchive::Colonne& c : m_format.colonnes) {
        if (!c.entete)
            continue;
        m_indices[c.role] = position(entete, c.entete);
        // Une colonne lue deux fois : rien ne dit laquelle porte les mesures.
        if (m_indices[c.role] >= 0 && position(entete.mid(m_indices[c.role] + 1), c.entete) >= 0) {
            erreur = QStringLiteral("l'en-tête du fichier a plusieurs fois la colonne « %1 » : on ne sait laquelle lire, rien n'a été importé.")
                         .arg(QString::fromLatin1(c.entete));
            return false;
        }
        if (m_indices[c.role] < 0 && c.requise) {
            erreur = QStringLiteral("l'en-tête du fichier n'a pas la colonne « %1 » : ce n'est pas un fichier %2 (colonnes lues : %3).")
                         .arg(QString::fromLatin1(c.entete), m_format.texte(), m_format.entetes());
            return false;
        }
        m_dernierIndice = std::max(m_dernierIndice, m_indices[c.role]);
    }
    if (m_dernierIndice >= champsMax) {
        erreur = QStringLiteral("l'en-tête du fichier a plus de %1 colonnes avant celles à lire.").arg(champsMax);
        return false;
    }
    return true;
}

bool AnalyseArchive::decouper(QByteArrayView ligne, QByteArrayView* champs, QString& motif) const
{
    // On s'arrête au dernier champ lu ; un champ entre guillemets peut porter le séparateur.
    qsizetype i = 0;
    for (int n = 0; n <= m_dernierIndice; ++n) {
        if (i > ligne.size()) {
            motif = QStringLiteral("ligne incomplète : %1 champ(s) au lieu d'au moins %2").arg(n).arg(m_dernierIndice + 1);
            return false;
        }
        qsizetype fin = i;
        if (fin < ligne.size() && ligne[fin] == '"') {
            fin = ligne.indexOf('"', fin + 1);
            fin = fin < 0 ? ligne.size() : fin + 1;
        }
        const qsizetype sep = ligne.indexOf(m_separateur, fin);
        fin = sep < 0 ? ligne.size() : sep;
        champs[n] = sansBlancs(ligne.sliced(i, fin - i));
        i = fin + 1;
    }
    return true;
}

bool AnalyseArchive::lireDate(QByteArrayView v, QDate& date, QString& motif) const
{
    int a = 0, m = 0, j = 0;
    bool lue = false;
    if (m_format.dates == FormatArchive::Dates::AAAAMMJJ)
        lue = v.size() == 8 && chiffres(v.sliced(0, 4), a) && chiffres(v.sliced(4, 2), m) && chiffres(v.sliced(6, 2), j);
    else
        lue = v.size() == 10 && v[4] == '-' && v[7] == '-' && chiffres(v.sliced(0, 4), a) && chiffres(v.sliced(5, 2), m)
            && chiffres(v.sliced(8, 2), j);
    date = QDate(a, m, j);
    if (lue && date.isValid() && a >= 1000)
        return true;
    motif = QStringLiteral("date incorrecte %1 (%2 attendue)")
                .arg(cite(v), m_format.dates == FormatArchive::Dates::AAAAMMJJ ? QStringLiteral("AAAAMMJJ") : QStringLiteral("AAAA-MM-JJ"));
    return false;
}

bool AnalyseArchive::lire(QByteArrayView ligne, LigneArchive& r, QString& motif) const
{
    QByteArrayView champs[champsMax];
    if (!decouper(ligne, champs, motif))
        return false;
    auto champ = [&](FormatArchive::Role role) { return m_indices[role] < 0 ? QByteArrayView() : champs[m_indices[role]]; };
    r.code = champ(FormatArchive::Code);
    r.nom = champ(FormatArchive::Nom);
    r.grandeur = champ(FormatArchive::Grandeur);
    if (r.code.isEmpty()) {
        motif = QStringLiteral("code de station vide");
        return false;
    }
    if (!lireDate(champ(FormatArchive::Date), r.date, motif))
        return false;
    for (const auto role : {FormatArchive::Valeur, FormatArchive::Niveau})
        if (!lireNombre(champ(role), role == FormatArchive::Valeur ? r.valeur : r.niveau)) {
            motif = QStringLiteral("valeur incorrecte %1 dans la colonne %2").arg(cite(champ(role)), QString::fromLatin1(m_format.colonnes[role].entete));
            return false;
        }
    // Altitude et code qualité ne sont que des compléments : illisibles, ils restent vides.
    if (!lireNombre(champ(FormatArchive::Altitude), r.altitude))
        r.altitude.reset();
    const QByteArrayView qualite = champ(FormatArchive::Qualite);
    int q = 0;
    r.qualite = qualite.size() <= 6 && chiffres(qualite, q) ? std::optional<int>(q) : std::nullopt;
    return true;
}
