#pragma once

#include <QDate>
#include <QLineEdit>
#include <optional>

class QCalendarWidget;

// Une date tapée comme on l'écrit ("15/06/2020", "15/6/20", "15062020", "15 juin 2020") ou
// prise dans le calendrier de son bouton. Un texte qui n'est pas une date reste tel quel : le
// champ s'encadre de rouge, sa bulle dit pourquoi, et `date()` n'en rend aucune ; jamais une
// autre date à sa place. En quittant le champ, une date lue s'écrit "JJ/MM/AAAA". Haut et Bas,
// et la molette quand le champ a le focus, avancent la partie sous le curseur (jour, mois ou
// année) ; une molette qui ne fait que passer fait défiler ce qui contient le champ.
class SaisieDate : public QLineEdit
{
    Q_OBJECT

public:
    explicit SaisieDate(QWidget* parent = nullptr);

    // La date saisie ; invalide quand le texte n'en est pas une ou sort des bornes.
    QDate date() const;
    void setDate(const QDate& date);
    void setDateRange(const QDate& minimum, const QDate& maximum);
    QDate minimumDate() const { return m_minimum; }
    QDate maximumDate() const { return m_maximum; }
    // Vide quand la date est bonne ; sinon une ligne en français qui nomme le champ.
    QString refus(const QString& nomDuChamp) const;

signals:
    // Une date bonne, différente de la précédente.
    void dateChanged(const QDate& date);

protected:
    // Ce que le champ tape et lit : un jour ici, un mois pour ChampMois.
    struct Forme
    {
        QString nature;   // « une date »
        QString gabarit;  // « JJ/MM/AAAA »
        QString exemple;  // « 15/06/2020 »
        bool calendrier;
    };
    SaisieDate(const Forme& forme, QWidget* parent);
    virtual std::optional<QDate> lire(const QString& texte) const;
    virtual QString ecrire(const QDate& date) const;
    // La date avancée de `pas` sur la partie `partie` du texte (0 le jour, 1 le mois, 2 l'année).
    virtual QDate avancer(const QDate& date, int pas, int partie) const;

    void keyPressEvent(QKeyEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;

private:
    QString attendue() const;
    QString motifRefus() const;
    bool dansLesBornes(const QDate& date) const;
    void texteChange();
    void saisieTerminee();
    void montrerRefus(bool refuse);
    void avancerSousLeCurseur(int pas);
    void ouvrirCalendrier();

    Forme m_forme;
    QDate m_minimum;
    QDate m_maximum;
    QDate m_annoncee;
    bool m_refuse = false;
    QCalendarWidget* m_calendrier = nullptr;
};
