#pragma once

#include <QLineEdit>

// A date typed "DD/MM/YYYY", or a year "YYYY" with the mask "____" when empty.
class ChampDate : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ texte WRITE setTexte)

public:
    enum class Forme { Date, Annee };
    explicit ChampDate(const QString& nom, Forme forme = Forme::Date, QWidget* parent = nullptr);

    // The text typed, without the blanks of the mask; the year field gives "____" when empty.
    QString texte() const;
    void setTexte(const QString& t);
    // A real date (or a four-digit year).
    bool EstValide() const;

private:
    Forme m_forme;
};
