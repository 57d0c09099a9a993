// Le moteur de graphiques piloté par ses propriétés numérotées avec des
// écritures quelconques (numéros, indices, nombres et textes), puis dessiné.
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

namespace {

// Les octets lus un à un ; zéro une fois épuisés.
class Lecture
{
public:
    Lecture(const uint8_t* d, size_t n)
        : m_d(d)
        , m_n(n)
    {
    }
    bool reste() const { return m_i < m_n; }
    uint8_t octet() { return m_i < m_n ? m_d[m_i++] : 0; }
    int entier16() { return int(int16_t(uint16_t(octet()) | uint16_t(octet()) << 8)); }
    double reel()
    {
        double x = 0;
        uint8_t b[8];
        for (uint8_t& o : b)
            o = octet();
        std::memcpy(&x, b, sizeof x);
        return x;
    }
    QString texte()
    {
        const int n = octet() % 24;
        QString t;
        for (int i = 0; i < n; ++i)
            t += QChar(char16_t(octet() | (octet() & 0x3) << 8));
        return t;
    }

private:
    const uint8_t* m_d;
    size_t m_n;
    size_t m_i = 0;
};

// Les tailles (points, jeux, libellés) restent petites : le fuzzeur cherche les
// chemins, pas le volume, et des millions d'entrées doivent passer. Les tailles
// démesurées ont leurs propres tests.
double borneTaille(int numero, double v)
{
    const bool taille = numero == Prop::NbPoints || numero == Prop::NbJeux || numero == Prop::NbLibellesX;
    return taille && std::isfinite(v) ? std::fmod(v, 300.0) : v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    MoteurGraphique moteur;
    Lecture l(donnees, taille);
    int ecritures = 0;
    while (l.reste() && ecritures++ < 400) {
        const uint8_t genre = l.octet();
        const int numero = genre & 0x80 ? l.entier16() : l.octet();
        // Les noms de fichiers (image de fond lue, image écrite) ne sont pas essayés : le fuzzeur ne touche pas au disque.
        if (numero == Prop::ImageFond || numero == Prop::FichierImage)
            continue;
        // L'indice est lu avant la valeur (l'ordre d'évaluation des arguments n'est pas fixé).
        const bool indexe = (genre & 0x7) >= 3;
        const int indice = indexe ? l.entier16() % 400 : 0;
        switch (genre & 0x7) {
        case 0: moteur.ecrire(numero, borneTaille(numero, l.reel())); break;
        case 1: moteur.ecrire(numero, borneTaille(numero, double(l.entier16()))); break;
        case 2: moteur.ecrire(numero, l.texte()); break;
        case 3: moteur.ecrireIndexe(numero, indice, l.reel()); break;
        case 4: moteur.ecrireIndexe(numero, indice, double(l.entier16())); break;
        case 5: moteur.ecrireIndexe(numero, indice, l.texte()); break;
        case 6: moteur.lire(numero); break;
        default: moteur.lireIndexe(numero, indice); break;
        }
    }
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    moteur.peindre(p, QRectF(0, 0, 160, 120));
    moteur.peindreCalque(p, QRectF(0, 0, 160, 120));
    return 0;
}
