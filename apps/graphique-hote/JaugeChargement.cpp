#include "JaugeChargement.h"

#include "control/CtlGraphique.h"

#include <QShortcut>

JaugeChargement::JaugeChargement(CtlGraphique& controle, QWidget* parent)
    : QProgressDialog(QStringLiteral("Chargement des données"), QStringLiteral("Annuler"), 0, 100, parent)
    , m_controle(controle)
{
    setObjectName(QStringLiteral("JaugeChargement"));
    setWindowTitle(QStringLiteral("Chargement"));
    // Sans modalité : la fenêtre, bloquée par ailleurs, peut encore être fermée ou quittée (Ctrl+Q).
    setWindowModality(Qt::NonModal);
    setMinimumDuration(400);
    setAutoClose(false);
    setAutoReset(false);
    connect(&controle, &CtlGraphique::progression, this, [this](const QString& message, int pourcent) {
        if (!message.isEmpty())
            setLabelText(message);
        setValue(std::clamp(pourcent, 0, 99));
    });
    // Quitter depuis la jauge elle-même : la fenêtre arrête le chargement puis se ferme.
    auto* quitter = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), this);
    connect(quitter, &QShortcut::activated, this, [this] {
        if (parentWidget())
            parentWidget()->window()->close();
    });
    connect(this, &QProgressDialog::canceled, this, [this] {
        m_annulee = true;
        m_controle.AnnulerChargement();
    });
}
