#pragma once

#include "data/bases/Traducteur.h"

// Formulation SQLite. Dates et heures sont rangées en textes ISO qui se trient
// dans l'ordre du temps : "YYYY-MM-DD" à minuit, "YYYY-MM-DD hh:mm:ss" sinon,
// une heure du jour le 1899-12-30. Les conversions des ordres sont les
// fonctions "acces_" que `BaseSqlite` enregistre.
class TraducteurSqlite : public Traducteur
{
public:
    using Traducteur::Traducteur;

    QString identifiant(const QString& nom) const override;
    QString litteralDate(const QDateTime& d) const override;

protected:
    QString joindre(const QList<Morceau>& morceaux) const override;
    QString vide(const QString& texte) const override;
    QString texteEntier(const QString& x) const override;
    QString texteReel(const QString& x) const override;
    QString texteDate(const QString& x) const override;
    QString texteAutre(const QString& x) const override;
    QString partieDate(PartieDate partie, const QString& x) const override;
    QString dateDepuisTexte(const QString& x) const override;
    QString jourSeul(const QString& x) const override;
    QString heureSeule(const QString& x) const override;
    QString combiner(const QString& date, const QString& heure) const override;
    QString ajouterJours(const QString& date, const QString& jours) const override;
    QString jourMois(const QString& date) const override;
    QString instr(const QString& debut, const QString& texte, const QString& cherche) const override;
    QString nombreDepuisTexte(const QString& x) const override;
    QString arrondiEntier(const QString& x) const override;
    QString val(const QString& x) const override;
    QString plancher(const QString& x) const override;
    QString tronque(const QString& x) const override;
    QString puissance(const QString& a, const QString& b) const override;
    QString division(const QString& a, const QString& b) const override;
    QString sousTexte(const QString& texte, const QString& debut, const QString& longueur) const override;
    QString gauche(const QString& texte, const QString& n) const override;
    QString droite(const QString& texte, const QString& n) const override;
    QString formatNombre(const QString& x, const QString& motif, int entiers, int decimales) const override;
    QString formatDate(const QString& x, const QString& motif) const override;
    QString comme(const QString& texte, const QString& motif) const override;
    QString identiteLigne() const override;
    QString barriereSousRequete() const override;
};
