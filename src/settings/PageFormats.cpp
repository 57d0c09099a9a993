#include "settings/PageFormats.h"

#include "settings/FormatsAxeX.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Le format personnalisé ne s'écrit que lorsqu'il est choisi.
void brancher(QComboBox* liste, QLineEdit* perso)
{
    const auto suivre = [liste, perso] {
        perso->setEnabled(FormatsAxeX::code(liste->currentText()) == QStringLiteral("PERSO"));
    };
    QObject::connect(liste, &QComboBox::currentIndexChanged, perso, suivre);
    suivre();
}

QGroupBox* groupe(const QString& titre, const char* nomListe, const char* nomPerso, const QStringList& choix,
                  QComboBox*& liste, QLineEdit*& perso, QWidget* parent)
{
    auto* g = new QGroupBox(titre, parent);
    liste = new QComboBox(g);
    liste->setObjectName(QString::fromLatin1(nomListe));
    liste->addItems(choix);
    perso = new QLineEdit(g);
    perso->setObjectName(QString::fromLatin1(nomPerso));
    perso->setMaxLength(40);
    perso->setToolTip(QStringLiteral("d jour, m mois, yy ou yyyy année ; par exemple mm/yyyy"));
    auto* l = new QFormLayout(g);
    l->addRow(QStringLiteral("Format :"), liste);
    l->addRow(QStringLiteral("Format personnalisé :"), perso);
    brancher(liste, perso);
    return g;
}

void montrer(QComboBox* liste, QLineEdit* perso, const QStringList& choix, const QString& type, const QString& format)
{
    liste->setCurrentIndex(FormatsAxeX::indice(choix, {type, format}));
    perso->setText(format);
}

} // namespace

PageFormats::PageFormats(QWidget* parent)
    : QWidget(parent)
{
    auto* l = new QVBoxLayout(this);
    l->addWidget(groupe(QStringLiteral("Axe du temps d'une année"), "CboFormatAxeXAnnee", "TxtFormatAxeXAnnee",
                        FormatsAxeX::choixAnnee(), m_formatAnnee, m_persoAnnee, this));
    l->addWidget(groupe(QStringLiteral("Axe du temps de plusieurs années"), "CboFormatAxeX", "TxtFormatAxeX",
                        FormatsAxeX::choixPluriannuel(), m_format, m_perso, this));
    l->addStretch();
}

void PageFormats::remplir(const GestionExportExcel& o)
{
    montrer(m_formatAnnee, m_persoAnnee, FormatsAxeX::choixAnnee(), o.TypeAxeXAnnee, o.FormatAxeXAnnee);
    montrer(m_format, m_perso, FormatsAxeX::choixPluriannuel(), o.TypeAxeX, o.FormatAxeX);
}

void PageFormats::lire(SaisieOptions& s) const
{
    const auto annee = FormatsAxeX::reglage(FormatsAxeX::code(m_formatAnnee->currentText()), m_persoAnnee->text());
    const auto pluriannuel = FormatsAxeX::reglage(FormatsAxeX::code(m_format->currentText()), m_perso->text());
    s.options.TypeAxeXAnnee = annee.type;
    s.options.FormatAxeXAnnee = annee.format;
    s.options.TypeAxeX = pluriannuel.type;
    s.options.FormatAxeX = pluriannuel.format;
}
