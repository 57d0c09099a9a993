#pragma once

#include <QString>
#include <QtGlobal>

// The one message box of the system. The kind ("ERREUR", "AIDE", "QUESTION",
// any case) fixes the icon and the buttons; the answer is the code of the
// button pressed: 1 OK, 6 Yes, 7 No.

enum class IconeMessage : qint16 { Aucune = 0, Critique = 16, Question = 32, Information = 64 };

namespace BoutonMessage {
constexpr qint16 OK = 1;
constexpr qint16 Oui = 6;
constexpr qint16 Non = 7;
}

// What a kind of message asks of the face that shows it.
struct StyleMessage
{
    IconeMessage icone = IconeMessage::Aucune;
    bool ouiNon = false;      // Yes and No, No by default; otherwise OK alone
    static StyleMessage duType(const QString& type);
};

// A way of showing messages: a box on screen, a recorder in tests, stderr on
// the command line. The face in use is process-wide; it is not owned here.
class ServiceMessages
{
public:
    virtual ~ServiceMessages() = default;
    virtual qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) = 0;

    // Installs `service` (nullptr: back to the console face) and returns the
    // one it replaces.
    static ServiceMessages* installer(ServiceMessages* service);
    static ServiceMessages& courant();
};

qint16 AfficherMessage(const QString& type, const QString& message);
