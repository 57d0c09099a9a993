#include "DialogueBulletin.h"

#include "AideBureau.h"
#include "ChampMois.h"

#include "commun/Horloge.h"
#include "commun/TexteAffichable.h"
#include "commun/messages/Messages.h"
#include "data/GenresStation.h"
#include "data/bulletin/BulletinMensuel.h"
#include "data/bulletin/GenreBulletin.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

namespace {

struct StationListee
{
    StationBase station;
    const GenreStation* genre;
};

// Les stations qui entrent au bulletin, dans son ordre : pluviomètres, piézomètres, stations hydrométriques.
QList<StationListee> stationsDuBulletin(const QList<StationBase>& stations)
{
    QList<StationListee> liste;
    for (const StationBase& s : stations) {
        const auto g = GenresStation::depuisNom(s.genre);
        // Un piézomètre du code d'un pluviomètre est une autre station : chacun a sa ligne.
        const bool dejaLa = std::any_of(liste.cbegin(), liste.cend(), [&s](const StationListee& l) {
            return l.station.code == s.code && l.station.genre == s.genre;
        });
        if (g && GenresBulletin::de(g->genre) && !dejaLa)
            liste.append({s, &GenresStation::de(g->genre)});
    }
    std::stable_sort(liste.begin(), liste.end(),
                     [](const StationListee& a, const StationListee& b) { return int(a.genre->genre) < int(b.genre->genre); });
    return liste;
}

// Le chemin saisi, rapporté au dossier proposé et terminé par l'extension attendue ; vide s'il n'y en a pas.
QString cheminSaisi(const QLineEdit* champ, const QString& dossier, const QString& extension)
{
    const QString texte = QDir::fromNativeSeparators(champ->text().trimmed());
    if (texte.isEmpty())
        return QString();
    QString chemin = QDir::cleanPath(QDir(dossier).absoluteFilePath(texte));
    if (QFileInfo(chemin).suffix().compare(extension, Qt::CaseInsensitive) != 0)
        chemin += u'.' + extension;
    return chemin;
}

CleStation cle(const QTreeWidgetItem& ligne)
{
    return {ligne.data(0, Qt::UserRole).toString(), GenreStation::Genre(ligne.data(0, Qt::UserRole + 1).toInt())};
}

QString cite(const QString& chemin)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(QDir::toNativeSeparators(chemin)));
}

} // namespace

DialogueBulletin::DialogueBulletin(const QList<StationBase>& stations, const QString& dossier, BaseDonnees& base,
                                   QWidget* parent)
    : QDialog(parent)
    , m_base(base)
    , m_dossier(dossier)
    , m_mois(new ChampMois(this))
    , m_stations(creerListe(stations))
    , m_pdf(new QLineEdit(this))
    , m_classeur(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Bulletin du mois"));
    m_mois->setObjectName(QStringLiteral("MoisBulletin"));
    proposerMois();
    m_pdf->setObjectName(QStringLiteral("FichierPdf"));
    m_classeur->setObjectName(QStringLiteral("FichierClasseur"));
    m_classeur->setPlaceholderText(QStringLiteral("facultatif : la synthèse en classeur (.xlsx)"));
    moisChoisi();
    connect(m_mois, &ChampMois::dateChanged, this, &DialogueBulletin::moisChoisi);

    auto* f = new QFormLayout(this);
    f->addRow(QStringLiteral("&Mois"), m_mois);
    ajouterLigne(*f, QStringLiteral("&Stations"), m_stations, colonneStations());
    ajouterLigne(*f, QStringLiteral("Bulletin &PDF"), m_pdf,
                 ligneFichier(m_pdf, QStringLiteral("Bulletin PDF"), QStringLiteral("Document PDF (*.pdf)")));
    ajouterLigne(*f, QStringLiteral("&Classeur"), m_classeur,
                 ligneFichier(m_classeur, QStringLiteral("Classeur de synthèse"), QStringLiteral("Classeur (*.xlsx)")));
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    AideBureau::brancher(*this, *boutons, QStringLiteral("bulletin.htm"));
    f->addRow(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueBulletin::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(620, 470);
}

// Un mois à venir ne se choisit pas ; le mois en cours se choisit, avec ce qu'il a déjà de mesures.
// Le mois proposé est le dernier achevé qui a des mesures parmi les stations de la liste.
void DialogueBulletin::proposerMois()
{
    const QDate aujourdhui = Horloge::aujourdhui();
    const QDate moisCourant(aujourdhui.year(), aujourdhui.month(), 1);
    m_mois->setDateRange(QDate(1900, 1, 1), moisCourant);
    QList<CleStation> listees;
    for (int i = 0; i < m_stations->topLevelItemCount(); ++i)
        listees << cle(*m_stations->topLevelItem(i));
    m_mois->setDate(BulletinMensuel::dernierMoisMesure(m_base, listees).value_or(moisCourant.addMonths(-1)));
}

// Une ligne faite d'un groupe nomme son champ elle-même, sinon le & de l'étiquette s'afficherait.
void DialogueBulletin::ajouterLigne(QFormLayout& forme, const QString& titre, QWidget* champ, QLayout* ligne)
{
    auto* etiquette = new QLabel(titre, this);
    etiquette->setBuddy(champ);
    forme.addRow(etiquette, ligne);
}

QLayout* DialogueBulletin::colonneStations()
{
    auto* cocher = new QPushButton(QStringLiteral("&Tout cocher"), this);
    auto* decocher = new QPushButton(QStringLiteral("Tout &décocher"), this);
    connect(cocher, &QPushButton::clicked, this, [this] { cocherTout(true); });
    connect(decocher, &QPushButton::clicked, this, [this] { cocherTout(false); });
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(cocher);
    boutons->addWidget(decocher);
    boutons->addStretch(1);
    auto* colonne = new QVBoxLayout;
    colonne->addWidget(m_stations, 1);
    colonne->addLayout(boutons);
    return colonne;
}

QTreeWidget* DialogueBulletin::creerListe(const QList<StationBase>& stations)
{
    auto* liste = new QTreeWidget(this);
    liste->setObjectName(QStringLiteral("StationsBulletin"));
    liste->setHeaderLabels({QStringLiteral("Code"), QStringLiteral("Nom"), QStringLiteral("Genre")});
    liste->setRootIsDecorated(false);
    liste->setAlternatingRowColors(true);
    for (const StationListee& s : stationsDuBulletin(stations)) {
        auto* item = new QTreeWidgetItem(liste, {s.station.code, s.station.nom, QString::fromUtf8(s.genre->libelle)});
        item->setData(0, Qt::UserRole, s.station.code);
        item->setData(0, Qt::UserRole + 1, int(s.genre->genre));
        item->setCheckState(0, Qt::Checked);
        item->setToolTip(1, s.station.nom);
    }
    liste->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    liste->header()->setStretchLastSection(false);
    liste->resizeColumnToContents(0);
    liste->resizeColumnToContents(2);
    return liste;
}

QLayout* DialogueBulletin::ligneFichier(QLineEdit* champ, const QString& titre, const QString& filtre)
{
    auto* parcourir = new QPushButton(QStringLiteral("Parcourir…"), this);
    connect(parcourir, &QPushButton::clicked, this, [this, champ, titre, filtre] {
        const QString depart = champ->text().trimmed().isEmpty() ? m_dossier : champ->text().trimmed();
        const QString f = QFileDialog::getSaveFileName(this, titre, depart, filtre);
        if (!f.isEmpty())
            champ->setText(QDir::toNativeSeparators(f));
    });
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(champ, 1);
    ligne->addWidget(parcourir);
    return ligne;
}

void DialogueBulletin::cocherTout(bool coche)
{
    for (int i = 0; i < m_stations->topLevelItemCount(); ++i)
        m_stations->topLevelItem(i)->setCheckState(0, coche ? Qt::Checked : Qt::Unchecked);
}

// Le nom proposé suit le mois tant qu'on ne l'a pas changé.
void DialogueBulletin::moisChoisi()
{
    const QDate mois = m_mois->date();
    if (!mois.isValid())
        return;
    const QString propose = QDir::toNativeSeparators(
        QDir(m_dossier).filePath(QStringLiteral("Bulletin %1.pdf").arg(mois.toString(QStringLiteral("yyyy-MM")))));
    if (m_pdf->text().isEmpty() || m_pdf->text() == m_pdfPropose)
        m_pdf->setText(propose);
    m_pdfPropose = propose;
}

QList<CleStation> DialogueBulletin::cochees() const
{
    QList<CleStation> cles;
    for (int i = 0; i < m_stations->topLevelItemCount(); ++i)
        if (m_stations->topLevelItem(i)->checkState(0) == Qt::Checked)
            cles << cle(*m_stations->topLevelItem(i));
    return cles;
}

EditionBulletin::Demande DialogueBulletin::demande() const
{
    EditionBulletin::Demande d;
    const QDate mois = m_mois->date();
    d.mois = QDate(mois.year(), mois.month(), 1);
    const QList<CleStation> codes = cochees();
    // Tout coché : les stations qui ont des mesures ce mois-là, sans ligne vide pour une station fermée.
    if (codes.size() < m_stations->topLevelItemCount())
        d.stations = codes;
    d.pdf = cheminSaisi(m_pdf, m_dossier, QStringLiteral("pdf"));
    d.classeur = cheminSaisi(m_classeur, m_dossier, QStringLiteral("xlsx"));
    return d;
}

QString DialogueBulletin::verifier(const EditionBulletin::Demande& d) const
{
    if (const QString mois = m_mois->refus(QStringLiteral("Mois")); !mois.isEmpty())
        return mois;
    if (cochees().isEmpty())
        return QStringLiteral("Cocher au moins une station.");
    if (d.pdf.isEmpty())
        return QStringLiteral("Donner le fichier du bulletin PDF.");
    for (const QString& chemin : {d.pdf, d.classeur})
        if (!chemin.isEmpty() && !QFileInfo(QFileInfo(chemin).absolutePath()).isDir())
            return QStringLiteral("Le dossier %1 n'existe pas.").arg(cite(QFileInfo(chemin).absolutePath()));
    return QString();
}

void DialogueBulletin::accept()
{
    const EditionBulletin::Demande d = demande();
    if (const QString defaut = verifier(d); !defaut.isEmpty()) {
        AfficherMessage(QStringLiteral("aide"), defaut);
        return;
    }
    EditionBulletin edition(m_base, this);
    QString erreur;
    if (!edition.executer(d, erreur)) {
        AfficherMessage(edition.annulee() ? QStringLiteral("aide") : QStringLiteral("erreur"),
                        erreur.left(1).toUpper() + erreur.mid(1));
        return;
    }
    QDialog::accept();
}
