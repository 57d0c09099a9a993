#include "control/EnteteStations.h"

#include "commun/AppelParNom.h"
#include "data/GenresStation.h"

#include <QComboBox>
#include <QLabel>

EnteteStations::EnteteStations(QWidget* parent)
    : QWidget(parent)
    , m_libelle(new QLabel(QStringLiteral("Station :"), this))
    , m_liste(new QComboBox(this))
{
    setObjectName(QStringLiteral("SprEntete"));
    // La largeur vient de l'en-tête (placer), jamais du contenu de la liste.
    m_liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    placer();
    connect(m_liste, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_precedent = std::exchange(m_courant, i);
        m_aConfirmer = true;
        emit stationChangee(CodeStation());
    });
    connect(m_liste, &QComboBox::activated, this, &EnteteStations::choisiParLaPersonne);
}

void EnteteStations::choisiParLaPersonne(int index)
{
    if (!std::exchange(m_aConfirmer, false) || !m_confirmation || m_precedent < 0 || m_precedent == index)
        return;
    {
        const QSignalBlocker bloque(m_liste);
        m_liste->setCurrentIndex(m_precedent);
        m_courant = m_precedent;
    }
    if (m_confirmation())
        m_liste->setCurrentIndex(index);
    m_aConfirmer = false;
}

void EnteteStations::Initialiser(QObject* sprListe, BaseDonnees*, const QString&)
{
    if (!sprListe)
        return;
    m_stations.clear();
    const int n = LireMembre(sprListe, QStringLiteral("MaxRows")).toInt();
    for (int r = 1; r <= n; ++r) {
        EcrireMembre(sprListe, QStringLiteral("Row"), r);
        Station s;
        QString* champs[3] = {&s.code, &s.nom, &s.genre};
        for (int c = 1; c <= 3; ++c) {
            EcrireMembre(sprListe, QStringLiteral("Col"), c);
            *champs[c - 1] = LireMembre(sprListe, QStringLiteral("Text")).toString().trimmed();
        }
        if (!s.code.isEmpty())
            m_stations.append(s);
    }
    // Une liste relue part de sa première station, quelle qu'ait été celle d'avant.
    remplir(false);
}

void EnteteStations::Redimensionner(int largeurTwips)
{
    m_liste->setMaximumWidth(std::max(80, largeurTwips / 15 - m_libelle->sizeHint().width() - 12));
    placer();
}

void EnteteStations::resizeEvent(QResizeEvent* evenement)
{
    QWidget::resizeEvent(evenement);
    placer();
}

// Le libellé puis la liste sur toute la largeur qui reste : placés tout de suite, sans attendre
// qu'une disposition soit refaite par la boucle d'événements, l'en-tête est le même à chaque graphique.
void EnteteStations::placer()
{
    const auto centre = [this](QWidget* w, int gauche, int largeur) {
        const int h = std::min(height(), w->sizeHint().height());
        w->setGeometry(gauche, (height() - h) / 2, largeur, h);
    };
    const int largeurLibelle = m_libelle->sizeHint().width();
    centre(m_libelle, 4, largeurLibelle);
    const int gauche = 4 + largeurLibelle + 6;
    centre(m_liste, gauche, std::clamp(width() - gauche - 4, 0, m_liste->maximumWidth()));
}

void EnteteStations::ajouter(const QString& code, const QString& nom, const QString& genre)
{
    m_stations.append({code, nom, genre});
    remplir(true);
}

bool EnteteStations::selectionner(const QString& code)
{
    for (int i = 0; i < m_stations.size(); ++i)
        if (m_stations[i].code == code) {
            m_liste->setCurrentIndex(i);
            m_aConfirmer = false;
            return true;
        }
    return false;
}

bool EnteteStations::selectionner(const QString& code, const QString& genre)
{
    for (int i = 0; i < m_stations.size(); ++i)
        if (m_stations[i].code == code && m_stations[i].genre == genre) {
            m_liste->setCurrentIndex(i);
            m_aConfirmer = false;
            return true;
        }
    return selectionner(code);
}

void EnteteStations::remplir(bool garderChoix)
{
    const QString avant = garderChoix ? CodeStation() : QString();
    const QSignalBlocker bloque(m_liste);
    m_liste->clear();
    m_courant = m_precedent = -1;
    for (const Station& s : m_stations)
        m_liste->addItem(s.nom.isEmpty() ? s.code : QStringLiteral("%1 - %2").arg(s.code, s.nom));
    if (!selectionner(avant) && !m_stations.isEmpty())
        m_liste->setCurrentIndex(0);
    m_courant = m_liste->currentIndex();
}

QString EnteteStations::CodeStation() const
{
    const int i = m_liste->currentIndex();
    return i >= 0 && i < m_stations.size() ? m_stations[i].code : QString();
}

QString EnteteStations::NomStation() const
{
    const int i = m_liste->currentIndex();
    return i >= 0 && i < m_stations.size() ? m_stations[i].nom : QString();
}

QString EnteteStations::GenreStation() const
{
    const int i = m_liste->currentIndex();
    return i >= 0 && i < m_stations.size() ? m_stations[i].genre : QString();
}

QString EnteteStations::TexteA() const
{
    const auto g = GenresStation::depuisNom(GenreStation());
    return g ? QString::fromUtf8(g->libelle) : QString();
}
