#pragma once

#include <QDialog>

class QLineEdit;
class QSpinBox;

// Les paramètres d'une connexion PostgreSQL, rendus en texte de connexion
// ("host=… port=… dbname=… user=… password=…").
class DialoguePostgres : public QDialog
{
    Q_OBJECT

public:
    explicit DialoguePostgres(QWidget* parent = nullptr);
    QString texteConnexion() const;

private:
    QLineEdit* m_hote;
    QSpinBox* m_port;
    QLineEdit* m_base;
    QLineEdit* m_utilisateur;
    QLineEdit* m_motDePasse;
};
