#include "JaugeChargement.h"

#include "control/CtlGraphique.h"

JaugeChargement::JaugeChargement(CtlGraphique& controle, QWidget* parent)
    : QProgressDialog(QStringLiteral("Chargement des données"), QStringLiteral("Annuler"), 0, 100, parent)
    , m_controle(controle)
{
    setObjectName(QStringLiteral("JaugeChargement"));
    setWindowTitle(QStringLiteral("Chargement"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(400);
    setAutoClose(false);
    setAutoReset(false);
    connect(&controle, &CtlGraphique::progression, this, [this](const QString& message, int pourcent) {
        if (!message.isEmpty())
            setLabelText(message);
        setValue(std::clamp(pourcent, 0, 99));
    });
    connect(this, &QProgressDialog::canceled, this, [this] {
        m_annulee = true;
        m_controle.AnnulerChargement();
    });
}
