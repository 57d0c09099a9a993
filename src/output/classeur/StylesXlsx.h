#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>

// Les styles de cellule d'un classeur : un format de nombre par style, les
// formats et les styles distincts n'étant écrits qu'une fois.
class StylesXlsx
{
public:
    // Rang du style (attribut s des cellules) pour ce format ; 0, le style
    // ordinaire, pour un format vide ou "General".
    int style(const QString& formatNombre);
    QByteArray xml() const;

    // Premier identifiant des formats propres au classeur.
    static constexpr int kPremierFormatPropre = 164;

private:
    static void ecrireFixes(class QXmlStreamWriter& x);
    void ecrireFormats(QXmlStreamWriter& x) const;
    void ecrireStylesCellules(QXmlStreamWriter& x) const;

    QStringList m_formats;  // le style i+1 porte le format i
    QHash<QString, int> m_styles;
};
