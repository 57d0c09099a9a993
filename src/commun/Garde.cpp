#include "commun/Garde.h"

Q_LOGGING_CATEGORY(journalGarde, "graphique.garde", QtWarningMsg)

void TracerGarde(const char* operation, const char* quoi) noexcept
{
    // La trace elle-même ne doit rien lever hors de la garde.
    try {
        qCDebug(journalGarde).noquote() << QString::fromUtf8(operation) << ": exception arrêtée :"
                                        << (quoi ? QString::fromLocal8Bit(quoi) : QStringLiteral("(sans message)"));
    } catch (...) {
    }
}
