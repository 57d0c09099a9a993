#pragma once

#include "data/import/ImportMesures.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// Un fichier CSV de mesures et la station qui les reçoit (existante ou nouvelle).
class DialogueImport : public QDialog
{
    Q_OBJECT

public:
    DialogueImport(const QStringList& codes, QWidget* parent = nullptr);
    QString fichier() const;
    ImportMesures::Demande demande() const;

protected:
    // Sans fichier ni station, le dialogue reste ouvert et dit ce qui manque.
    void accept() override;

private:
    QLineEdit* m_fichier;
    QComboBox* m_code;
    QComboBox* m_genre;
    QLineEdit* m_nom;
};
