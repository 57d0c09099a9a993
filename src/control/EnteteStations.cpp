#include "control/EnteteStations.h"
#include "control/EnteteStationsPrive.h"

#include "commun/AppelParNom.h"
#include "data/GenresStation.h"

#include <QComboBox>
#include <QLabel>

EnteteStations::EnteteStations(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<EnteteStationsPrive>(this))
{
    setObjectName(QStringLiteral("SprEntete"));
    // La largeur vient de l'en-tête (placer), jamais du contenu de la liste.
    d->liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    placer();
    connect(d->liste, &QComboBox::currentIndexChanged, this, [this](int i) {
        d->precedent = std::exchange(d->courant, i);
        d->aConfirmer = true;
        emit stationChangee(CodeStation());
    });
    connect(d->liste, &QComboBox::activated, this, &EnteteStations::choisiParLaPersonne);
}

EnteteStations::~EnteteStations() = default;

const QList<EnteteStations::Station>& EnteteStations::stations() const
{
    return d->stations;
}

void EnteteStations::definirConfirmation(std::function<bool()> confirmation)
{
    d->confirmation = std::move(confirmation);
}

void EnteteStations::choisiParLaPersonne(int index)
{
    if (!std::exchange(d->aConfirmer, false) || !d->confirmation || d->precedent < 0 || d->precedent == index)
        return;
    {
        const QSignalBlocker bloque(d->liste);
        d->liste->setCurrentIndex(d->precedent);
        d->courant = d->precedent;
    }
    if (d->confirmation())
        d->liste->setCurrentIndex(index);
    d->aConfirmer = false;
}

void EnteteStations::Initialiser(QObject* sprListe, BaseDonnees*, const QString&)
{
    if (!sprListe)
        return;
    d->stations.clear();
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
            d->stations.append(s);
    }
    // Une liste relue part de sa première station, quelle qu'ait été celle d'avant.
    remplir(false);
}

void EnteteStations::Redimensionner(int largeurTwips)
{
    d->liste->setMaximumWidth(std::max(80, largeurTwips / 15 - d->libelle->sizeHint().width() - 12));
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
    const int largeurLibelle = d->libelle->sizeHint().width();
    centre(d->libelle, 4, largeurLibelle);
    const int gauche = 4 + largeurLibelle + 6;
    centre(d->liste, gauche, std::clamp(width() - gauche - 4, 0, d->liste->maximumWidth()));
}

void EnteteStations::ajouter(const QString& code, const QString& nom, const QString& genre)
{
    d->stations.append({code, nom, genre});
    remplir(true);
}

bool EnteteStations::selectionner(const QString& code)
{
    for (int i = 0; i < d->stations.size(); ++i)
        if (d->stations[i].code == code) {
            d->liste->setCurrentIndex(i);
            d->aConfirmer = false;
            return true;
        }
    return false;
}

bool EnteteStations::selectionner(const QString& code, const QString& genre)
{
    for (int i = 0; i < d->stations.size(); ++i)
        if (d->stations[i].code == code && d->stations[i].genre == genre) {
            d->liste->setCurrentIndex(i);
            d->aConfirmer = false;
            return true;
        }
    return selectionner(code);
}

void EnteteStations::remplir(bool garderChoix)
{
    const QString avant = garderChoix ? CodeStation() : QString();
    const QSignalBlocker bloque(d->liste);
    d->liste->clear();
    d->courant = d->precedent = -1;
    for (const Station& s : d->stations)
        d->liste->addItem(s.nom.isEmpty() ? s.code : QStringLiteral("%1 - %2").arg(s.code, s.nom));
    if (!selectionner(avant) && !d->stations.isEmpty())
        d->liste->setCurrentIndex(0);
    d->courant = d->liste->currentIndex();
}

QString EnteteStations::CodeStation() const
{
    const int i = d->liste->currentIndex();
    return i >= 0 && i < d->stations.size() ? d->stations[i].code : QString();
}

QString EnteteStations::NomStation() const
{
    const int i = d->liste->currentIndex();
    return i >= 0 && i < d->stations.size() ? d->stations[i].nom : QString();
}

QString EnteteStations::GenreStation() const
{
    const int i = d->liste->currentIndex();
    return i >= 0 && i < d->stations.size() ? d->stations[i].genre : QString();
}

QString EnteteStations::TexteA() const
{
    const auto g = GenresStation::depuisNom(GenreStation());
    return g ? QString::fromUtf8(g->libelle) : QString();
}
