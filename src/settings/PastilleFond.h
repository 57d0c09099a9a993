#pragma once

#include <QFrame>

// Une pastille de la palette des couleurs de fond : cliquée, ou choisie au
// clavier par la barre d'espace, elle le signale ; la retenue est en relief.
class PastilleFond : public QFrame
{
    Q_OBJECT

public:
    PastilleFond(int numero, QWidget* parent = nullptr);
    int numero() const { return m_numero; }
    void setRetenue(bool retenue);
    bool retenue() const { return m_retenue; }

signals:
    void choisie(int numero);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    int m_numero;
    bool m_retenue = false;
};
