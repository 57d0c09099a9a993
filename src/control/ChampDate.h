#pragma once

#include <QDate>
#include <QLineEdit>
#include <memory>
#include <optional>

class ChampDatePrive;

// Une date saisie "DD/MM/YYYY", ou une année "YYYY" dont le masque vide est "____".
class ChampDate : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ texte WRITE setTexte)

public:
    enum class Forme { Date, Annee };
    explicit ChampDate(const QString& nom, Forme forme = Forme::Date, QWidget* parent = nullptr);
    ~ChampDate() override;

    // Le texte saisi, sans les blancs du masque ; vide, le champ année donne "____".
    QString texte() const;
    void setTexte(const QString& t);
    // Une date qui existe (ou une année de quatre chiffres).
    bool EstValide() const;
    // La date saisie ; rien pour un texte qui n'en est pas une. Pour une année, son 1er janvier.
    std::optional<QDate> date() const;
    void setDate(const QDate& jour);

private:
    std::unique_ptr<ChampDatePrive> d;
};
