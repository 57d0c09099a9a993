#include "settings/PageEchelles.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "model/Classe_Graphiques.h"
#include "settings/ValidationOptions.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString titreValeurs(TypeGraph type)
{
    return QString::fromUtf8(Traits(type).titreEchelle);
}

// Les dates de la collection, textes de l'hôte, montrées "DD/MM/YYYY" ; vide quand elles n'en sont pas.
QString texteDate(const QString& texte)
{
    const auto d = LireDate(texte.trimmed().left(10));
    return d ? TexteDate(*d) : QString();
}

} // namespace

PageEchelles::PageEchelles(TypeGraph type, QWidget* parent)
    : QWidget(parent)
    , m_type(type)
    , m_affichage(new QComboBox(this))
{
    creerGroupe(m_valeurs, titreValeurs(type), "",
                {QStringLiteral("&Automatique"), QStringLiteral("&Fixe"), QStringLiteral("Mi&nimum :"), QStringLiteral("Ma&ximum :")});
    creerGroupe(m_pluie, QStringLiteral("Échelle de la pluviométrie"), "Pluvio",
                {QStringLiteral("A&utomatique"), QStringLiteral("F&ixe"), QStringLiteral("Minim&um :"), QStringLiteral("Maxi&mum :")});
    creerGroupe(m_periode, QStringLiteral("Période affichée"), "X",
                {QStringLiteral("&Toute la période chargée"), QStringLiteral("&Période choisie"), QStringLiteral("&Début :"),
                 QStringLiteral("Fi&n :")});
    m_pluie.cadre->setVisible(ValidationOptions::deuxGraphiques(type));
    for (QLineEdit* champ : {m_periode.bas, m_periode.haut}) {
        champ->setInputMask(QStringLiteral("99/99/9999;_"));
        champ->setMaximumWidth(110);
    }
    m_periode.bas->setObjectName(QStringLiteral("TxtDateDebut"));
    m_periode.haut->setObjectName(QStringLiteral("TxtDateFin"));

    m_affichage->setObjectName(QStringLiteral("CboAffichage"));
    m_affichage->addItems({QStringLiteral("Profondeur"), QStringLiteral("Cote NGF")});
    // Les débits d'une rivière ne sont ni des profondeurs ni des cotes : seules les nappes changent d'unité.
    m_affichage->setEnabled(Traits(type).piezometres());
    auto* nappes = new QFormLayout();
    nappes->addRow(QStringLiteral("Affichage des &nappes :"), m_affichage);

    auto* l = new QVBoxLayout(this);
    for (QGroupBox* cadre : {m_valeurs.cadre, m_pluie.cadre, m_periode.cadre})
        l->addWidget(cadre);
    l->addLayout(nappes);
    l->addStretch();
    for (Groupe* g : {&m_valeurs, &m_pluie, &m_periode})
        brancher(*g);
}

void PageEchelles::creerGroupe(Groupe& g, const QString& titre, const char* nom, const QStringList& libelles)
{
    const QString suffixe = QString::fromLatin1(nom);
    g.cadre = new QGroupBox(titre, this);
    const bool periode = suffixe == QStringLiteral("X");
    g.cadre->setObjectName(periode ? QStringLiteral("FrmEchelleX") : QStringLiteral("FrmEchelleY") + suffixe);
    g.automatique = new QRadioButton(libelles[0], g.cadre);
    g.fixe = new QRadioButton(libelles[1], g.cadre);
    auto* options = new QButtonGroup(g.cadre);
    options->addButton(g.automatique, 0);
    options->addButton(g.fixe, 1);
    const QString groupe = QStringLiteral("OptEchelle") + suffixe;
    g.automatique->setObjectName(groupe + u'0');
    g.fixe->setObjectName(groupe + u'1');
    g.bas = new QLineEdit(g.cadre);
    g.haut = new QLineEdit(g.cadre);
    g.bas->setObjectName(QStringLiteral("TxtMin") + suffixe);
    g.haut->setObjectName(QStringLiteral("TxtMax") + suffixe);
    auto* choix = new QHBoxLayout();
    choix->addWidget(g.automatique);
    choix->addWidget(g.fixe);
    choix->addStretch();
    auto* l = new QFormLayout(g.cadre);
    l->addRow(choix);
    l->addRow(libelles[2], g.bas);
    l->addRow(libelles[3], g.haut);
}

void PageEchelles::brancher(Groupe& g)
{
    Groupe* p = &g;
    connect(g.automatique, &QRadioButton::clicked, this, [p] {
        if (!p->basAuto.isEmpty() && !p->hautAuto.isEmpty()) {
            p->bas->setText(p->basAuto);
            p->haut->setText(p->hautAuto);
        }
    });
    for (QLineEdit* champ : {g.bas, g.haut})
        connect(champ, &QLineEdit::textChanged, this, [p] {
            if (p->bas->text() != p->basAuto || p->haut->text() != p->hautAuto)
                p->fixe->setChecked(true);
        });
}

void PageEchelles::montrer(Groupe& g, bool automatique, const QString& bas, const QString& haut)
{
    g.bas->setText(bas);
    g.haut->setText(haut);
    (automatique ? g.automatique : g.fixe)->setChecked(true);
}

void PageEchelles::remplirValeurs(Groupe& g, const Classe_Graphiques& c)
{
    g.basAuto = TexteNombre(c.MinDonnees());
    g.hautAuto = TexteNombre(c.MaxDonnees());
    if (c.EchelleYAuto())
        montrer(g, true, g.basAuto, g.hautAuto);
    else
        montrer(g, false, TexteNombre(c.MinY()), TexteNombre(c.MaxY()));
}

void PageEchelles::remplir(const Classe_Graphiques& courbes, const Classe_Graphiques* pluie, bool coteNgf)
{
    remplirValeurs(m_valeurs, courbes);
    if (pluie && ValidationOptions::deuxGraphiques(m_type))
        remplirValeurs(m_pluie, *pluie);
    m_periode.basAuto = texteDate(courbes.DateDebutChargement());
    m_periode.hautAuto = texteDate(courbes.DateFinChargement());
    if (courbes.EchelleXAuto())
        montrer(m_periode, true, m_periode.basAuto, m_periode.hautAuto);
    else
        montrer(m_periode, false, texteDate(courbes.DateDebutAffichage()), texteDate(courbes.DateFinAffichage()));
    m_affichage->setCurrentIndex(coteNgf ? 1 : 0);
}

void PageEchelles::lire(SaisieOptions& s) const
{
    s.minimum = m_valeurs.bas->text();
    s.maximum = m_valeurs.haut->text();
    s.echelleYAuto = m_valeurs.automatique->isChecked();
    s.minimumPluie = m_pluie.bas->text();
    s.maximumPluie = m_pluie.haut->text();
    s.echellePluieAuto = m_pluie.automatique->isChecked();
    s.dateDebut = dateDebut();
    s.dateFin = dateFin();
    s.echelleXAuto = m_periode.automatique->isChecked();
    s.coteNgf = m_affichage->currentIndex() == 1;
}

QString PageEchelles::dateDebut() const
{
    return m_periode.bas->text();
}

QString PageEchelles::dateFin() const
{
    return m_periode.haut->text();
}
