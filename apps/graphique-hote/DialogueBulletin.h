#pragma once

#include "EditionBulletin.h"

#include "data/StationsBase.h"

#include <QDialog>

class BaseDonnees;
class ChampMois;
class QFormLayout;
class QLineEdit;
class QTreeWidget;

// Le bulletin d'un mois : le mois (passé ou en cours), les stations, le PDF
// et le classeur facultatif. OK l'écrit ; sur un échec le dialogue reste
// ouvert avec ce qu'on y a saisi.
class DialogueBulletin : public QDialog
{
    Q_OBJECT

public:
    // `dossier` : où le PDF est proposé.
    DialogueBulletin(const QList<StationBase>& stations, const QString& dossier, BaseDonnees& base,
                     QWidget* parent = nullptr);
    EditionBulletin::Demande demande() const;
    void accept() override;

private:
    QTreeWidget* creerListe(const QList<StationBase>& stations);
    void proposerMois();
    void ajouterLigne(QFormLayout& forme, const QString& titre, QWidget* champ, QLayout* ligne);
    QLayout* colonneStations();
    QLayout* ligneFichier(QLineEdit* champ, const QString& titre, const QString& filtre);
    void cocherTout(bool coche);
    void moisChoisi();
    QList<CleStation> cochees() const;
    QString verifier(const EditionBulletin::Demande& demande) const;

    BaseDonnees& m_base;
    QString m_dossier;
    QString m_pdfPropose;
    ChampMois* m_mois;
    QTreeWidget* m_stations;
    QLineEdit* m_pdf;
    QLineEdit* m_classeur;
};
