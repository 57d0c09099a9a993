#include "entry/DelegueCellules.h"

#include "commun/Dates.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"
#include "entry/GrillePoints.h"
#include "entry/ModelePoints.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
const char* const proprieteColonne = "colonne";

// Les caractères que chaque colonne laisse taper ; la lecture complète se fait à la validation.
QString motifCaracteres(int colonne)
{
    switch (colonne) {
    case GrillePoints::Date:
        return QStringLiteral("[0-9/]{0,10}");
    case GrillePoints::Heure:
        return QStringLiteral("[0-9:]{0,8}");
    case GrillePoints::Valeur:
        return QStringLiteral("\\s*[-+]?[0-9]*[.,]?[0-9]*\\s*");
    default:
        return QString();
    }
}

bool toucheDeValidation(int touche)
{
    return touche == Qt::Key_Enter || touche == Qt::Key_Return || touche == Qt::Key_Tab || touche == Qt::Key_Backtab;
}
} // namespace

DelegueCellules::DelegueCellules(const ModelePoints* modele, QObject* parent)
    : QStyledItemDelegate(parent), m_modele(modele)
{
}

QWidget* DelegueCellules::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    if (!index.isValid() || !(index.flags() & Qt::ItemIsEditable))
        return nullptr;
    auto* editeur = new QLineEdit(parent);
    editeur->setFrame(false);
    editeur->setProperty(proprieteColonne, index.column());
    const QString motif = motifCaracteres(index.column());
    if (!motif.isEmpty())
        editeur->setValidator(new QRegularExpressionValidator(QRegularExpression(motif), editeur));
    connect(editeur, &QLineEdit::textChanged, editeur, [this, editeur] {
        if (editeurAccepte(editeur))
            marquerRefus(editeur, false);
    });
    return editeur;
}

void DelegueCellules::setEditorData(QWidget* editeur, const QModelIndex& index) const
{
    if (auto* ligne = qobject_cast<QLineEdit*>(editeur))
        ligne->setText(index.data(Qt::EditRole).toString());
}

void DelegueCellules::setModelData(QWidget* editeur, QAbstractItemModel* modele, const QModelIndex& index) const
{
    auto* ligne = qobject_cast<QLineEdit*>(editeur);
    if (!ligne || !accepte(index.column(), ligne->text()))
        return;
    const QString texte = texteRange(index.column(), ligne->text());
    if (index.column() == GrillePoints::Valeur) {
        // Une valeur absurde est gardée, mais marquée pour que l'utilisateur la voie.
        const auto actuel = GrillePoints::Style(index.data(ModelePoints::RoleStyle).toInt());
        auto style = actuel == GrillePoints::Style::Invalide ? GrillePoints::Style::Normal : actuel;
        if (valeurAbsurde(texte))
            style = GrillePoints::Style::Invalide;
        modele->setData(index, int(style), ModelePoints::RoleStyle);
    }
    modele->setData(index, texte, Qt::EditRole);
}

bool DelegueCellules::accepte(int colonne, const QString& texte) const
{
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return true;
    switch (colonne) {
    case GrillePoints::Date: {
        const auto date = LireDate(t);
        if (!date)
            return false;
        const QDate minimum = m_modele ? m_modele->dateMinimum() : QDate();
        const QDate maximum = m_modele ? m_modele->dateMaximum() : QDate();
        return (!minimum.isValid() || *date >= minimum) && (!maximum.isValid() || *date <= maximum);
    }
    case GrillePoints::Heure:
        return LireHeure(t).has_value();
    case GrillePoints::Valeur:
        return LireNombre(t).has_value();
    default:
        return true;
    }
}

QString DelegueCellules::texteRange(int colonne, const QString& texte)
{
    const QString t = texte.trimmed();
    if (colonne != GrillePoints::Valeur || t.isEmpty())
        return t;
    const auto valeur = LireNombre(t);
    if (!valeur)
        return t;
    // La grille s'écrit à la française quel que soit le réglage de l'utilisateur.
    QString rangee = FormatNombre(*valeur, QStringLiteral("0.00"));
    rangee.replace(LocaleUtilisateur::separateurDecimal(), u',');
    return rangee;
}

bool DelegueCellules::valeurAbsurde(const QString& texte)
{
    const auto valeur = LireNombre(texte.trimmed());
    return valeur && (*valeur < 0.0 || *valeur > 1000.0);
}

QColor DelegueCellules::couleurRefus()
{
    return QColor(0xB0, 0x00, 0x00);
}

bool DelegueCellules::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::KeyPress) {
        auto* editeur = qobject_cast<QLineEdit*>(objet);
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (editeur && toucheDeValidation(touche) && !editeurAccepte(editeur)) {
            marquerRefus(editeur, true);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(objet, evenement);
}

bool DelegueCellules::editeurAccepte(const QLineEdit* editeur) const
{
    return accepte(editeur->property(proprieteColonne).toInt(), editeur->text());
}

void DelegueCellules::marquerRefus(QLineEdit* editeur, bool refus)
{
    QPalette palette = editeur->palette();
    palette.setColor(QPalette::Text, refus ? couleurRefus() : QPalette().color(QPalette::Text));
    editeur->setPalette(palette);
}
