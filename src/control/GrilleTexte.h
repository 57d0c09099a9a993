#pragma once

#include <QHash>
#include <QObject>
#include <QString>

// Grille de textes comme celles que les hôtes confient au contrôle (liste des
// courbes, liste des prévisions) : cellule désignée par "Row" et "Col", lue et
// écrite par "Text", lignes comptées par "MaxRows". La ligne 0 est l'en-tête.
class GrilleTexte : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Row MEMBER m_ligne)
    Q_PROPERTY(int Col MEMBER m_colonne)
    Q_PROPERTY(int MaxRows MEMBER m_lignes)
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    explicit GrilleTexte(QObject* parent = nullptr);

    QString Text() const { return cellule(m_ligne, m_colonne); }
    void setText(const QString& texte) { definir(m_ligne, m_colonne, texte); }
    QString cellule(int ligne, int colonne) const { return m_cellules.value({ligne, colonne}); }
    void definir(int ligne, int colonne, const QString& texte) { m_cellules.insert({ligne, colonne}, texte); }
    int lignes() const { return m_lignes; }
    void setLignes(int n) { m_lignes = n; }

private:
    QHash<QPair<int, int>, QString> m_cellules;
    int m_ligne = 0;
    int m_colonne = 0;
    int m_lignes = 0;
};
