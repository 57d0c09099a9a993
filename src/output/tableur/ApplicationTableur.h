#pragma once

#include "output/tableur/ClasseurTableur.h"
#include "output/tableur/GraphiqueTableur.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

// Le tableur tel que les exports l'attendent (objet Application) : ses
// réglages, ses classeurs, le classeur actif et son presse-papiers. Il ne
// lance aucun programme : les classeurs s'écrivent en .xlsx par SaveAs. Les
// réglages sans objet dans un fichier (alertes, glisser-déposer, barre
// d'état…) sont gardés tels qu'écrits, pour être rendus à qui les relit.
class ApplicationTableur : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(bool displayalerts MEMBER m_alertes)
    Q_PROPERTY(bool CellDragAndDrop MEMBER m_glisserDeposer)
    Q_PROPERTY(bool DisplayStatusBar MEMBER m_barreEtat)
    Q_PROPERTY(bool TransitionNavigKeys MEMBER m_touchesTransition)
    Q_PROPERTY(bool MoveAfterReturn MEMBER m_deplacementApresEntree)
    Q_PROPERTY(bool CutCopyMode MEMBER m_modeCopie)
    Q_PROPERTY(bool Visible MEMBER m_visible)

public:
    explicit ApplicationTableur(QObject* parent = nullptr);
    ~ApplicationTableur() override;

    // Celle d'un tableur qui écrit des .xlsx.
    static QString version() { return QStringLiteral("16.0"); }

    bool displayalerts() const { return m_alertes; }
    void setDisplayalerts(bool v) { m_alertes = v; }
    bool CellDragAndDrop() const { return m_glisserDeposer; }
    void setCellDragAndDrop(bool v) { m_glisserDeposer = v; }
    bool DisplayStatusBar() const { return m_barreEtat; }
    void setDisplayStatusBar(bool v) { m_barreEtat = v; }
    bool TransitionNavigKeys() const { return m_touchesTransition; }
    void setTransitionNavigKeys(bool v) { m_touchesTransition = v; }
    bool MoveAfterReturn() const { return m_deplacementApresEntree; }
    void setMoveAfterReturn(bool v) { m_deplacementApresEntree = v; }
    void setCutCopyMode(bool v) { m_modeCopie = v; }

    // workbooks.Add : un classeur neuf, qui devient actif.
    ClasseurTableur& workbooksAdd();
    // Un classeur déjà ouvert par l'hôte, qui devient actif.
    ClasseurTableur& ouvrir(std::unique_ptr<ClasseurTableur> classeur);
    int workbooksCount() const { return int(m_classeurs.size()); }
    ClasseurTableur* ActiveWorkbook() const { return m_actif; }

    // Membres de l'application qui agissent sur le classeur actif.
    bool GoTo(const QString& referenceR1C1);
    bool sheetsSelect(const QString& nom);
    PlageTableur range(const QString& adresseA1);
    PlageTableur cells(int ligne, int colonne);
    PlageTableur selection() const;
    // activesheet.Paste : le texte du presse-papiers à la sélection.
    int activesheetPaste();
    GraphiqueTableur chartsAdd();
    GraphiqueTableur ActiveChart() const;

    void viderPressePapiers();
    void mettreDansPressePapiers(const QString& texte);
    const QString& pressePapiers() const { return m_pressePapiers; }

    // Ferme les classeurs sans les écrire.
    Q_INVOKABLE void quit();

signals:
    // Le bloc de texte que le presse-papiers du système peut aussi recevoir.
    void pressePapiersChange(const QString& texte);

private:
    std::vector<std::unique_ptr<ClasseurTableur>> m_classeurs;
    ClasseurTableur* m_actif = nullptr;
    QString m_pressePapiers;
    bool m_alertes = true;
    bool m_glisserDeposer = true;
    bool m_barreEtat = true;
    bool m_touchesTransition = false;
    bool m_deplacementApresEntree = true;
    bool m_modeCopie = false;
    bool m_visible = false;
};
