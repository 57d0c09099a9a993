#include "settings/PageTitres.h"

#include "settings/ValidationOptions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QCheckBox* caseACocher(const char* nom, const QString& texte, QWidget* parent)
{
    auto* c = new QCheckBox(texte, parent);
    c->setObjectName(QString::fromLatin1(nom));
    return c;
}

QLineEdit* champ(const char* nom, QWidget* parent, int longueur)
{
    auto* c = new QLineEdit(parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setMaxLength(longueur);
    return c;
}

// Un axe : l'afficher, afficher son titre, le texte du titre.
QGroupBox* groupeAxe(const QString& titre, QCheckBox* axe, QCheckBox* titreAxe, QLineEdit* libelle, QWidget* parent)
{
    auto* g = new QGroupBox(titre, parent);
    auto* l = new QFormLayout(g);
    l->addRow(axe);
    l->addRow(titreAxe);
    l->addRow(QStringLiteral("Titre de l'axe :"), libelle);
    return g;
}

} // namespace

PageTitres::PageTitres(QWidget* parent)
    : QWidget(parent)
    , m_afficherTitre(caseACocher("chkAfficherTitre", QStringLiteral("Afficher le &titre du graphique"), this))
    , m_afficherLegende(caseACocher("chkAfficherLegende", QStringLiteral("Afficher la &légende"), this))
    , m_afficherAquifere(caseACocher("chkAfficherAquifere", QStringLiteral("Afficher le nom de l'a&quifère"), this))
    , m_afficherAxeProfondeur(caseACocher("ChkAfficherAxeProfondeur", QStringLiteral("Afficher l'axe des &profondeurs"), this))
    , m_afficherTitreAxeProfondeur(caseACocher("ChkAfficherTitreAxeprofondeur", QStringLiteral("Afficher son titre"), this))
    , m_libelleAxeProfondeur(champ("TxtLibelleAxeProfondeur", this, 100))
    , m_afficherAxeNGF(caseACocher("ChkAfficherAxeNGF", QStringLiteral("Afficher l'axe des &cotes NGF"), this))
    , m_afficherTitreAxeNGF(caseACocher("ChkAfficherTitreAxeNGF", QStringLiteral("Afficher son titre"), this))
    , m_libelleAxeNGF(champ("TxtLibelleAxeNGF", this, 100))
    , m_tailleAxes(champ("TxtTailleAxes", this, 4))
    , m_tailleTitre(champ("TxtTailleTitre", this, 4))
{
    auto* titres = new QGroupBox(QStringLiteral("Titre et légende"), this);
    auto* lt = new QVBoxLayout(titres);
    for (QCheckBox* c : {m_afficherTitre, m_afficherLegende, m_afficherAquifere})
        lt->addWidget(c);

    auto* polices = new QGroupBox(QStringLiteral("Tailles des polices (%1 à %2 points)")
                                      .arg(ValidationOptions::taillePoliceMin)
                                      .arg(ValidationOptions::taillePoliceMax),
                                  this);
    auto* lp = new QFormLayout(polices);
    lp->addRow(QStringLiteral("Li&bellés des axes :"), m_tailleAxes);
    lp->addRow(QStringLiteral("Titr&es :"), m_tailleTitre);
    for (QLineEdit* c : {m_tailleAxes, m_tailleTitre}) {
        c->setMaximumWidth(60);
        c->setToolTip(QStringLiteral("Un nombre entier de %1 à %2").arg(ValidationOptions::taillePoliceMin).arg(ValidationOptions::taillePoliceMax));
    }

    auto* l = new QVBoxLayout(this);
    l->addWidget(titres);
    l->addWidget(groupeAxe(QStringLiteral("Axe des profondeurs"), m_afficherAxeProfondeur, m_afficherTitreAxeProfondeur,
                           m_libelleAxeProfondeur, this));
    l->addWidget(groupeAxe(QStringLiteral("Axe des cotes NGF"), m_afficherAxeNGF, m_afficherTitreAxeNGF, m_libelleAxeNGF, this));
    l->addWidget(polices);
    l->addStretch();
}

void PageTitres::remplir(const GestionExportExcel& o)
{
    m_afficherTitre->setChecked(o.AfficherTitre);
    m_afficherLegende->setChecked(o.AfficherLegende);
    m_afficherAquifere->setChecked(o.AfficherAquifere);
    m_afficherAxeProfondeur->setChecked(o.AfficherAxeProfondeur);
    m_afficherTitreAxeProfondeur->setChecked(o.AfficherTitreAxeProfondeur);
    m_libelleAxeProfondeur->setText(o.LibelleAxeProfondeur);
    m_afficherAxeNGF->setChecked(o.AfficherAxeNGF);
    m_afficherTitreAxeNGF->setChecked(o.AfficherTitreAxeNGF);
    m_libelleAxeNGF->setText(o.LibelleAxeNGF);
    m_tailleAxes->setText(QString::number(o.TaillePoliceAxes));
    m_tailleTitre->setText(QString::number(o.TaillePoliceTitre));
}

void PageTitres::lire(SaisieOptions& s) const
{
    GestionExportExcel& o = s.options;
    o.AfficherTitre = m_afficherTitre->isChecked();
    o.AfficherLegende = m_afficherLegende->isChecked();
    o.AfficherAquifere = m_afficherAquifere->isChecked();
    o.AfficherAxeProfondeur = m_afficherAxeProfondeur->isChecked();
    o.AfficherTitreAxeProfondeur = m_afficherTitreAxeProfondeur->isChecked();
    o.LibelleAxeProfondeur = m_libelleAxeProfondeur->text();
    o.AfficherAxeNGF = m_afficherAxeNGF->isChecked();
    o.AfficherTitreAxeNGF = m_afficherTitreAxeNGF->isChecked();
    o.LibelleAxeNGF = m_libelleAxeNGF->text();
    s.tailleAxes = m_tailleAxes->text();
    s.tailleTitre = m_tailleTitre->text();
}
