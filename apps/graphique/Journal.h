#pragma once

#include <QString>
#include <QTextStream>
#include <QVariant>
#include <optional>

class QIODevice;

// Ce que le contrôle a demandé à la base et aux graphiques, une ligne chacun, dans l'ordre :
//   sql     <l'ordre tel que le système l'a envoyé>
//   ecrit   <graphique>  <propriété>  <indice ou vide>  <valeur>
class Journal
{
public:
    explicit Journal(QIODevice& sortie);
    void sql(const QString& ordre);
    void ecrit(const QString& graphique, int numero, std::optional<int> indice, const QVariant& valeur);
    // Tout est passé au fichier ; faux quand une écriture a échoué.
    bool terminer();

private:
    QTextStream m_flux;
};
