#include "GenerateurArchives.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <cmath>
#include <zlib.h>

namespace {

// Les autres variables du fichier de climatologie, chacune suivie de son code qualité.
const char* const autresVariables[] = {"TN", "HTN", "TX", "HTX", "TM", "TNTXM", "TAMPLI", "TNSOL", "TN50", "DG", "FFM", "FF2M",
                                       "FXY", "DXY", "HXY", "FXI", "DXI", "HXI", "FXI2", "DXI2", "HXI2", "FXI3S", "DXI3S", "HXI3S", "DRR"};

const char* const communes[] = {"ROUEN", "DIEPPE", "FECAMP", "YVETOT", "BOLBEC", "EU", "NEUFCHATEL", "FORGES", "ELBEUF", "BARENTIN",
                                "LILLEBONNE", "ETRETAT", "CANY", "AUMALE", "GOURNAY", "DUCLAIR", "TOTES", "ENVERMEU"};

// Écrit par blocs, compressé (niveau 1, comme un export rapide) ou non.
class Sortie
{
public:
    explicit Sortie(const QString& chemin)
        : m_gz(chemin.endsWith(QStringLiteral(".gz")))
    {
        if (m_gz)
            m_fichierGz = gzopen(QFile::encodeName(chemin).constData(), "wb1");
        else
            m_fichier = std::fopen(QFile::encodeName(chemin).constData(), "wb");
        m_tampon.reserve(1 << 20);
    }
    ~Sortie() { fermer(); }
    bool ouverte() const { return m_gz ? m_fichierGz != nullptr : m_fichier != nullptr; }
    QByteArray& tampon() { return m_tampon; }
    void ligneFinie()
    {
        if (m_tampon.size() > (1 << 20) - 4096)
            vider();
    }
    bool fermer()
    {
        vider();
        if (m_fichierGz)
            m_ok = gzclose(static_cast<gzFile>(m_fichierGz)) == Z_OK && m_ok;
        if (m_fichier)
            m_ok = std::fclose(m_fichier) == 0 && m_ok;
        m_fichierGz = nullptr;
        m_fichier = nullptr;
        return m_ok;
    }

private:
    void vider()
    {
        if (m_tampon.isEmpty())
            return;
        if (m_fichierGz)
            m_ok = gzwrite(static_cast<gzFile>(m_fichierGz), m_tampon.constData(), unsigned(m_tampon.size())) == int(m_tampon.size()) && m_ok;
        if (m_fichier)
            m_ok = std::fwrite(m_tampon.constData(), 1, size_t(m_tampon.size()), m_fichier) == size_t(m_tampon.size()) && m_ok;
        m_tampon.clear();
    }

    bool m_gz;
    void* m_fichierGz = nullptr;
    std::FILE* m_fichier = nullptr;
    QByteArray m_tampon;
    bool m_ok = true;
};

void nombre(QByteArray& t, double x, int decimales)
{
    t += QByteArray::number(x, 'f', decimales);
}

void dateCompacte(QByteArray& t, const QDate& d)
{
    char texte[16];
    std::snprintf(texte, sizeof texte, "%04d%02d%02d", d.year(), d.month(), d.day());
    t += texte;
}

void dateIso(QByteArray& t, const QDate& d)
{
    char texte[16];
    std::snprintf(texte, sizeof texte, "%04d-%02d-%02d", d.year(), d.month(), d.day());
    t += texte;
}

} // namespace

GenerateurArchives::GenerateurArchives(std::uint64_t graine)
    : m_etat(graine * 0x9E3779B97F4A7C15ULL + 1)
{
}

double GenerateurArchives::uniforme()
{
    // xorshift64* : rapide et le même partout.
    m_etat ^= m_etat >> 12;
    m_etat ^= m_etat << 25;
    m_etat ^= m_etat >> 27;
    return double((m_etat * 0x2545F4914F6CDD1DULL) >> 11) / double(1ULL << 53);
}

double GenerateurArchives::pluieDuJour(double& humidite)
{
    // Des jours de pluie qui se suivent, des quantités à longue traîne.
    humidite = 0.7 * humidite + 0.3 * uniforme();
    if (uniforme() > 0.25 + humidite * 0.5)
        return 0.0;
    return std::round(-std::log(1.0 - uniforme()) * 4.5 * 10.0) / 10.0;
}

qint64 GenerateurArchives::meteoQuotidien(const QString& chemin, const Taille& taille)
{
    Sortie s(chemin);
    if (!s.ouverte())
        return -1;
    QByteArray& t = s.tampon();
    t += "NUM_POSTE;NOM_USUEL;LAT;LON;ALTI;AAAAMMJJ;RR;QRR";
    for (const char* v : autresVariables)
        t += QByteArray(";") + v + ";Q" + v;
    t += '\n';
    qint64 lignes = 0;
    const QDate premier(taille.premiereAnnee, 1, 1), dernier(taille.premiereAnnee + taille.annees - 1, 12, 31);
    for (int k = 0; k < taille.stations; ++k) {
        const QByteArray poste = QByteArray::number(76001001 + k * 7013);
        const QByteArray entete = poste + ';' + communes[k % std::size(communes)] + (k >= int(std::size(communes)) ? "-" + QByteArray::number(k) : QByteArray())
            + ';' + QByteArray::number(49.3 + uniforme() * 0.6, 'f', 6) + ';' + QByteArray::number(0.2 + uniforme() * 1.5, 'f', 6) + ';'
            + QByteArray::number(int(20 + uniforme() * 220)) + ';';
        // Un poste sur cinq mesure tout ; les autres, la pluie seule.
        const bool complet = k % 5 == 0;
        double humidite = 0.5;
        for (QDate d = premier; d <= dernier; d = d.addDays(1)) {
            t += entete;
            dateCompacte(t, d);
            t += ';';
            const double pluie = pluieDuJour(humidite);
            if (uniforme() > 0.03) {
                nombre(t, pluie, 1);
                t += uniforme() < 0.02 ? ";9" : ";1";
            } else {
                t += ';';
            }
            for (std::size_t v = 0; v < std::size(autresVariables); ++v) {
                t += ';';
                if (complet) {
                    nombre(t, 10.0 + 8.0 * std::sin(d.dayOfYear() / 58.0) + uniforme() * 4.0, 1);
                    t += ";1";
                } else {
                    t += ';';
                }
            }
            t += '\n';
            s.ligneFinie();
            ++lignes;
        }
    }
    return s.fermer() ? lignes : -1;
}

qint64 GenerateurArchives::piezoChroniques(const QString& chemin, const Taille& taille)
{
    Sortie s(chemin);
    if (!s.ouverte())
        return -1;
    QByteArray& t = s.tampon();
    t += "code_bss;urn_bss;date_mesure;timestamp_mesure;niveau_nappe_eau;mode_obtention;statut;qualification;code_continuite;"
         "nom_continuite;code_producteur;nom_producteur;code_nature_mesure;nom_nature_mesure;profondeur_nappe\n";
    qint64 lignes = 0;
    const QDate premier(taille.premiereAnnee, 1, 1), dernier(taille.premiereAnnee + taille.annees - 1, 12, 31);
    for (int k = 0; k < taille.stations; ++k) {
        char code[32];
        std::snprintf(code, sizeof code, "0%04dX%04d/F%d", 7540 + k, 9 + k * 3, k % 3);
        const double repere = 40.0 + uniforme() * 100.0, profondeurMoyenne = 5.0 + uniforme() * 20.0;
        double recharge = 0.0, humidite = 0.5;
        for (QDate d = premier; d <= dernier; d = d.addDays(1)) {
            // La nappe monte avec la pluie des semaines passées et baisse l'été.
            recharge = 0.98 * recharge + 0.02 * pluieDuJour(humidite);
            const double profondeur = std::max(0.5, profondeurMoyenne - 1.5 * (recharge - 2.0) + 1.5 * std::sin(d.dayOfYear() / 58.1));
            t += QByteArray(code) + ";http://services.ades.eaufrance.fr/pointeau/" + code + ';';
            dateIso(t, d);
            t += ';' + QByteArray::number(QDateTime(d, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch()) + ';';
            if (uniforme() > 0.01)
                nombre(t, repere - profondeur, 2);
            t += ";Valeur mesurée;Donnée contrôlée niveau 2;Correcte;1;Point lié au point précédent;1;Producteur;N;Naturel;";
            if (uniforme() > 0.02)
                nombre(t, profondeur, 2);
            t += '\n';
            s.ligneFinie();
            ++lignes;
        }
    }
    return s.fermer() ? lignes : -1;
}

qint64 GenerateurArchives::hydroElab(const QString& chemin, const Taille& taille)
{
    Sortie s(chemin);
    if (!s.ouverte())
        return -1;
    QByteArray& t = s.tampon();
    t += "code_site,code_station,date_obs_elab,resultat_obs_elab,date_prod,code_statut,libelle_statut,code_methode,libelle_methode,"
         "code_qualification,libelle_qualification,longitude,latitude,grandeur_hydro_elab\n";
    qint64 lignes = 0;
    const QDate premier(taille.premiereAnnee, 1, 1), dernier(taille.premiereAnnee + taille.annees - 1, 12, 31);
    for (int k = 0; k < taille.stations; ++k) {
        char site[32], station[48];
        std::snprintf(site, sizeof site, "H%03d%04d", 500 + k, 10 + k);
        std::snprintf(station, sizeof station, "%s10", site);
        const double base = 200.0 + uniforme() * 3000.0;
        double crue = 0.0, humidite = 0.5, somme = 0.0;
        int jours = 0;
        for (QDate d = premier; d <= dernier; d = d.addDays(1)) {
            crue = 0.8 * crue + 40.0 * pluieDuJour(humidite);
            const double debit = std::round(base * (1.2 + std::cos(d.dayOfYear() / 58.1)) + crue * base / 100.0);
            somme += debit;
            ++jours;
            const QByteArray debut = QByteArray(site) + ',' + station + ',';
            t += debut;
            dateIso(t, d);
            t += ',';
            if (uniforme() > 0.01)
                nombre(t, debit, 0);
            t += ",2024-03-01T00:00:00Z,16,Donnée validée,12,Interpolée,20,Bonne,1.1,49.4,QmnJ\n";
            // La moyenne du mois, écrite au premier jour, une fois le mois fini.
            if (d.addDays(1).day() == 1) {
                t += debut;
                dateIso(t, QDate(d.year(), d.month(), 1));
                t += ',';
                nombre(t, somme / jours, 0);
                t += ",2024-03-01T00:00:00Z,16,Donnée validée,12,Interpolée,20,Bonne,1.1,49.4,QmM\n";
                somme = 0.0;
                jours = 0;
                ++lignes;
            }
            s.ligneFinie();
            ++lignes;
        }
    }
    return s.fermer() ? lignes : -1;
}
