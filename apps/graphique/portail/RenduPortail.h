#pragma once

#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class BaseDonnees;

// Les graphiques d'un processus du portail : un hôte hors écran et son contrôle, qui tracent
// chaque demande par le même chemin que « graphique tracer », sur une base ouverte en lecture.
// Le contrôle est un widget : tout se fait dans le fil principal, un graphique à la fois.
class RenduPortail
{
public:
    // La taille de l'image, celle que « graphique tracer » écrit par défaut.
    static constexpr QSize taille{1200, 700};

    explicit RenduPortail(QString texteBase);
    ~RenduPortail();

    // Ouvre la base ; faux et la raison sinon. `pouvoirEnTrop` : un rôle qui pourrait écrire.
    bool ouvrir(QString& erreur, bool& pouvoirEnTrop);
    BaseDonnees& base() { return *m_base; }
    // La version des données, relue à chaque appel ; un fichier remplacé est rouvert.
    QString version();
    // Celle que le dernier `version()` a lue : les pages d'une demande ne relisent pas la base.
    const QString& versionLue() const { return m_version; }

    // La demande tracée, à moins qu'elle ne le soit déjà sur ces données ; `cle` la désigne entière
    // (station comprise). Faux et la raison sinon.
    bool charger(const HoteGraphique::Demande& demande, const QString& cle, QString& erreur);
    // Les messages du dernier chargement et ce que le graphique ne montre pas.
    const QStringList& messages() const { return m_messages; }
    bool aDesDonnees() const { return m_hote->aDesDonnees(); }

    // Le graphique chargé : "png", "svg" ou "pdf" ; vide en cas d'échec.
    QByteArray image(const QString& format);
    // Son classeur, celui de « graphique exporter » ; faux et la raison sinon.
    bool classeur(QByteArray& octets, QString& erreur);
    CtlGraphique::LectureImage lecture() { return m_hote->controle().LireImage(taille); }

private:
    QString m_texteBase;
    std::unique_ptr<BaseDonnees> m_base;
    std::unique_ptr<HoteGraphique> m_hote;
    QString m_version, m_chargee;
    QStringList m_messages;
    QTemporaryDir m_dossier;
    QElapsedTimer m_rappel;
};
