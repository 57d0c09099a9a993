#include "data/import/LecteurLignes.h"

#include "commun/TexteAffichable.h"
#include "commun/RaisonSysteme.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <zlib.h>

namespace {

constexpr qsizetype bloc = 1 << 20;

gzFile fichierGz(void* f)
{
    return static_cast<gzFile>(f);
}

} // namespace

LecteurLignes::LecteurLignes(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (info.isDir()) {
        m_erreurOuverture = QStringLiteral("« %1 » est un dossier, pas un fichier.").arg(TexteAffichable(chemin));
        return;
    }
    // QFile dit pourquoi le fichier ne s'ouvre pas ; zlib lit ensuite le même fichier.
    QFile essai(chemin);
    if (!essai.open(QIODevice::ReadOnly)) {
        m_erreurOuverture = QStringLiteral("impossible de lire « %1 » : %2.").arg(TexteAffichable(chemin), RaisonSysteme(essai.errorString()));
        return;
    }
    m_taille = essai.size();
    m_fichier = gzopen(QFile::encodeName(chemin).constData(), "rb");
    if (!m_fichier) {
        m_erreurOuverture = QStringLiteral("impossible de lire « %1 ».").arg(TexteAffichable(chemin));
        return;
    }
    gzbuffer(fichierGz(m_fichier), unsigned(bloc));
    m_tampon.resize(2 * bloc);
}

LecteurLignes::~LecteurLignes()
{
    if (m_fichier)
        gzclose(fichierGz(m_fichier));
}

int LecteurLignes::pourcent() const
{
    if (!m_fichier || m_taille <= 0)
        return 0;
    return int(std::min<qint64>(100, gzoffset(fichierGz(m_fichier)) * 100 / m_taille));
}

bool LecteurLignes::remplir()
{
    // Le reste non lu passe en tête, la suite du fichier derrière.
    const qsizetype reste = m_fin - m_debut;
    if (m_debut > 0 && reste > 0)
        std::memmove(m_tampon.data(), m_tampon.constData() + m_debut, size_t(reste));
    m_debut = 0;
    m_fin = reste;
    if (m_tampon.size() - m_fin < bloc)
        m_tampon.resize(m_fin + bloc);
    const int lus = gzread(fichierGz(m_fichier), m_tampon.data() + m_fin, unsigned(m_tampon.size() - m_fin));
    if (lus < 0) {
        m_erreurLecture = true;
        m_finFichier = true;
        return false;
    }
    if (lus == 0) {
        int code = Z_OK;
        gzerror(fichierGz(m_fichier), &code);
        m_erreurLecture = code != Z_OK;
        m_finFichier = true;
        return false;
    }
    m_fin += lus;
    return true;
}

void LecteurLignes::passerLaFinDeLigne()
{
    // Une ligne démesurée n'est pas gardée : on saute jusqu'à sa fin.
    for (;;) {
        const void* nl = std::memchr(m_tampon.constData() + m_debut, '\n', size_t(m_fin - m_debut));
        if (nl) {
            m_debut = static_cast<const char*>(nl) - m_tampon.constData() + 1;
            return;
        }
        m_debut = m_fin;
        if (!remplir())
            return;
    }
}

bool LecteurLignes::rendre(qsizetype fin, bool complete, QByteArrayView& ligne, bool& tropLongue)
{
    ++m_numero;
    ligne = QByteArrayView(m_tampon.constData() + m_debut, fin - m_debut);
    if (ligne.endsWith('\r'))
        ligne.chop(1);
    m_debut = complete ? fin + 1 : m_fin;
    tropLongue = ligne.size() > longueurMaxLigne;
    if (tropLongue)
        ligne = {};
    return true;
}

bool LecteurLignes::suivante(QByteArrayView& ligne, bool& tropLongue)
{
    tropLongue = false;
    qsizetype cherche = m_debut;
    while (m_fichier && !m_erreurLecture) {
        const void* nl = std::memchr(m_tampon.constData() + cherche, '\n', size_t(m_fin - cherche));
        if (nl)
            return rendre(static_cast<const char*>(nl) - m_tampon.constData(), true, ligne, tropLongue);
        // La dernière ligne, sans fin de ligne.
        if (m_finFichier)
            return m_fin > m_debut && rendre(m_fin, false, ligne, tropLongue);
        if (m_fin - m_debut > longueurMaxLigne) {
            ++m_numero;
            tropLongue = true;
            ligne = {};
            passerLaFinDeLigne();
            return !m_erreurLecture;
        }
        cherche = m_fin - m_debut;
        remplir();
    }
    return false;
}
