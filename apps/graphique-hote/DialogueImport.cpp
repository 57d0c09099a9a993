#include "DialogueImport.h"

#include "AideBureau.h"

#include "commun/messages/Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

DialogueImport::DialogueImport(const QStringList& codes, QWidget* parent)
    : QDialog(parent)
    , m_fichier(new QLineEdit(this))
    , m_code(new QComboBox(this))
    , m_genre(new QComboBox(this))
    , m_nom(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Importer des mesures"));
    m_code->setEditable(true);
    m_code->addItems(codes);
    m_code->setCurrentText(QString());
    m_genre->addItem(QStringLiteral("Pluviomètre"), QStringLiteral("pluvio"));
    m_genre->addItem(QStringLiteral("Piézomètre"), QStringLiteral("piezo"));
    m_genre->addItem(QStringLiteral("Station hydrométrique"), QStringLiteral("hydro"));
    m_nom->setPlaceholderText(QStringLiteral("pour une station nouvelle (le code sinon)"));
    auto* parcourir = new QPushButton(QStringLiteral("&Parcourir…"), this);
    auto* ligneFichier = new QHBoxLayout;
    ligneFichier->addWidget(m_fichier, 1);
    ligneFichier->addWidget(parcourir);
    auto* f = new QFormLayout(this);
    // Le champ est dans une ligne avec son bouton : l'étiquette doit le nommer elle-même, sinon le & s'afficherait.
    auto* etiquetteFichier = new QLabel(QStringLiteral("&Fichier CSV"), this);
    etiquetteFichier->setBuddy(m_fichier);
    f->addRow(etiquetteFichier, ligneFichier);
    f->addRow(QStringLiteral("&Station"), m_code);
    f->addRow(QStringLiteral("&Genre"), m_genre);
    f->addRow(QStringLiteral("&Nom"), m_nom);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Importer"));
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    AideBureau::brancher(*this, *boutons, QStringLiteral("import.htm"));
    f->addRow(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(parcourir, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getOpenFileName(this, QStringLiteral("Fichier de mesures"), QString(),
                                                       QStringLiteral("Fichiers CSV (*.csv *.txt);;Tous les fichiers (*)"));
        if (!f.isEmpty())
            m_fichier->setText(f);
    });
}

void DialogueImport::accept()
{
    const QString manque = fichier().isEmpty() ? QStringLiteral("Choisissez le fichier CSV à importer (bouton Parcourir…).")
                           : demande().code.isEmpty() ? QStringLiteral("Donnez le code de la station qui reçoit les mesures.")
                                                      : QString();
    if (!manque.isEmpty()) {
        AfficherMessage(QStringLiteral("aide"), manque);
        return;
    }
    QDialog::accept();
}

QString DialogueImport::fichier() const
{
    return m_fichier->text().trimmed();
}

ImportMesures::Demande DialogueImport::demande() const
{
    ImportMesures::Demande d;
    d.code = m_code->currentText().trimmed();
    d.genre = m_genre->currentData().toString();
    d.nom = m_nom->text().trimmed();
    return d;
}
