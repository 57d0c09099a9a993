#pragma once

#include "output/ArchiveZipTests.h"
#include "output/classeur/ClasseurXlsx.h"

#include <QDomDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

// Relecture des parties écrites, pour les essais : le classeur enregistré
// pour de bon, puis chaque partie lue comme XML sans espaces de noms (les
// éléments gardent leur préfixe : "c:ser", "a:t").
namespace LectureXmlTests {

inline std::map<QString, QByteArray> Parties(const ClasseurXlsx& classeur)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("essai.xlsx"));
    QString erreur;
    EXPECT_TRUE(classeur.enregistrer(chemin, erreur)) << erreur.toStdString();
    ArchiveZipTests archive(chemin);
    EXPECT_TRUE(archive.ouverte());
    std::map<QString, QByteArray> parties;
    for (const QString& nom : archive.noms())
        parties[nom] = archive.lire(nom).value_or(QByteArray());
    return parties;
}

inline QDomDocument Dom(const QByteArray& xml)
{
    QDomDocument document;
    QString message;
    int ligne = 0;
    EXPECT_TRUE(document.setContent(xml, false, &message, &ligne)) << message.toStdString() << " ligne " << ligne;
    return document;
}

// Les éléments `nom` sous `racine`, à toute profondeur, dans l'ordre du document.
inline QList<QDomElement> Elements(const QDomNode& racine, const QString& nom)
{
    QList<QDomElement> liste;
    const QDomNodeList noeuds = racine.isDocument() ? racine.toDocument().elementsByTagName(nom)
                                                    : racine.toElement().elementsByTagName(nom);
    for (int i = 0; i < noeuds.size(); ++i)
        liste.append(noeuds.at(i).toElement());
    return liste;
}

// Les enfants directs `nom` de `parent`.
inline QList<QDomElement> Enfants(const QDomElement& parent, const QString& nom)
{
    QList<QDomElement> liste;
    for (QDomElement e = parent.firstChildElement(nom); !e.isNull(); e = e.nextSiblingElement(nom))
        liste.append(e);
    return liste;
}

// L'attribut val du premier enfant direct `nom` ; nul s'il manque.
inline QString Val(const QDomElement& parent, const QString& nom)
{
    const QDomElement e = parent.firstChildElement(nom);
    return e.isNull() ? QString() : e.attribute(QStringLiteral("val"));
}

// Chaque enfant direct nommé porte l'attribut val attendu ; nullptr : l'enfant manque.
inline void Vals(const QDomElement& parent, std::initializer_list<std::pair<const char*, const char*>> attendus)
{
    for (const auto& [nom, val] : attendus) {
        if (val)
            EXPECT_EQ(Val(parent, QString::fromLatin1(nom)), QString::fromUtf8(val)) << nom;
        else
            EXPECT_TRUE(parent.firstChildElement(QString::fromLatin1(nom)).isNull()) << nom << " présent";
    }
}

// Chaque attribut nommé de `e` a la valeur attendue.
inline void Attributs(const QDomElement& e, std::initializer_list<std::pair<const char*, const char*>> attendus)
{
    for (const auto& [nom, val] : attendus)
        EXPECT_EQ(e.attribute(QString::fromLatin1(nom)), QString::fromUtf8(val)) << nom;
}

// Le premier élément `nom` sous `racine`, à toute profondeur ; nul s'il manque.
inline QDomElement Premier(const QDomNode& racine, const QString& nom)
{
    return Elements(racine, nom).value(0);
}

// La couleur du premier a:srgbClr sous `racine`.
inline QString Couleur(const QDomNode& racine)
{
    return Premier(racine, QStringLiteral("a:srgbClr")).attribute(QStringLiteral("val"));
}

// Chaque fragment attendu paraît dans `texte`.
inline void Contient(const QString& texte, std::initializer_list<const char*> fragments)
{
    for (const char* f : fragments)
        EXPECT_TRUE(texte.contains(QString::fromUtf8(f))) << f;
}

// Le texte de tous les a:t sous `racine`, paragraphes joints par "\n".
inline QString TexteRiche(const QDomElement& racine)
{
    QStringList paragraphes;
    for (const QDomElement& p : Elements(racine, QStringLiteral("a:p"))) {
        QString texte;
        for (const QDomElement& t : Elements(p, QStringLiteral("a:t")))
            texte += t.text();
        paragraphes.append(texte);
    }
    return paragraphes.join(u'\n');
}

} // namespace LectureXmlTests
