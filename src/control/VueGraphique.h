#pragma once

#include "render/moteur/MoteurGraphique.h"

#include <QImage>
#include <QWidget>
#include <memory>

class QPrinter;

// Un graphique à l'écran : montre son moteur et le calque par-dessus, prend la
// forme de pointeur que le moteur demande, rend la souris en unités du graphique
// et imprime quand on le demande au moteur.
class VueGraphique : public QWidget
{
    Q_OBJECT
    // Valeur par défaut du graphique : un objet déposé de même valeur est accueilli.
    Q_PROPERTY(QString Tag MEMBER m_tag USER true)

public:
    explicit VueGraphique(const QString& nom = QStringLiteral("Graphique"), QWidget* parent = nullptr);
    ~VueGraphique() override;

    MoteurGraphique& moteur() { return *m_moteur; }
    const MoteurGraphique& moteur() const { return *m_moteur; }

    // L'imprimante de l'ordre de dessin 5 : celle du système, sauf si un hôte ou
    // un essai en désigne une autre (un fichier PDF, par exemple).
    QPrinter& imprimante();
    // Imprime sur `imprimante`, placé selon les réglages d'impression (179) et
    // en gris si demandé (84 = 0). Faux quand l'imprimante n'a pas pu servir.
    bool imprimer(QPrinter& imprimante);

    QPointF versUnites(const QPointF& pixel) const;

signals:
    void sourisDeplacee(double x, double y, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void sourisEnfoncee(Qt::MouseButton bouton, double x, double y, Qt::KeyboardModifiers touches);
    void sourisRelachee(Qt::MouseButton bouton, double x, double y, Qt::KeyboardModifiers touches);
    void imprime(bool reussi);
    // Crans de molette (positifs vers l'avant), double clic et touche Début, objet déposé (position en pixels).
    void molette(double x, double y, int crans);
    void doubleClic(double x, double y);
    void toucheDebut();
    void objetDepose(QObject* objet, const QPointF& position);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;

private:
    void appliquerCurseur(int curseur);
    // L'image du graphique sans son calque, refaite seulement quand le moteur ou la taille changent.
    const QImage& image();

    std::unique_ptr<MoteurGraphique> m_moteur;
    std::unique_ptr<QPrinter> m_imprimante;
    QString m_tag;
    QImage m_image;
    quint64 m_revisionImage = 0;
    int m_molette = 0;   // huitièmes de degré en attente d'un cran entier (pavés tactiles)
};
