#pragma once

#include "render/moteur/Calque.h"
#include "render/moteur/ModeleGraphique.h"

#include <QHash>
#include <QObject>
#include <QPicture>
#include <QSize>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class Disposition;
class QPainter;

// The chart engine: driven by numbered property writes and reads, as the
// control expects of it, it keeps a chart model and paints it (screen, PNG,
// SVG, PDF, printer, picture file). A number it does not know is kept and read
// back. Every write can be traced ("graphique.moteur") and observed.
class MoteurGraphique : public QObject
{
    Q_OBJECT

public:
    explicit MoteurGraphique(const QString& nom = QStringLiteral("Graphique"), QObject* parent = nullptr);
    ~MoteurGraphique() override;

    const QString& nom() const { return m_nom; }

    // Writes: 16-bit, 32-bit, double, single and text values all go through these.
    void ecrire(int numero, const QVariant& valeur);
    void ecrire(int numero, double valeur);
    void ecrire(int numero, int valeur) { ecrire(numero, double(valeur)); }
    void ecrire(int numero, const QString& valeur);
    void ecrire(int numero, const char* valeur) { ecrire(numero, QString::fromUtf8(valeur)); }
    void ecrireIndexe(int numero, int indice, const QVariant& valeur);
    void ecrireIndexe(int numero, int indice, double valeur);
    void ecrireIndexe(int numero, int indice, int valeur) { ecrireIndexe(numero, indice, double(valeur)); }
    void ecrireIndexe(int numero, int indice, const QString& valeur);

    // Effective values: what is drawn, for the numbers the engine knows.
    QVariant lire(int numero) const;
    QVariant lireIndexe(int numero, int indice) const;
    double lireNombre(int numero) const { return lire(numero).toDouble(); }

    // Label, box, drawing-mode and symbol functions. Boxes and symbols take
    // chart units: X as the X bounds (111/112), Y as the left axis (118/119).
    int VBAGLabels(int nombre, const QString& textes);
    void GSBox2D(double x, double y, double largeur, double hauteur, int style, int couleur);
    void GSSetROP(int mode);
    void GSSymbol(double x, double y, int forme, int taille);

    // Size of the chart on screen, in pixels: its layout, the picture file and
    // the mapping of mouse positions follow it.
    void setTaille(const QSize& taille);
    QSize taille() const { return m_taille; }

    // Paints the chart into `cadre`; overlay marks are drawn by peindreCalque.
    void peindre(QPainter& peintre, const QRectF& cadre) const;
    void peindreCalque(QPainter& peintre, const QRectF& cadre) const;
    // The plot area of the chart painted in `cadre`, and the chart units at a point.
    QRectF zoneTrace(const QRectF& cadre) const;
    QPointF versUnites(const QPointF& pixel, const QRectF& cadre) const;
    QPointF versPixels(const QPointF& unites, const QRectF& cadre) const;

    const ModeleGraphique& modele() const { return m_modele; }
    const Calque& calque() const { return m_calque; }
    // Draw request 1 shows a blank chart until the next request 2.
    bool vierge() const { return m_vierge; }

    // Relative picture files live in this folder (a temporary one by default).
    static void definirDossierImages(const QString& dossier);
    static QString cheminImage(const QString& nom);

    using Observateur = std::function<void(const QString& nom, int numero, std::optional<int> indice,
                                           const QVariant& valeur)>;
    void setObservateur(Observateur observateur) { m_observateur = std::move(observateur); }

signals:
    void dessinDemande();       // 21 = 1 or 2
    void impressionDemandee();  // 21 = 5
    void calqueModifie();       // a box or a symbol was drawn or erased
    void curseurModifie(int curseur);

private:
    void appliquer(int numero, const QVariant& valeur, double nombre, bool estNombre);
    void appliquerIndexe(int numero, int indice, const QVariant& valeur, double nombre, bool estNombre);
    void demanderDessin(int demande);
    bool ecrireFichierImage();
    void tracer(int numero, std::optional<int> indice, const QVariant& valeur);
    // The layout for a frame, kept until the next write: the mouse asks for it at every move.
    const Disposition& disposition(const QRectF& cadre) const;

    QString m_nom;
    ModeleGraphique m_modele;
    Calque m_calque;
    QSize m_taille{800, 500};
    bool m_vierge = true;
    int m_derniereDemande = -1;
    QHash<int, QVariant> m_autres;
    QHash<QPair<int, int>, QVariant> m_autresIndexes;
    Observateur m_observateur;
    quint64 m_revision = 0;
    mutable std::shared_ptr<const Disposition> m_disposition;
    mutable QRectF m_cadreDisposition;
    mutable quint64 m_revisionDisposition = 0;
};
