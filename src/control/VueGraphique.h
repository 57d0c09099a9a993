#pragma once

#include "render/moteur/MoteurGraphique.h"

#include <QWidget>
#include <memory>

class QPrinter;

// A chart on screen: the widget that shows its engine, draws the overlay over
// it, follows the pointer shape the engine asks for, reports the mouse in chart
// units and prints when the engine is asked to.
class VueGraphique : public QWidget
{
    Q_OBJECT

public:
    explicit VueGraphique(const QString& nom = QStringLiteral("Graphique"), QWidget* parent = nullptr);
    ~VueGraphique() override;

    MoteurGraphique& moteur() { return *m_moteur; }
    const MoteurGraphique& moteur() const { return *m_moteur; }

    // The printer that draw request 5 prints on: the system's current one
    // unless a host or a test points it elsewhere (a PDF file, say).
    QPrinter& imprimante();
    // Prints the chart on `imprimante`, placed by the print settings (179) and
    // in greys when asked (84 = 0). False when the printer could not be used.
    bool imprimer(QPrinter& imprimante);

    QPointF versUnites(const QPointF& pixel) const;

signals:
    void sourisDeplacee(double x, double y, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void sourisEnfoncee(Qt::MouseButton bouton, double x, double y, Qt::KeyboardModifiers touches);
    void sourisRelachee(Qt::MouseButton bouton, double x, double y, Qt::KeyboardModifiers touches);
    void imprime(bool reussi);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    void appliquerCurseur(int curseur);

    std::unique_ptr<MoteurGraphique> m_moteur;
    std::unique_ptr<QPrinter> m_imprimante;
};
