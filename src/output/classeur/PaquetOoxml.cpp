#include "output/classeur/PaquetOoxml.h"

#include "commun/FichierProvisoire.h"
#include "output/classeur/ArchiveZip.h"
#include "commun/RaisonSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>
#include <algorithm>

PaquetOoxml::PaquetOoxml()
{
    ajouterTypeParDefaut(QStringLiteral("rels"),
                         QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    ajouterTypeParDefaut(QStringLiteral("xml"), QStringLiteral("application/xml"));
}

void PaquetOoxml::ajouterPartie(const QString& chemin, const QByteArray& octets, const QString& typeContenu)
{
    remplacerOuAjouter({chemin, octets, typeContenu, {}});
}

void PaquetOoxml::ajouterPartie(const QString& chemin, Producteur producteur, const QString& typeContenu)
{
    remplacerOuAjouter({chemin, {}, typeContenu, std::move(producteur)});
}

void PaquetOoxml::remplacerOuAjouter(Partie partie)
{
    for (Partie& p : m_parties) {
        if (p.chemin == partie.chemin) {
            p = std::move(partie);
            return;
        }
    }
    m_parties.append(std::move(partie));
}

void PaquetOoxml::ajouterTypeParDefaut(const QString& extension, const QString& typeContenu)
{
    m_typesParDefaut.append({extension, typeContenu});
}

bool PaquetOoxml::contient(const QString& chemin) const
{
    return std::any_of(m_parties.cbegin(), m_parties.cend(), [&chemin](const Partie& p) { return p.chemin == chemin; });
}

const QByteArray* PaquetOoxml::partie(const QString& chemin) const
{
    for (const Partie& p : m_parties)
        if (p.chemin == chemin && !p.producteur)
            return &p.octets;
    return nullptr;
}

QByteArray PaquetOoxml::typesContenu() const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("Types"));
    x.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    for (const auto& [extension, type] : m_typesParDefaut) {
        x.writeEmptyElement(QStringLiteral("Default"));
        x.writeAttribute(QStringLiteral("Extension"), extension);
        x.writeAttribute(QStringLiteral("ContentType"), type);
    }
    for (const Partie& p : m_parties) {
        if (p.type.isEmpty())
            continue;
        x.writeEmptyElement(QStringLiteral("Override"));
        x.writeAttribute(QStringLiteral("PartName"), u'/' + p.chemin);
        x.writeAttribute(QStringLiteral("ContentType"), p.type);
    }
    x.writeEndDocument();
    return octets;
}

bool PaquetOoxml::ecrireArchive(QFile& fichier, QString& raison) const
{
    ArchiveZip archive(fichier);
    const Verser verser = [&archive](QByteArray& octets) {
        const bool ecrit = archive.ecrire(octets);
        octets.resize(0);  // la place reste pour le morceau suivant
        return ecrit;
    };
    bool ok = archive.ouvrirEntree(QStringLiteral("[Content_Types].xml")) && archive.ecrire(typesContenu());
    for (qsizetype i = 0; ok && i < m_parties.size(); ++i) {
        const Partie& p = m_parties.at(i);
        ok = archive.ouvrirEntree(p.chemin) && (p.producteur ? p.producteur(verser) : archive.ecrire(p.octets));
    }
    if (ok && archive.terminer())
        return true;
    raison = archive.raison().isEmpty() ? QStringLiteral("écriture interrompue") : archive.raison();
    return false;
}

bool PaquetOoxml::enregistrer(const QString& chemin, QString& erreur) const
{
    const QFileInfo cible(chemin);
    const QString dossier = cible.absolutePath();
    if (!QFileInfo(dossier).isDir()) {
        erreur = QStringLiteral("Le dossier « %1 » n'existe pas.").arg(QDir::toNativeSeparators(dossier));
        return false;
    }
    const QString affiche = QDir::toNativeSeparators(cible.absoluteFilePath());
    FichierProvisoire provisoire(cible.absoluteFilePath());
    QString raison;
    const int descripteur = provisoire.creer(raison);
    if (descripteur < 0) {
        erreur = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(affiche, raison);
        return false;
    }
    QFile fichier;
    // Sans tampon : une écriture qui échoue (disque plein) le dit à l'appel même, avec sa raison.
    if (!fichier.open(descripteur, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)
        || !ecrireArchive(fichier, raison)) {
        if (raison.isEmpty())
            raison = RaisonFichier(fichier);
        erreur = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(affiche, raison);
        return false;  // le fichier provisoire s'efface avec son objet
    }
    fichier.close();
    // rename remplace la destination d'un seul coup, sans moment où elle manque.
    if (!provisoire.mettreEnPlace(raison)) {
        erreur = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(affiche, raison);
        return false;
    }
    return true;
}
