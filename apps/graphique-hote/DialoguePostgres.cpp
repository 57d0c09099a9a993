#include "DialoguePostgres.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// Une valeur de texte de connexion : entre apostrophes, apostrophes et barres échappées.
QString valeur(const QString& texte)
{
    QString v = texte;
    v.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + v + u'\'';
}

} // namespace

DialoguePostgres::DialoguePostgres(QWidget* parent)
    : QDialog(parent)
    , m_hote(new QLineEdit(QStringLiteral("localhost"), this))
    , m_port(new QSpinBox(this))
    , m_base(new QLineEdit(this))
    , m_utilisateur(new QLineEdit(qEnvironmentVariable("USER"), this))
    , m_motDePasse(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Connexion à PostgreSQL"));
    m_port->setRange(1, 65535);
    m_port->setValue(5432);
    m_motDePasse->setEchoMode(QLineEdit::Password);
    auto* f = new QFormLayout(this);
    f->addRow(QStringLiteral("&Serveur"), m_hote);
    f->addRow(QStringLiteral("&Port"), m_port);
    f->addRow(QStringLiteral("&Base"), m_base);
    f->addRow(QStringLiteral("&Utilisateur"), m_utilisateur);
    f->addRow(QStringLiteral("&Mot de passe"), m_motDePasse);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    f->addRow(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString DialoguePostgres::texteConnexion() const
{
    QStringList parties{QStringLiteral("host=") + valeur(m_hote->text().trimmed()),
                        QStringLiteral("port=") + QString::number(m_port->value()),
                        QStringLiteral("dbname=") + valeur(m_base->text().trimmed())};
    if (!m_utilisateur->text().trimmed().isEmpty())
        parties << QStringLiteral("user=") + valeur(m_utilisateur->text().trimmed());
    if (!m_motDePasse->text().isEmpty())
        parties << QStringLiteral("password=") + valeur(m_motDePasse->text());
    return parties.join(u' ');
}
