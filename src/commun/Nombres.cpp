#include "commun/Nombres.h"

#include "commun/LocaleUtilisateur.h"

#include <QMetaType>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

double Int(double x)
{
    return std::floor(x);
}

double Fix(double x)
{
    return std::trunc(x);
}

namespace {

// |x| en 15 chiffres significatifs, et la puissance de dix du premier.
struct Chiffres
{
    QByteArray chiffres;
    int exposant = 0;
};

Chiffres decomposer(double ax)
{
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.14e", ax);
    Chiffres c;
    const char* p = tampon;
    c.chiffres.append(*p++);
    if (*p == '.')
        ++p;
    while (*p >= '0' && *p <= '9')
        c.chiffres.append(*p++);
    if (*p == 'e' || *p == 'E')
        c.exposant = std::atoi(p + 1);
    return c;
}

} // namespace

QString TexteDecimalArrondi(double x, int decimales, bool demiPair)
{
    if (decimales < 0)
        decimales = 0;
    const double ax = std::fabs(x);
    if (!std::isfinite(ax) || ax == 0.0)
        return decimales > 0 ? QStringLiteral("0.") + QString(decimales, u'0') : QStringLiteral("0");

    Chiffres c = decomposer(ax);
    // Chiffres gardés : jusqu'à celui de 10^-decimales.
    const int garde = c.exposant + 1 + decimales;
    QByteArray entiers;   // chiffres de la valeur arrondie, en nombre entier de 10^-decimales
    if (garde <= 0) {
        // Valeur sous une unité du dernier rang : elle s'arrondit à 0 ou à une unité.
        bool monte = false;
        if (garde == 0) {
            const char premier = c.chiffres.at(0);
            if (premier > '5')
                monte = true;
            else if (premier == '5') {
                bool reste = false;
                for (int i = 1; i < c.chiffres.size(); ++i)
                    reste = reste || c.chiffres.at(i) != '0';
                monte = demiPair ? reste : true;
            }
        }
        entiers = monte ? QByteArray("1") : QByteArray("0");
    } else if (garde >= c.chiffres.size()) {
        entiers = c.chiffres + QByteArray(garde - c.chiffres.size(), '0');
    } else {
        entiers = c.chiffres.left(garde);
        const char suivant = c.chiffres.at(garde);
        bool monte = false;
        if (suivant > '5')
            monte = true;
        else if (suivant == '5') {
            bool reste = false;
            for (int i = garde + 1; i < c.chiffres.size(); ++i)
                reste = reste || c.chiffres.at(i) != '0';
            if (!demiPair || reste)
                monte = true;
            else
                monte = ((entiers.back() - '0') % 2) == 1;
        }
        if (monte) {
            int i = entiers.size() - 1;
            while (i >= 0 && entiers[i] == '9') {
                entiers[i] = '0';
                --i;
            }
            if (i < 0)
                entiers.prepend('1');
            else
                entiers[i] = char(entiers[i] + 1);
        }
    }
    if (entiers.size() <= decimales)
        entiers.prepend(QByteArray(decimales - entiers.size() + 1, '0'));
    QString texte = QString::fromLatin1(entiers);
    if (decimales > 0)
        texte.insert(texte.size() - decimales, u'.');
    // Zéros de tête de la partie entière, sauf un.
    int debut = 0;
    const int finEntier = decimales > 0 ? texte.size() - decimales - 1 : texte.size();
    while (debut < finEntier - 1 && texte.at(debut) == u'0')
        ++debut;
    return texte.mid(debut);
}

double Round(double x, int decimales)
{
    if (!std::isfinite(x))
        return x;
    // Loin d'une moitié, arrondis binaire et décimal s'accordent ; le quotient de
    // deux entiers exacts est le double le plus proche du résultat décimal.
    if (decimales >= 0 && decimales <= 8) {
        const double puissance = std::pow(10.0, decimales);
        const double echelle = x * puissance;
        if (std::fabs(echelle) < 1e8) {
            const double plancher = std::floor(echelle);
            if (std::fabs(echelle - plancher - 0.5) > 1e-6)
                return std::round(echelle) / puissance;
        }
    }
    const QString t = TexteDecimalArrondi(x, decimales, true);
    const double v = std::strtod(t.toLatin1().constData(), nullptr);
    return (x < 0 && v != 0.0) ? -v : v;
}

std::optional<qint16> CInt(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double r = Round(x, 0);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}

std::optional<qint32> CLng(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double r = Round(x, 0);
    if (r < double(std::numeric_limits<qint32>::min()) || r > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(r);
}

namespace {

// Ce qu'un motif de nombre demande : où sont ses places de chiffres, combien de
// zéros imposés, s'il groupe les milliers ou affiche un pourcentage.
struct MotifNombre
{
    int premier = -1, dernier = -1, point = -1;
    int zerosEntiers = 0, zerosDecimaux = 0, placesDecimales = 0;
    bool groupes = false, pourcent = false;

    void place(int i, QChar ch)
    {
        if (premier < 0)
            premier = i;
        dernier = i;
        if (point < 0) {
            zerosEntiers += ch == u'0';
            return;
        }
        ++placesDecimales;
        if (ch == u'0')
            zerosDecimaux = placesDecimales;
    }

    void lettre(int i, QChar ch)
    {
        if (ch == u'0' || ch == u'#') {
            place(i, ch);
        } else if (ch == u'.' && point < 0) {
            point = i;
            if (premier < 0)
                premier = i;
            dernier = std::max(dernier, i);
        } else if (ch == u',' && point < 0 && premier >= 0) {
            groupes = true;
        } else if (ch == u'%') {
            pourcent = true;
        }
    }

    static MotifNombre lire(const QString& section)
    {
        MotifNombre m;
        for (int i = 0; i < section.size(); ++i)
            m.lettre(i, section.at(i));
        return m;
    }
};

QString partieEntiere(QString entier, const MotifNombre& m)
{
    if (entier == QStringLiteral("0") && m.zerosEntiers == 0)
        entier.clear();
    while (entier.size() < m.zerosEntiers)
        entier.prepend(u'0');
    if (m.groupes && entier.size() > 3) {
        const QString separateur = LocaleUtilisateur::locale().groupSeparator();
        for (int i = entier.size() - 3; i > 0; i -= 3)
            entier.insert(i, separateur);
    }
    return entier;
}

QString partieDecimale(QString decimal, const MotifNombre& m)
{
    while (decimal.size() > m.zerosDecimaux && decimal.endsWith(u'0'))
        decimal.chop(1);
    return decimal;
}

bool arrondiNul(const QString& arrondi)
{
    for (QChar ch : arrondi)
        if (ch != u'0' && ch != u'.')
            return false;
    return true;
}

} // namespace

QString FormatNombre(double x, const QString& motif)
{
    // Seule la première section d'un motif "positif;négatif;zéro" sert.
    const QString section = motif.section(u';', 0, 0);
    const MotifNombre m = MotifNombre::lire(section);
    if (m.premier < 0)
        return section;

    const QString arrondi = TexteDecimalArrondi(m.pourcent ? x * 100.0 : x, m.placesDecimales, false);
    QString texte = partieEntiere(arrondi.section(u'.', 0, 0), m);
    if (m.point >= 0)
        texte += LocaleUtilisateur::separateurDecimal() + partieDecimale(arrondi.section(u'.', 1, 1), m);

    QString avant, apres;
    for (int i = 0; i < m.premier; ++i)
        if (section.at(i) != u'%')
            avant += section.at(i);
    apres = section.mid(m.dernier + 1);
    if (m.pourcent && !apres.contains(u'%') && !avant.contains(u'%'))
        apres += u'%';
    const QString signe = (x < 0 && !arrondiNul(arrondi)) ? QStringLiteral("-") : QString();
    return signe + avant + texte + apres;
}

namespace {

// Les genres que rendent les bases, lus sans conversion : ils passent ici par
// centaines de milliers. Rien pour un genre qui n'est pas un nombre ; rien non
// plus, avec `texte` vrai, pour un texte à lire.
std::optional<double> nombreDuGenre(const QVariant& valeur, bool& texte)
{
    texte = false;
    switch (valeur.typeId()) {
    case QMetaType::Double:
        return *static_cast<const double*>(valeur.constData());
    case QMetaType::LongLong:
        return double(*static_cast<const qlonglong*>(valeur.constData()));
    case QMetaType::Int:
        return double(*static_cast<const int*>(valeur.constData()));
    case QMetaType::Float:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return valeur.toDouble();
    case QMetaType::Bool:
        return valeur.toBool() ? -1.0 : 0.0;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        texte = true;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Un texte écrit en ASCII, le séparateur déjà changé en point : lu sans la
// locale ; rien et `lu` vrai pour une date ou une heure, qui ne sont d'aucun
// nombre ; `lu` faux quand la locale doit en juger.
std::optional<double> nombreSimple(const QString& texte, bool& lu)
{
    lu = false;
    char tampon[64];
    const qsizetype n = texte.size();
    if (n >= qsizetype(sizeof tampon))
        return std::nullopt;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c >= 128)
            return std::nullopt;
        tampon[i] = c == u',' ? '.' : char(c);
    }
    // Une barre ou deux-points (une date, une heure) n'est d'aucun nombre, en aucune langue.
    if (std::any_of(tampon, tampon + n, [](char c) { return c == '/' || c == ':'; })) {
        lu = true;
        return std::nullopt;
    }
    double v = 0;
    const auto [fin, erreur] = std::from_chars(tampon, tampon + n, v);
    lu = erreur == std::errc() && fin == tampon + n && std::isfinite(v);
    return lu ? std::optional<double>(v) : std::nullopt;
}

} // namespace

std::optional<double> LireNombre(const QVariant& valeur)
{
    if (!valeur.isValid() || valeur.isNull())
        return std::nullopt;
    bool estTexte = false;
    if (const auto n = nombreDuGenre(valeur, estTexte); n || !estTexte)
        return n;
    QString texte = valeur.toString().trimmed();
    if (texte.isEmpty())
        return std::nullopt;
    const QChar separateur = LocaleUtilisateur::separateurDecimal();
    if (separateur == u',')
        texte.replace(u'.', u',');
    else
        texte.replace(u',', u'.');
    // Une fois le séparateur devenu un point, un nombre simple se lit de même
    // dans toutes les langues.
    bool lu = false;
    if (const auto n = nombreSimple(texte, lu); lu)
        return n;
    bool ok = false;
    const double v = LocaleUtilisateur::locale().toDouble(texte, &ok);
    if (ok && std::isfinite(v))
        return v;
    return std::nullopt;
}

namespace {

// Les blancs ne comptent pas ; la lecture s'arrête au premier caractère hors ASCII.
QByteArray sansBlancs(const QString& texte)
{
    QByteArray t;
    t.reserve(texte.size());
    for (const QChar c : texte) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c.unicode() >= 128)
            break;
        t.append(char(c.unicode()));
    }
    return t;
}

int apresChiffres(const QByteArray& t, int i)
{
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i;
    return i;
}

// Fin d'un exposant (« e », « E », « d » ou « D ») écrit en `i` ; `i` s'il n'y en a pas.
int apresExposant(QByteArray& t, int i)
{
    if (i >= t.size() || (t[i] != 'e' && t[i] != 'E' && t[i] != 'd' && t[i] != 'D'))
        return i;
    int j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-'))
        ++j;
    const int fin = apresChiffres(t, j);
    if (fin == j)
        return i;
    t[i] = 'e';
    return fin;
}

} // namespace

double Val(const QString& texte)
{
    QByteArray t = sansBlancs(texte);
    const int debut = !t.isEmpty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
    int i = apresChiffres(t, debut);
    bool chiffres = i > debut;
    if (i < t.size() && t[i] == '.') {
        const int j = apresChiffres(t, i + 1);
        chiffres = chiffres || j > i + 1;
        i = j;
    }
    if (!chiffres)
        return 0.0;
    i = apresExposant(t, i);
    const int lecture = t.startsWith('+') ? 1 : 0;
    double v = 0.0;
    const auto resultat = std::from_chars(t.constData() + lecture, t.constData() + i, v);
    if (resultat.ec != std::errc() || !std::isfinite(v))
        return 0.0;
    return v;
}

QString TexteNombre(double x)
{
    if (!std::isfinite(x))
        return QString();
    if (x == 0.0)
        return QStringLiteral("0");
    QString t = QString::number(x, 'g', 15);
    if (t.contains(u'e')) {
        // Les très grandes et très petites valeurs s'écrivent sans exposant, pour
        // être relues partout, jusqu'à 15 chiffres.
        t = QString::number(x, 'f', 15);
        if (t.contains(u'.')) {
            while (t.endsWith(u'0'))
                t.chop(1);
            if (t.endsWith(u'.'))
                t.chop(1);
        }
    }
    t.replace(u'.', LocaleUtilisateur::separateurDecimal());
    return t;
}
