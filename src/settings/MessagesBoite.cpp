#include "settings/MessagesBoite.h"

#include <QApplication>
#include <QMessageBox>

MessagesBoite::MessagesBoite(QWidget* parent)
    : m_parent(parent)
{
}

qint16 MessagesBoite::afficher(const QString&, const StyleMessage& style, const QString& message)
{
    // Au-dessus de la fenêtre modale en cours (une jauge), jamais dessous.
    QWidget* modale = QApplication::activeModalWidget();
    QMessageBox boite(modale ? modale : m_parent);
    boite.setWindowTitle(QApplication::applicationDisplayName());
    boite.setText(message);
    switch (style.icone) {
    case IconeMessage::Critique:
        boite.setIcon(QMessageBox::Critical);
        break;
    case IconeMessage::Question:
        boite.setIcon(QMessageBox::Question);
        break;
    case IconeMessage::Information:
        boite.setIcon(QMessageBox::Information);
        break;
    case IconeMessage::Aucune:
        boite.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (style.ouiNon && style.annuler) {
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        boite.setDefaultButton(QMessageBox::Yes);
        boite.setEscapeButton(QMessageBox::Cancel);
    } else if (style.ouiNon) {
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        boite.setDefaultButton(QMessageBox::No);
        boite.setEscapeButton(QMessageBox::No);
    } else {
        boite.setStandardButtons(QMessageBox::Ok);
        boite.setDefaultButton(QMessageBox::Ok);
    }
    const int reponse = boite.exec();
    if (!style.ouiNon)
        return BoutonMessage::OK;
    if (reponse == QMessageBox::Cancel)
        return BoutonMessage::Annuler;
    return reponse == QMessageBox::Yes ? BoutonMessage::Oui : BoutonMessage::Non;
}
