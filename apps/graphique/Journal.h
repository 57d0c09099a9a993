#pragma once

#include <QFile>
#include <QString>
#include <QTextStream>
#include <QVariant>
#include <optional>

// What the control asked of the database and of the charts, one line each, in order:
//   sql     <statement as the system sent it>
//   ecrit   <chart>  <property>  <index or empty>  <value>
class Journal
{
public:
    bool ouvrir(const QString& chemin);
    void sql(const QString& ordre);
    void ecrit(const QString& graphique, int numero, std::optional<int> indice, const QVariant& valeur);

private:
    QFile m_fichier;
    QTextStream m_flux;
};
