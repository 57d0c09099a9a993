#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class BaseDonnees;
class EnteteStationsPrive;

// En-tête des stations : celles que l'hôte a choisies et la station courante.
// Le reste du contrôle y lit le code et le nom courants, les textes des titres
// imprimés et des noms de fichiers.
class EnteteStations : public QWidget
{
    Q_OBJECT

public:
    struct Station
    {
        QString code, nom, genre;
    };

    explicit EnteteStations(QWidget* parent = nullptr);
    ~EnteteStations() override;

    // Remplie depuis la grille des stations de l'hôte (membres "MaxRows", "Row",
    // "Col", "Text" ; colonnes 1 code, 2 nom, 3 genre), première station choisie.
    void Initialiser(QObject* sprListe, BaseDonnees* base, const QString& nomProjet);
    void Redimensionner(int largeurTwips);

    void ajouter(const QString& code, const QString& nom, const QString& genre);
    bool selectionner(const QString& code);
    // Un même code peut nommer un pluviomètre et sa courbe de référence : le genre les sépare.
    bool selectionner(const QString& code, const QString& genre);
    const QList<Station>& stations() const;

    // Demandée avant qu'un choix de la personne ne remplace la station courante (des corrections
    // en cours, par exemple) ; faux : la station d'avant reste. Elle est encore la station
    // courante pendant la demande.
    void definirConfirmation(std::function<bool()> confirmation);

    QString CodeStation() const;
    QString NomStation() const;
    QString GenreStation() const;
    // Titre imprimé "A - B (C)" : A le genre de station, B son nom, C son code.
    QString TexteA() const;
    QString TexteB() const { return NomStation(); }
    QString TexteC() const { return CodeStation(); }
    // Noms de fichiers : le premier texte est le code, le second le nom.
    QString TexteFichier1() const { return CodeStation(); }
    QString TexteFichier2() const { return NomStation(); }

signals:
    void stationChangee(const QString& code);

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void remplir(bool garderChoix);
    void choisiParLaPersonne(int index);
    void placer();

    std::unique_ptr<EnteteStationsPrive> d;
};
