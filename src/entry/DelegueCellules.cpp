#include "entry/DelegueCellules.h"

#include "commun/Dates.h"
#include "commun/Horloge.h"
#include "commun/Nombres.h"
#include "entry/GrillePoints.h"
#include "entry/ModelePoints.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>

namespace {
const char* const proprieteColonne = "colonne";

// Les caractères que chaque colonne laisse taper ; la lecture complète se fait à la validation.
QString motifCaracteres(int colonne)
{
    switch (colonne) {
    case GrillePoints::Date:
        return QStringLiteral("[0-9/.\\- ]{0,10}");
    case GrillePoints::Heure:
        return QStringLiteral("[0-9:]{0,8}");
    case GrillePoints::Valeur:
        return QStringLiteral("\\s*[-+]?[0-9]*[.,]?[0-9]*\\s*");
    default:
        return QString();
    }
}

std::optional<QDate> dateTapee(const QString& texte)
{
    return LireDateSaisie(texte, Horloge::aujourdhui().year());
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
            marquerRefus(editeur, QString());
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
    if (!ligne)
        return;
    const bool refuse = !accepte(index.column(), ligne->text());
    const QString texte = refuse ? ligne->text().trimmed() : texteRange(index.column(), ligne->text());
    // Un texte refusé, ou une valeur absurde, est gardé mais marqué pour que l'utilisateur le voie.
    const auto actuel = GrillePoints::Style(index.data(ModelePoints::RoleStyle).toInt());
    auto style = actuel == GrillePoints::Style::Invalide ? GrillePoints::Style::Normal : actuel;
    if (refuse || (index.column() == GrillePoints::Valeur && valeurAbsurde(texte)))
        style = GrillePoints::Style::Invalide;
    modele->setData(index, int(style), ModelePoints::RoleStyle);
    modele->setData(index, texte, Qt::EditRole);
}

bool DelegueCellules::accepte(int colonne, const QString& texte) const
{
    return refus(colonne, texte).isEmpty();
}

QString DelegueCellules::refus(int colonne, const QString& texte) const
{
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return QString();
    switch (colonne) {
    case GrillePoints::Date:
        return refusDate(t);
    case GrillePoints::Heure:
        return LireHeure(t) ? QString() : QStringLiteral("« %1 » n'est pas une heure (hh:mm:ss, par exemple 08:30:00).").arg(t);
    case GrillePoints::Valeur:
        return LireNombre(t) ? QString() : QStringLiteral("« %1 » n'est pas un nombre.").arg(t);
    default:
        return QString();
    }
}

QString DelegueCellules::refusDate(const QString& texte) const
{
    const auto date = dateTapee(texte);
    if (!date)
        return QStringLiteral("« %1 » n'est pas une date (JJ/MM/AAAA, par exemple 15/06/2020).").arg(texte);
    const QDate minimum = m_modele ? m_modele->dateMinimum() : QDate();
    const QDate maximum = m_modele ? m_modele->dateMaximum() : QDate();
    if ((minimum.isValid() && *date < minimum) || (maximum.isValid() && *date > maximum))
        return QStringLiteral("Le %1 est hors des dates à corriger (du %2 au %3).")
            .arg(TexteDate(*date), TexteDate(minimum), TexteDate(maximum));
    return QString();
}

QString DelegueCellules::texteRange(int colonne, const QString& texte)
{
    const QString t = texte.trimmed();
    if (colonne == GrillePoints::Date && !t.isEmpty())
        return TexteDate(dateTapee(t).value_or(QDate()));
    if (colonne != GrillePoints::Valeur || t.isEmpty())
        return t;
    const auto valeur = LireNombre(t);
    return valeur ? GrillePoints::texteValeur(*valeur) : t;
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
            marquerRefus(editeur, refus(editeur->property(proprieteColonne).toInt(), editeur->text()));
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(objet, evenement);
}

bool DelegueCellules::editeurAccepte(const QLineEdit* editeur) const
{
    return accepte(editeur->property(proprieteColonne).toInt(), editeur->text());
}

// Le texte refusé en rouge, et pourquoi dans une bulle sous l'éditeur.
void DelegueCellules::marquerRefus(QLineEdit* editeur, const QString& motif)
{
    const bool etaitRefuse = !editeur->toolTip().isEmpty();
    QPalette palette = editeur->palette();
    palette.setColor(QPalette::Text, !motif.isEmpty() ? couleurRefus() : QPalette().color(QPalette::Text));
    editeur->setPalette(palette);
    editeur->setToolTip(motif);
    if (!motif.isEmpty())
        QToolTip::showText(editeur->mapToGlobal(QPoint(0, editeur->height())), motif, editeur);
    else if (etaitRefuse)
        QToolTip::hideText();
}
