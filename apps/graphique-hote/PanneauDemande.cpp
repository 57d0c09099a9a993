#include "PanneauDemande.h"

#include "MoletteAuFocus.h"
#include "SaisieDate.h"

#include "commun/Dates.h"
#include "data/GenresStation.h"
#include "data/Periodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// « piezo » trouve « Piézomètre » : le filtre ignore les accents comme la casse.
QString sansAccents(const QString& texte)
{
    QString s = texte.normalized(QString::NormalizationForm_D);
    s.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return s;
}

struct Choix
{
    const char* code;
    const char* libelle;
};

const Choix mesures[] = {{"1", "Pluie"}, {"2", "Pluie efficace"}, {"3", "ETP"},
                         {"4", "Valeur 1"}, {"5", "Valeur 2"}, {"6", "Valeur 3"}};
const Choix affichages[] = {{"", "Selon le genre"}, {"HISTO", "Barres"}, {"COURBE", "Courbe"}};
const Choix variantes[] = {{"", "Aucune"}, {"CUMUL_ANNUEL", "Cumul annuel"}, {"CUMUL_MENSUEL", "Cumul mensuel"},
                           {"EDITION", "Édition"}};
const Choix casesStatistiques[] = {
    {"ChkAnnee", "Année"},         {"ChkEnveloppeMini", "Enveloppe mini"}, {"ChkEnveloppeMoyenne", "Moyenne"},
    {"ChkEnveloppeMaxi", "Enveloppe maxi"}, {"ChkMediane", "Médiane"}, {"ChkNormales", "Normales"},
    {"ChkQuintile1", "Quintile 1"}, {"ChkQuintile2", "Quintile 2"}, {"ChkQuintile3", "Quintile 3"},
    {"ChkQuintile4", "Quintile 4"}};

template <std::size_t N>
QComboBox* liste(const Choix (&choix)[N], QWidget* parent, const char* nom)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(nom));
    for (const Choix& x : choix)
        c->addItem(QString::fromUtf8(x.libelle), QString::fromLatin1(x.code));
    return c;
}

// Les genres de graphique, dans l'ordre où l'hôte les numérote.
QComboBox* listeGenres(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QStringLiteral("GenreGraphique"));
    for (const TraitsTypeGraph& t : TousLesTraits())
        c->addItem(QString::fromUtf8(t.libelle), QString::fromLatin1(t.nom));
    return c;
}

QComboBox* listePeriodes(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QStringLiteral("Periode"));
    for (const Periodes::Lettre& p : Periodes::lettres())
        c->addItem(QString::fromUtf8(p.libelle), QString(p.lettre));
    return c;
}

// Les périodes qui n'ont pas de sens pour le genre restent dans la liste, grisées, et disent pourquoi.
void accorderPeriodes(QComboBox& periode, std::optional<TypeGraph> type, Variante variante)
{
    auto* modele = qobject_cast<QStandardItemModel*>(periode.model());
    bool grisees = false;
    const QString pourquoi = QStringLiteral("Le graphique annuel compare les douze mois de l'année à leurs statistiques : "
                                            "il se trace par mois ou par année hydrologique.");
    for (int i = 0; modele && i < periode.count(); ++i) {
        const QChar lettre = periode.itemData(i).toString().at(0);
        const bool convient = !type || Periodes::convient(*type, variante, lettre);
        modele->item(i)->setEnabled(convient);
        modele->item(i)->setToolTip(convient ? QString() : pourquoi);
        grisees = grisees || !convient;
    }
    periode.setToolTip(grisees ? pourquoi : QString());
    // La période choisie devenue grisée laisse place à la première qui convient, plutôt qu'à un refus au tracé.
    if (modele && periode.currentIndex() >= 0 && !modele->item(periode.currentIndex())->isEnabled())
        for (int i = 0; i < periode.count(); ++i)
            if (modele->item(i)->isEnabled()) {
                periode.setCurrentIndex(i);
                break;
            }
}

SaisieDate* champDate(QWidget* parent, const char* nom)
{
    auto* d = new SaisieDate(parent);
    d->setObjectName(QString::fromLatin1(nom));
    d->setDateRange(QDate(1800, 1, 1), QDate(2200, 12, 31));
    return d;
}

std::optional<GenreStation::Genre> genreDesAutres(const QComboBox& genre)
{
    const auto type = TypeGraphDepuisNom(genre.currentData().toString());
    return type ? HoteGraphique::genreDesAutres(*type) : std::nullopt;
}

// Les deux dates telles que saisies ; faux, et `erreur` nommant le champ, quand l'une n'est
// pas une date ou qu'elles sont à l'envers : jamais une autre date à la place. Lues, elles
// s'écrivent en entier dans leur champ, même si le champ a encore le focus : la personne voit
// la date que le graphique emploie.
bool lireDates(SaisieDate& debut, SaisieDate& fin, HoteGraphique::Demande& d, QString& erreur)
{
    erreur = debut.refus(QStringLiteral("Début"));
    if (erreur.isEmpty())
        erreur = fin.refus(QStringLiteral("Fin"));
    if (!erreur.isEmpty())
        return false;
    d.debut = debut.date();
    d.fin = fin.date();
    debut.setDate(d.debut);
    fin.setDate(d.fin);
    if (d.debut <= d.fin)
        return true;
    erreur = QStringLiteral("La date de début (%1) est après la date de fin (%2).").arg(TexteDate(d.debut), TexteDate(d.fin));
    return false;
}

} // namespace

PanneauDemande::PanneauDemande(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PanneauDemande"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    creerStations();
    creerChoix();
    // Les boutons avant les statistiques : sur un écran ordinaire, Tracer se voit sans faire défiler.
    auto* tracer = new QPushButton(QStringLiteral("&Tracer"), this);
    tracer->setObjectName(QStringLiteral("BoutonTracer"));
    tracer->setDefault(true);
    l->addWidget(tracer);
    connect(tracer, &QPushButton::clicked, this, &PanneauDemande::tracerDemande);
    auto* corriger = new QPushButton(QStringLiteral("&Corriger les mesures…"), this);
    corriger->setObjectName(QStringLiteral("BoutonCorriger"));
    corriger->setToolTip(QStringLiteral("Les mesures du pluviomètre choisi, sur ces dates, à corriger dans la grille ou sur le graphique."));
    l->addWidget(corriger);
    connect(corriger, &QPushButton::clicked, this, &PanneauDemande::corrigerDemande);
    creerStatistiques();
    creerChoixStatistiques();
    genreChange();
    MoletteAuFocus::proteger(*this);
}

void PanneauDemande::creerStations()
{
    m_filtre = new QLineEdit(this);
    m_filtre->setObjectName(QStringLiteral("FiltreStations"));
    m_filtre->setPlaceholderText(QStringLiteral("Filtrer les stations (code, nom ou genre)"));
    m_filtre->setClearButtonEnabled(true);
    m_stations = new QTreeWidget(this);
    m_stations->setObjectName(QStringLiteral("ListeStations"));
    m_stations->setHeaderLabels({QStringLiteral("Code"), QStringLiteral("Nom"), QStringLiteral("Genre")});
    m_stations->setRootIsDecorated(false);
    m_stations->setAlternatingRowColors(true);
    m_stations->setMinimumHeight(170);
    // Le code et le genre toujours visibles ; le nom prend le reste, coupé s'il le faut (entier en bulle).
    m_stations->header()->setStretchLastSection(false);
    m_stations->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_stations->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_stations->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_stations->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stations->setTextElideMode(Qt::ElideRight);
    layout()->addWidget(m_filtre);
    layout()->addWidget(m_stations);
    connect(m_filtre, &QLineEdit::textChanged, this, &PanneauDemande::filtrer);
    connect(m_stations, &QTreeWidget::currentItemChanged, this, &PanneauDemande::stationChoisie);
    connect(m_stations, &QTreeWidget::itemDoubleClicked, this, &PanneauDemande::tracerDemande);
}

void PanneauDemande::creerChoix()
{
    auto* cadre = new QGroupBox(QStringLiteral("Graphique"), this);
    auto* f = new QFormLayout(cadre);
    m_genre = listeGenres(cadre);
    m_autres = new QListWidget(cadre);
    m_autres->setObjectName(QStringLiteral("StationsCompagnes"));
    m_autres->setMaximumHeight(90);
    m_debut = champDate(cadre, "DateDebut");
    m_fin = champDate(cadre, "DateFin");
    m_annee = new QSpinBox(cadre);
    m_annee->setObjectName(QStringLiteral("Annee"));
    m_annee->setRange(1800, 2200);
    m_annee->setValue(QDate::currentDate().year());
    m_mesure = liste(mesures, cadre, "Mesure");
    m_periode = listePeriodes(cadre);
    m_affichage = liste(affichages, cadre, "Affichage");
    m_variante = liste(variantes, cadre, "Variante");
    m_cumul = new QCheckBox(QStringLiteral("Cumuler les valeurs"), cadre);
    m_cumul->setObjectName(QStringLiteral("Cumul"));
    f->addRow(QStringLiteral("&Genre"), m_genre);
    f->addRow(QStringLiteral("Avec"), m_autres);
    f->addRow(QStringLiteral("&Début"), m_debut);
    f->addRow(QStringLiteral("&Fin"), m_fin);
    f->addRow(QStringLiteral("A&nnée"), m_annee);
    f->addRow(QStringLiteral("&Mesure"), m_mesure);
    f->addRow(QStringLiteral("&Période"), m_periode);
    f->addRow(QStringLiteral("&Affichage"), m_affichage);
    f->addRow(QStringLiteral("&Variante"), m_variante);
    f->addRow(m_cumul);
    layout()->addWidget(cadre);
    connect(m_genre, &QComboBox::currentIndexChanged, this, &PanneauDemande::genreChange);
    for (SaisieDate* champ : {m_debut, m_fin})
        connect(champ, &QLineEdit::textEdited, this, [this] { m_datesTapees = true; });
    connect(m_variante, &QComboBox::currentIndexChanged, this,
            [this] { accorderPeriodes(*m_periode, TypeGraphDepuisNom(m_genre->currentData().toString()), VarianteDepuisTexte(m_variante->currentData().toString())); });
    connect(m_autres, &QListWidget::itemChanged, this, &PanneauDemande::compagneCochee);
}

void PanneauDemande::creerStatistiques()
{
    auto* cadre = new QGroupBox(QStringLiteral("Statistiques du graphique annuel"), this);
    cadre->setObjectName(QStringLiteral("CadreStatistiques"));
    auto* g = new QGridLayout(cadre);
    int i = 0;
    for (const Choix& s : casesStatistiques) {
        auto* c = new QCheckBox(QString::fromUtf8(s.libelle), cadre);
        c->setObjectName(QString::fromLatin1(s.code));
        c->setChecked(true);
        g->addWidget(c, i / 2, i % 2);
        m_statistiques << c;
        ++i;
    }
    layout()->addWidget(cadre);
}

// Chaque champ dit en bulle ce qu'il change ; il n'est actif que pour les graphiques qui s'en servent.
void PanneauDemande::creerChoixStatistiques()
{
    auto* cadre = new QGroupBox(QStringLiteral("Années, mois et normales des statistiques"), this);
    cadre->setObjectName(QStringLiteral("CadreChoixStatistiques"));
    auto* f = new QFormLayout(cadre);
    QHBoxLayout* annees = creerAnnees(cadre);
    f->addRow(m_anneesChoisies);
    f->addRow(QStringLiteral("de"), annees);
    creerMoisEtNormales(cadre);
    f->addRow(QStringLiteral("Année &hydrologique dès"), m_moisHydro);
    f->addRow(m_normalesOfficielles);
    layout()->addWidget(cadre);
    chargerChoixStatistiques();
    for (QCheckBox* c : {m_anneesChoisies, m_normalesOfficielles})
        connect(c, &QCheckBox::toggled, this, &PanneauDemande::retenirChoixStatistiques);
    for (QSpinBox* a : {m_premiereAnnee, m_derniereAnnee})
        connect(a, &QSpinBox::valueChanged, this, &PanneauDemande::retenirChoixStatistiques);
    connect(m_moisHydro, &QComboBox::currentIndexChanged, this, &PanneauDemande::retenirChoixStatistiques);
    connect(m_periode, &QComboBox::currentIndexChanged, this, &PanneauDemande::majChoixStatistiques);
}

// La case des années choisies et leurs deux champs, rangés sur une ligne.
QHBoxLayout* PanneauDemande::creerAnnees(QWidget* cadre)
{
    m_anneesChoisies = new QCheckBox(QStringLiteral("Années de &statistiques choisies"), cadre);
    m_anneesChoisies->setObjectName(QStringLiteral("AnneesStatistiquesChoisies"));
    m_anneesChoisies->setToolTip(QStringLiteral("Cochée : les statistiques du graphique annuel et la médiane de la comparaison "
                                                "à la normale portent sur ces années. Décochée : de la première année mesurée "
                                                "à l'avant-dernière."));
    auto* annees = new QHBoxLayout;
    for (auto [champ, nom, bulle] : {std::tuple{&m_premiereAnnee, "PremiereAnneeStatistique", "Première année des statistiques"},
                                     {&m_derniereAnnee, "DerniereAnneeStatistique", "Dernière année des statistiques (comprise)"}}) {
        *champ = new QSpinBox(cadre);
        (*champ)->setObjectName(QString::fromLatin1(nom));
        (*champ)->setRange(StatistiquesRetenues::anneeMin, StatistiquesRetenues::anneeMax);
        (*champ)->setToolTip(QString::fromUtf8(bulle));
        annees->addWidget(*champ, 1);
        if (champ == &m_premiereAnnee)
            annees->addWidget(new QLabel(QStringLiteral("à"), cadre));
    }
    return annees;
}

void PanneauDemande::creerMoisEtNormales(QWidget* cadre)
{
    m_moisHydro = new QComboBox(cadre);
    m_moisHydro->setObjectName(QStringLiteral("MoisAnneeHydro"));
    for (int m = 1; m <= 12; ++m)
        m_moisHydro->addItem(QLocale(QLocale::French).monthName(m), m);
    m_moisHydro->setToolTip(QStringLiteral("Premier mois de l'année hydrologique : il ouvre l'année des graphiques par "
                                           "« Année hydrologique » et le cumul du bulletin du mois."));
    m_normalesOfficielles = new QCheckBox(QStringLiteral("Comparer aux normales &officielles (Météo-France)"), cadre);
    m_normalesOfficielles->setObjectName(QStringLiteral("NormalesOfficielles"));
    m_normalesOfficielles->setToolTip(QStringLiteral("Cochée : la comparaison à la normale se fait aux normales officielles de "
                                                     "Météo-France (table PLUVIOMETRE_NORMALES). Décochée : à la médiane des "
                                                     "mesures de la station sur les années des statistiques."));
}

// Le choix retenu par l'utilisateur ; sans choix, des années de normales et octobre.
void PanneauDemande::chargerChoixStatistiques()
{
    const StatistiquesRetenues::Choix c = StatistiquesRetenues::relire();
    const bool choisies = c.premiereAnnee > 0;
    m_anneesChoisies->setChecked(choisies);
    m_premiereAnnee->setValue(choisies ? c.premiereAnnee : 1991);
    m_derniereAnnee->setValue(choisies ? c.derniereAnnee : 2020);
    m_moisHydro->setCurrentIndex((c.moisHydro > 0 ? c.moisHydro : 10) - 1);
    m_normalesOfficielles->setChecked(c.normalesOfficielles);
}

void PanneauDemande::majChoixStatistiques()
{
    const auto type = TypeGraphDepuisNom(m_genre->currentData().toString());
    const bool comparaison = type && Traits(*type).ecarts;
    // Les normales officielles ne dépendent d'aucune année : seules la médiane et le graphique annuel en prennent.
    const bool annees = (type && Traits(*type).annuel) || (comparaison && !m_normalesOfficielles->isChecked());
    m_anneesChoisies->setEnabled(annees);
    m_premiereAnnee->setEnabled(annees && m_anneesChoisies->isChecked());
    m_derniereAnnee->setEnabled(annees && m_anneesChoisies->isChecked());
    m_moisHydro->setEnabled(Periodes::periodeDesLettres(m_periode->currentData().toString()) == Periode::Hydro);
    m_normalesOfficielles->setEnabled(comparaison);
}

StatistiquesRetenues::Choix PanneauDemande::choixStatistiques() const
{
    StatistiquesRetenues::Choix c;
    if (m_anneesChoisies->isChecked()) {
        c.premiereAnnee = m_premiereAnnee->value();
        c.derniereAnnee = m_derniereAnnee->value();
    }
    c.moisHydro = m_moisHydro->currentData().toInt();
    c.normalesOfficielles = m_normalesOfficielles->isChecked();
    return c;
}

// Chaque changement est gardé aussitôt, sauf des années à l'envers, que Tracer refuse.
void PanneauDemande::retenirChoixStatistiques()
{
    majChoixStatistiques();
    const StatistiquesRetenues::Choix c = choixStatistiques();
    if (c.premiereAnnee == 0 || StatistiquesRetenues::defautAnnees(c.premiereAnnee, c.derniereAnnee).isEmpty())
        StatistiquesRetenues::retenir(c);
}

bool PanneauDemande::poserChoixStatistiques(HoteGraphique::Demande& d, QString& erreur) const
{
    const StatistiquesRetenues::Choix c = choixStatistiques();
    if (c.premiereAnnee > 0 && m_anneesChoisies->isEnabled()) {
        if (const QString defaut = StatistiquesRetenues::defautAnnees(c.premiereAnnee, c.derniereAnnee); !defaut.isEmpty()) {
            erreur = defaut.left(1).toUpper() + defaut.mid(1);
            return false;
        }
        d.premiereAnneeStatistique = QString::number(c.premiereAnnee);
        d.derniereAnneeStatistique = QString::number(c.derniereAnnee);
    }
    d.moisHydro = c.moisHydro;
    d.normalesOfficielles = c.normalesOfficielles;
    return true;
}

void PanneauDemande::definirStations(const QList<HoteGraphique::Station>& stations,
                                     const QHash<QString, std::pair<QDate, QDate>>& etendues)
{
    // La station choisie le reste quand la liste est relue (après un import), sans toucher aux dates.
    const QTreeWidgetItem* avant = m_stations->currentItem();
    const auto choisie = avant ? std::optional<std::pair<QString, QString>>({avant->text(0), avant->data(0, Qt::UserRole).toString()})
                               : std::nullopt;
    m_liste = stations;
    m_etendues = etendues;
    const QSignalBlocker bloque(m_stations);
    m_stations->clear();
    for (const HoteGraphique::Station& s : stations) {
        const auto g = GenresStation::depuisNom(s.genre);
        auto* item = new QTreeWidgetItem(m_stations, {s.code, s.nom, g ? QString::fromUtf8(g->libelle) : s.genre});
        item->setData(0, Qt::UserRole, s.genre);
        item->setToolTip(1, s.nom);
        if (!etendues.value(s.code).first.isValid())
            item->setToolTip(0, QStringLiteral("Aucune mesure"));
        if (choisie && choisie->first == s.code && choisie->second == s.genre)
            m_stations->setCurrentItem(item);
    }
    filtrer(m_filtre->text());
    genreChange();
}

bool PanneauDemande::selectionner(const QString& code, const QString& genre)
{
    for (QTreeWidgetItem* item : m_stations->findItems(code, Qt::MatchExactly, 0))
        if (item->data(0, Qt::UserRole).toString() == genre) {
            m_stations->setCurrentItem(item);
            m_stations->scrollToItem(item);
            return true;
        }
    return false;
}

void PanneauDemande::filtrer(const QString& texte)
{
    const QString cherche = sansAccents(texte.trimmed());
    for (int i = 0; i < m_stations->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_stations->topLevelItem(i);
        bool visible = cherche.isEmpty();
        for (int c = 0; c < 3 && !visible; ++c)
            visible = sansAccents(item->text(c)).contains(cherche, Qt::CaseInsensitive);
        item->setHidden(!visible);
    }
}

void PanneauDemande::genreChange()
{
    const auto type = TypeGraphDepuisNom(m_genre->currentData().toString());
    const auto autres = genreDesAutres(*m_genre);
    m_autres->clear();
    m_autres->setEnabled(autres.has_value());
    // La station choisie n'est pas sa propre compagne (deux fois la même courbe).
    const QString principale = m_stations->currentItem() ? m_stations->currentItem()->text(0) : QString();
    if (autres)
        for (const HoteGraphique::Station& s : m_liste)
            if (GenresStation::est(s.genre, *autres) && s.code != principale) {
                // Cochée avant d'entrer dans la liste : ce n'est pas un clic à retenir.
                auto* item = new QListWidgetItem(s.code + QStringLiteral(" — ") + s.nom);
                item->setData(Qt::UserRole, s.code);
                item->setCheckState(m_compagnesCochees.value(int(*autres)).contains(s.code) ? Qt::Checked : Qt::Unchecked);
                m_autres->addItem(item);
            }
    const bool annee = type && Traits(*type).annuel;
    accorderPeriodes(*m_periode, type, VarianteDepuisTexte(m_variante->currentData().toString()));
    m_annee->setEnabled(annee);
    m_variante->setEnabled(annee);
    findChild<QGroupBox*>(QStringLiteral("CadreStatistiques"))->setEnabled(annee);
    majChoixStatistiques();
}

// Les dates prennent la chronique de la station, sauf des dates tapées par la personne qui en
// recouvrent une partie : elles restent, comme une période choisie pour comparer des stations.
void PanneauDemande::stationChoisie()
{
    const QTreeWidgetItem* item = m_stations->currentItem();
    if (!item)
        return;
    genreChange();
    const auto [debut, fin] = m_etendues.value(item->text(0));
    if (!debut.isValid() || !fin.isValid())
        return;
    const QDate tapeeDebut = m_debut->date(), tapeeFin = m_fin->date();
    const bool garder = m_datesTapees && tapeeDebut.isValid() && tapeeFin.isValid() && tapeeDebut <= fin && tapeeFin >= debut;
    if (garder)
        return;
    m_debut->setDate(debut);
    m_fin->setDate(fin);
    m_annee->setValue(fin.year());
    m_datesTapees = false;
}

void PanneauDemande::compagneCochee(const QListWidgetItem* item)
{
    const auto autres = genreDesAutres(*m_genre);
    if (!autres)
        return;
    QSet<QString>& cochees = m_compagnesCochees[int(*autres)];
    const QString code = item->data(Qt::UserRole).toString();
    if (item->checkState() == Qt::Checked)
        cochees.insert(code);
    else
        cochees.remove(code);
}

QHash<QString, bool> PanneauDemande::statistiques() const
{
    QHash<QString, bool> h;
    for (const QCheckBox* c : m_statistiques)
        h.insert(c->objectName(), c->isChecked());
    return h;
}

std::optional<HoteGraphique::Demande> PanneauDemande::demande(QString& erreur) const
{
    const QTreeWidgetItem* item = m_stations->currentItem();
    if (!item) {
        erreur = QStringLiteral("Choisissez une station dans la liste.");
        return std::nullopt;
    }
    HoteGraphique::Demande d;
    d.type = TypeGraphDepuisNom(m_genre->currentData().toString()).value_or(TypeGraph::edition);
    d.station = item->text(0);
    for (int i = 0; i < m_autres->count(); ++i)
        if (m_autres->item(i)->checkState() == Qt::Checked)
            d.stations << m_autres->item(i)->data(Qt::UserRole).toString();
    if (HoteGraphique::genreDesAutres(d.type) && d.stations.isEmpty()) {
        erreur = QStringLiteral("Ce graphique demande au moins une station cochée dans « Avec ».");
        return std::nullopt;
    }
    if (!lireDates(*m_debut, *m_fin, d, erreur))
        return std::nullopt;
    d.annee = Traits(d.type).annuel ? m_annee->value() : 0;
    d.mesures = m_mesure->currentData().toString();
    d.periodes = m_periode->currentData().toString();
    d.variante = Traits(d.type).annuel ? m_variante->currentData().toString() : QString();
    if (const QString refus = Periodes::refus(d.type, VarianteDepuisTexte(d.variante), d.periodes); !refus.isEmpty()) {
        erreur = refus.left(1).toUpper() + refus.mid(1);
        return std::nullopt;
    }
    const QString affichage = m_affichage->currentData().toString();
    d.affichage = !affichage.isEmpty() ? affichage : HoteGraphique::affichageParDefaut(d.type, d.variante);
    d.cumul = m_cumul->isChecked();
    if (!poserChoixStatistiques(d, erreur))
        return std::nullopt;
    return d;
}

std::optional<HoteGraphique::Demande> PanneauDemande::demandeCorrection(QString& erreur) const
{
    const QTreeWidgetItem* item = m_stations->currentItem();
    if (!item || !GenresStation::est(item->data(0, Qt::UserRole).toString(), GenreStation::Genre::Pluvio)) {
        erreur = QStringLiteral("Choisissez un pluviomètre dans la liste : ce sont ses pluies qui se corrigent.");
        return std::nullopt;
    }
    HoteGraphique::Demande d;
    d.type = TypeGraph::travail;
    d.station = item->text(0);
    if (!lireDates(*m_debut, *m_fin, d, erreur))
        return std::nullopt;
    return d;
}
