#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QString>

#include "commun/ValeursProcessus.h"

// Un magasin de paramètres utilisateur vide pour un test, dans un dossier temporaire.
class MagasinTemporaire
{
public:
    explicit MagasinTemporaire(const QString& projet = QStringLiteral("KOR"))
        : m_ancienProjet(ValeursProcessus::courantes().nomProjet)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dossier.path());
        ValeursProcessus::courantes().nomProjet = projet;
    }
    ~MagasinTemporaire() { ValeursProcessus::courantes().nomProjet = m_ancienProjet; }

    QString dossier() const { return m_dossier.path(); }

private:
    QTemporaryDir m_dossier;
    QString m_ancienProjet;
};
