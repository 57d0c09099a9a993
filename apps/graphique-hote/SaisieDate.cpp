#include "SaisieDate.h"

#include "commun/Dates.h"
#include "commun/Horloge.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Un petit calendrier dessiné : le bouton se lit sans thème d'icônes.
QIcon iconeCalendrier()
{
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(0xB0, 0x30, 0x30));
    for (int ligne = 0; ligne < 3; ++ligne)
        for (int colonne = 0; colonne < 4; ++colonne)
            p.fillRect(3 + 3 * colonne, 8 + 2 * ligne, 2, 1, QColor(0x50, 0x50, 0x50));
    return QIcon(image);
}

// La partie du texte (suite de chiffres ou de lettres) où est la position ; des chiffres seuls
// se coupent comme à la lecture, deux, deux, puis le reste.
int partieA(const QString& texte, int position)
{
    if (std::all_of(texte.cbegin(), texte.cend(), [](QChar c) { return c.isDigit(); }))
        return position <= 2 ? 0 : position <= 4 ? 1 : 2;
    int partie = 0;
    for (int i = 1; i < position && i < texte.size(); ++i)
        if (texte.at(i - 1).isLetterOrNumber() && !texte.at(i).isLetterOrNumber())
            ++partie;
    return partie;
}

int finDePartie(const QString& texte, int partie)
{
    int vues = 0;
    for (int i = 0; i < texte.size(); ++i) {
        const bool fin = texte.at(i).isLetterOrNumber() && (i + 1 == texte.size() || !texte.at(i + 1).isLetterOrNumber());
        if (fin && vues++ == partie)
            return i + 1;
    }
    return int(texte.size());
}

QColor rougeRefus()
{
    return QColor(0xB0, 0x00, 0x00);
}

} // namespace

SaisieDate::SaisieDate(QWidget* parent)
    : SaisieDate({QStringLiteral("une date"), QStringLiteral("JJ/MM/AAAA"), QStringLiteral("15/06/2020"), true}, parent)
{
}

SaisieDate::SaisieDate(const Forme& forme, QWidget* parent)
    : QLineEdit(parent)
    , m_forme(forme)
{
    setPlaceholderText(forme.gabarit);
    if (forme.calendrier) {
        QAction* calendrier = addAction(iconeCalendrier(), QLineEdit::TrailingPosition);
        calendrier->setObjectName(QStringLiteral("ActionCalendrier"));
        calendrier->setToolTip(QStringLiteral("Choisir dans le calendrier"));
        connect(calendrier, &QAction::triggered, this, &SaisieDate::ouvrirCalendrier);
    }
    connect(this, &QLineEdit::textChanged, this, &SaisieDate::texteChange);
    connect(this, &QLineEdit::editingFinished, this, &SaisieDate::saisieTerminee);
    texteChange();
}

QDate SaisieDate::date() const
{
    const auto d = lire(text());
    return d && dansLesBornes(*d) ? *d : QDate();
}

// Le même texte n'est pas réécrit : le curseur et l'annulation de la frappe restent.
void SaisieDate::setDate(const QDate& date)
{
    const QString texte = date.isValid() ? ecrire(date) : QString();
    if (texte != text())
        setText(texte);
}

void SaisieDate::setDateRange(const QDate& minimum, const QDate& maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    texteChange();
}

QString SaisieDate::refus(const QString& nomDuChamp) const
{
    const QString motif = motifRefus();
    return motif.isEmpty() ? motif : QStringLiteral("%1 : %2.").arg(nomDuChamp, motif);
}

std::optional<QDate> SaisieDate::lire(const QString& texte) const
{
    return LireDateSaisie(texte, Horloge::aujourdhui().year());
}

QString SaisieDate::ecrire(const QDate& date) const
{
    return TexteDate(date);
}

QDate SaisieDate::avancer(const QDate& date, int pas, int partie) const
{
    switch (partie) {
    case 0:
        return date.addDays(pas);
    case 1:
        return date.addMonths(pas);
    default:
        return date.addYears(pas);
    }
}

QString SaisieDate::attendue() const
{
    return QStringLiteral("%1, par exemple %2").arg(m_forme.gabarit, m_forme.exemple);
}

QString SaisieDate::motifRefus() const
{
    const QString t = text().trimmed();
    if (t.isEmpty())
        return QStringLiteral("rien n'est saisi (%1)").arg(attendue());
    const auto d = lire(t);
    if (!d)
        return QStringLiteral("« %1 » n'est pas %2 (%3)").arg(t, m_forme.nature, attendue());
    if (!dansLesBornes(*d))
        return QStringLiteral("« %1 » est hors des limites : de %2 à %3").arg(t, ecrire(m_minimum), ecrire(m_maximum));
    return QString();
}

bool SaisieDate::dansLesBornes(const QDate& date) const
{
    return (!m_minimum.isValid() || date >= m_minimum) && (!m_maximum.isValid() || date <= m_maximum);
}

// Pendant la frappe, un texte encore incomplet n'est pas marqué ; il l'est en quittant le champ.
void SaisieDate::texteChange()
{
    const QDate d = date();
    const bool vide = text().trimmed().isEmpty();
    if (d.isValid() || vide || !hasFocus())
        montrerRefus(!d.isValid() && !vide);
    const QString refuse = motifRefus();
    setToolTip(d.isValid() || vide ? QStringLiteral("Taper %1%2.")
                                         .arg(attendue(), m_forme.calendrier ? QStringLiteral(", ou choisir dans le calendrier")
                                                                             : QString())
                                   : refuse.left(1).toUpper() + refuse.mid(1) + u'.');
    if (d.isValid() && d != m_annoncee) {
        m_annoncee = d;
        emit dateChanged(d);
    }
}

// Une date lue s'écrit en entier : "15/6/20" devient "15/06/2020", et l'on voit ce qui a été compris.
void SaisieDate::saisieTerminee()
{
    const QDate d = date();
    if (d.isValid() && text() != ecrire(d))
        setText(ecrire(d));
    montrerRefus(!d.isValid() && !text().trimmed().isEmpty());
}

void SaisieDate::montrerRefus(bool refuse)
{
    if (refuse == m_refuse)
        return;
    m_refuse = refuse;
    update();
}

void SaisieDate::avancerSousLeCurseur(int pas)
{
    const QDate d = date();
    if (!d.isValid())
        return;
    const int partie = partieA(text(), cursorPosition());
    const QDate suivante = avancer(d, pas, partie);
    if (!dansLesBornes(suivante))
        return;
    const QString texte = ecrire(suivante);
    setText(texte);
    setCursorPosition(finDePartie(texte, partie));
}

void SaisieDate::keyPressEvent(QKeyEvent* evenement)
{
    const int touche = evenement->key();
    if ((touche == Qt::Key_Up || touche == Qt::Key_Down) && evenement->modifiers() == Qt::NoModifier) {
        avancerSousLeCurseur(touche == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(evenement);
}

void SaisieDate::wheelEvent(QWheelEvent* evenement)
{
    if (!hasFocus()) {
        evenement->ignore();
        return;
    }
    const int cran = evenement->angleDelta().y();
    if (cran != 0)
        avancerSousLeCurseur(cran > 0 ? 1 : -1);
    evenement->accept();
}

void SaisieDate::paintEvent(QPaintEvent* evenement)
{
    QLineEdit::paintEvent(evenement);
    if (!m_refuse)
        return;
    QPainter p(this);
    p.setPen(QPen(rougeRefus(), 2));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

// Un seul calendrier par champ, caché entre deux ouvertures : la fenêtre désactive ses actions
// pendant un chargement et les rétablit ensuite, elles doivent encore exister.
void SaisieDate::ouvrirCalendrier()
{
    if (!m_calendrier) {
        m_calendrier = new QCalendarWidget(this);
        m_calendrier->setObjectName(QStringLiteral("Calendrier"));
        m_calendrier->setWindowFlags(Qt::Popup);
        m_calendrier->setLocale(QLocale(QLocale::French, QLocale::France));
        m_calendrier->setFirstDayOfWeek(Qt::Monday);
        m_calendrier->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        const auto choisir = [this](QDate jour) {
            m_calendrier->hide();
            setDate(jour);
            setFocus(Qt::PopupFocusReason);
        };
        connect(m_calendrier, &QCalendarWidget::clicked, this, choisir);
        connect(m_calendrier, &QCalendarWidget::activated, this, choisir);
    }
    if (m_minimum.isValid() && m_maximum.isValid())
        m_calendrier->setDateRange(m_minimum, m_maximum);
    const QDate d = date();
    m_calendrier->setSelectedDate(d.isValid() ? d : Horloge::aujourdhui());
    m_calendrier->adjustSize();
    m_calendrier->move(mapToGlobal(QPoint(0, height())));
    m_calendrier->show();
    m_calendrier->setFocus(Qt::PopupFocusReason);
}
