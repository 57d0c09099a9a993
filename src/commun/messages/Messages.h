#pragma once

#include <QString>
#include <QtGlobal>

// L'unique boîte de message du système. Le type ("ERREUR", "AIDE", "QUESTION",
// casse indifférente) fixe l'icône et les boutons ; la réponse est le code du
// bouton pressé : 1 OK, 6 Oui, 7 Non. "CHOIX" ajoute Annuler (2) à Oui et Non,
// pour ce qui serait perdu sans lui : Oui par défaut, Échap vaut Annuler.

enum class IconeMessage : qint16 { Aucune = 0, Critique = 16, Question = 32, Information = 64 };

namespace BoutonMessage {
constexpr qint16 OK = 1;
constexpr qint16 Annuler = 2;
constexpr qint16 Oui = 6;
constexpr qint16 Non = 7;
}

// Ce qu'un type de message demande à la face qui l'affiche.
struct StyleMessage
{
    IconeMessage icone = IconeMessage::Aucune;
    bool ouiNon = false;      // Oui et Non, Non par défaut ; sinon OK seul
    bool annuler = false;     // avec ouiNon : Oui, Non et Annuler, Oui par défaut
    static StyleMessage duType(const QString& type);
};

// Une façon de montrer les messages : une boîte à l'écran, un enregistreur dans
// les essais, stderr en ligne de commande. La face en service vaut pour tout le
// programme ; elle n'appartient pas à cette classe.
class ServiceMessages
{
public:
    virtual ~ServiceMessages() = default;
    virtual qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) = 0;

    // Met `service` en place (nullptr : retour à la face console) et rend celui
    // qu'il remplace.
    static ServiceMessages* installer(ServiceMessages* service);
    static ServiceMessages& courant();
};

qint16 AfficherMessage(const QString& type, const QString& message);
