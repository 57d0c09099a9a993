#include "Journal.h"

bool Journal::ouvrir(const QString& chemin)
{
    m_fichier.setFileName(chemin);
    if (!m_fichier.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    m_flux.setDevice(&m_fichier);
    return true;
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
