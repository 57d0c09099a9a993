#include "data/bases/SommeControle.h"

#include "data/bases/ValeurColonne.h"

#include <QDateTime>
#include <cstring>

namespace {

// FNV-1a, puis le brassage final de splitmix64 : deux lignes voisines
// donnent des empreintes sans rapport, et leur somme ne s'annule pas.
class Empreinte
{
public:
    void octets(const char* d, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i) {
            m_h ^= quint8(d[i]);
            m_h *= 0x100000001b3ULL;
        }
    }
    void marque(char m, qsizetype longueur)
    {
        octets(&m, 1);
        const qint64 n = longueur;
        octets(reinterpret_cast<const char*>(&n), sizeof n);
    }
    quint64 fin() const
    {
        quint64 z = m_h + 0x9e3779b97f4a7c15ULL;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

private:
    quint64 m_h = 0xcbf29ce484222325ULL;
};

void ajouterCellule(Empreinte& e, const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        e.marque('N', 0);
        return;
    case QMetaType::LongLong: {
        const qint64 n = v.toLongLong();
        e.marque('I', sizeof n);
        e.octets(reinterpret_cast<const char*>(&n), sizeof n);
        return;
    }
    case QMetaType::Double: {
        const double d = v.toDouble();
        e.marque('R', sizeof d);
        e.octets(reinterpret_cast<const char*>(&d), sizeof d);
        return;
    }
    case QMetaType::QDateTime: {
        const QByteArray t = ValeurColonne::iso(v.toDateTime(), true).toLatin1();
        e.marque('D', t.size());
        e.octets(t.constData(), t.size());
        return;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        e.marque('B', b.size());
        e.octets(b.constData(), b.size());
        return;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        e.marque('T', t.size());
        e.octets(t.constData(), t.size());
    }
    }
}

} // namespace

void SommeControle::ajouter(const TableauValeurs& lot)
{
    for (int r = 0; r < lot.points(); ++r) {
        Empreinte e;
        for (int c = 0; c < lot.lignes(); ++c)
            ajouterCellule(e, lot(c, r));
        m_somme += e.fin();
        ++m_lignes;
    }
}

QString SommeControle::texte() const
{
    return QStringLiteral("%1").arg(m_somme, 16, 16, QLatin1Char('0'));
}
