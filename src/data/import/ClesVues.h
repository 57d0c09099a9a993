#pragma once

#include <QtGlobal>
#include <vector>

// Les clés (date et heure) déjà vues dans un fichier, et la ligne qui les a
// portées en dernier. Un fichier de mesures est presque toujours rangé par
// date : tant que les clés croissent, elles s'ajoutent au bout d'un tableau
// trié (une clé répétée s'y cherche par dichotomie) ; à la première clé hors
// d'ordre, elles passent dans une table à adressage ouvert. Ni l'un ni l'autre
// n'alloue par clé.
class ClesVues
{
public:
    // Note `cle` pour `ligne` (> 0) ; rend la ligne qui la portait déjà, 0 sinon.
    qint64 noter(qint64 cle, qint64 ligne);
    qint64 taille() const { return m_taille; }

private:
    struct Case
    {
        qint64 cle;
        qint64 ligne;  // 0 : case libre
    };

    qint64 noterDansLaTable(qint64 cle, qint64 ligne);
    void passerALaTable();
    void agrandir();

    std::vector<Case> m_triees;
    std::vector<Case> m_table;
    qint64 m_taille = 0;
};
