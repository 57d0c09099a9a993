#pragma once

#include "output/classeur/GraphiqueXlsx.h"

#include <QByteArray>
#include <QString>

// Une feuille graphique : un seul graphique qui occupe toute la feuille.
// Elle s'écrit en trois parties : la feuille (xl/chartsheets/sheetN.xml), son
// dessin (xl/drawings/drawingN.xml) qui porte le cadre du graphique, et le
// graphique lui-même (voir PartieGraphique).
class FeuilleGraphiqueXlsx
{
public:
    explicit FeuilleGraphiqueXlsx(const QString& nom) : m_nom(nom) {}
    const QString& nom() const { return m_nom; }
    GraphiqueXlsx& graphique() { return m_graphique; }
    const GraphiqueXlsx& graphique() const { return m_graphique; }

    // La feuille ; idDessin : sa relation vers le dessin.
    QByteArray xml(const QString& idDessin, bool active) const;
    // Le dessin : le graphique de relation idGraphique, ancré sur toute la feuille.
    static QByteArray dessin(const QString& idGraphique);

private:
    static void ecrireCadre(class QXmlStreamWriter& x, const QString& idGraphique);

    QString m_nom;
    GraphiqueXlsx m_graphique;
};
