#include "output/tableur/ApplicationTableur.h"

ApplicationTableur::ApplicationTableur(QObject* parent)
    : QObject(parent)
{
}

ApplicationTableur::~ApplicationTableur() = default;

ClasseurTableur& ApplicationTableur::workbooksAdd()
{
    return ouvrir(std::make_unique<ClasseurTableur>());
}

ClasseurTableur& ApplicationTableur::ouvrir(std::unique_ptr<ClasseurTableur> classeur)
{
    m_classeurs.push_back(std::move(classeur));
    m_actif = m_classeurs.back().get();
    return *m_actif;
}

bool ApplicationTableur::GoTo(const QString& referenceR1C1)
{
    return m_actif && m_actif->GoTo(referenceR1C1);
}

bool ApplicationTableur::sheetsSelect(const QString& nom)
{
    return m_actif && m_actif->selectionnerFeuille(nom);
}

PlageTableur ApplicationTableur::range(const QString& adresseA1)
{
    return m_actif ? m_actif->range(adresseA1) : PlageTableur();
}

PlageTableur ApplicationTableur::cells(int ligne, int colonne)
{
    return m_actif ? m_actif->cells(ligne, colonne) : PlageTableur();
}

PlageTableur ApplicationTableur::selection() const
{
    return m_actif ? m_actif->Selection() : PlageTableur();
}

int ApplicationTableur::activesheetPaste()
{
    return m_actif ? m_actif->Paste(m_pressePapiers) : 0;
}

GraphiqueTableur ApplicationTableur::chartsAdd()
{
    return m_actif ? m_actif->ajouterGraphique() : GraphiqueTableur();
}

GraphiqueTableur ApplicationTableur::ActiveChart() const
{
    return m_actif ? m_actif->ActiveChart() : GraphiqueTableur();
}

void ApplicationTableur::viderPressePapiers()
{
    m_pressePapiers.clear();
}

void ApplicationTableur::mettreDansPressePapiers(const QString& texte)
{
    m_pressePapiers = texte;
    emit pressePapiersChange(texte);
}

void ApplicationTableur::quit()
{
    m_classeurs.clear();
    m_actif = nullptr;
}
