#pragma once

#include "data/bases/Traducteur.h"

// Formulation PostgreSQL. Les dates sont des colonnes date ou timestamp, une
// heure du jour un timestamp le 1899-12-30. Les noms s'écrivent en minuscules
// entre guillemets (la casse que PostgreSQL donne aux noms sans guillemets).
// Les conversions des ordres sont les fonctions que `BasePostgres` crée dans
// le schéma propre à la connexion, pg_temp ; les textes se trient octet par
// octet quelle que soit la collation de la base.
class TraducteurPostgres : public Traducteur
{
public:
    // `separateur` : le séparateur décimal de l'utilisateur, écrit par les nombres mis en texte.
    TraducteurPostgres(Catalogue catalogue, QChar separateur);

    QString identifiant(const QString& nom) const override;
    QString litteralDate(const QDateTime& d) const override;
    QString nulsEnTete(bool descendant) const override;

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
    QString collationTexte() const override;

private:
    QChar m_separateur;
};
