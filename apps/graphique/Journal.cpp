#include "Journal.h"

#include <QIODevice>

Journal::Journal(QIODevice& sortie)
    : m_flux(&sortie)
{
}

void Journal::sql(const QString& ordre)
{
    QString t = ordre;
    t.replace(u'\n', u' ');
    m_flux << "sql\t" << t << '\n';
}

void Journal::ecrit(const QString& graphique, int numero, std::optional<int> indice, const QVariant& valeur)
{
    QString v = valeur.toString();
    v.replace(u'\t', QStringLiteral("\\t")).replace(u'\n', u' ');
    m_flux << "ecrit\t" << graphique << '\t' << numero << '\t' << (indice ? QString::number(*indice) : QString()) << '\t' << v
           << '\n';
}

bool Journal::terminer()
{
    m_flux.flush();
    return m_flux.status() == QTextStream::Ok;
}
