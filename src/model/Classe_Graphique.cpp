#include "model/Classe_Graphique.h"
#include "model/Classe_GraphiquePrive.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"

#include <algorithm>

Classe_Graphique::Classe_Graphique()
    : d(std::make_unique<Classe_GraphiquePrive>())
{
}

Classe_Graphique::~Classe_Graphique() = default;

const QVariant& Classe_Graphique::Valeurs() const
{
    if (d->colonnes && !d->valeurs.isValid())
        d->valeurs = QVariant::fromValue(d->colonnes->tableau());
    return d->valeurs;
}

void Classe_Graphique::AjouterValeurs(const QVariant& valeurs)
{
    d->colonnes.reset();
    d->valeurs = valeurs;
    if (const TableauValeurs* t = TableauDans(d->valeurs))
        d->nbValeurs = t->borneSup(2) + 1;
}

void Classe_Graphique::AjouterValeurs(const TableauValeurs& valeurs)
{
    AjouterValeurs(QVariant::fromValue(valeurs));
}

void Classe_Graphique::AjouterValeurs(ColonnesTypees colonnes)
{
    d->valeurs = QVariant();
    d->nbValeurs = colonnes.points();
    d->colonnes = std::make_shared<const ColonnesTypees>(std::move(colonnes));
}

QVariant Classe_Graphique::cellule(int ligne, int point) const
{
    if (d->colonnes)
        return d->colonnes->valeur(ligne, point);
    const TableauValeurs* t = tableau();
    return t ? t->valeur(ligne, point) : QVariant();
}

namespace {

double minimumColonne(const ColonneTypee& valeurs, int n, double minimum)
{
    for (int i = 0; i < n; ++i)
        if (const auto x = valeurs.estVide(i) ? std::nullopt : valeurs.nombre(i); x && *x < minimum)
            minimum = *x;
    return minimum;
}

} // namespace

double Classe_Graphique::GetMinValeur() const
{
    constexpr double depart = 9999.0;
    double minimum = depart;
    if (d->colonnes)
        return d->colonnes->lignes() < 3 ? minimum
                                        : minimumColonne(d->colonnes->colonne(2), std::min(d->nbValeurs, d->colonnes->points()), minimum);
    const TableauValeurs* t = tableau();
    if (!t || t->lignes() < 3)
        return minimum;
    const int n = std::min(d->nbValeurs, t->points());
    for (int i = 0; i < n; ++i) {
        const QVariant& v = (*t)(2, i);
        if (EstVide(v))
            continue;
        if (const auto x = LireNombre(v); x && *x < minimum)
            minimum = *x;
    }
    return minimum;
}

const QString& Classe_Graphique::Cle() const
{
    return d->cle;
}

void Classe_Graphique::setCle(const QString& cle)
{
    d->cle = cle;
}

const QString& Classe_Graphique::Titre() const
{
    return d->titre;
}

void Classe_Graphique::setTitre(const QString& titre)
{
    d->titre = titre;
}

qint16 Classe_Graphique::Pattern() const
{
    return d->pattern;
}

void Classe_Graphique::setPattern(qint16 pattern)
{
    d->pattern = pattern;
}

qint16 Classe_Graphique::Symbol() const
{
    return d->symbol;
}

void Classe_Graphique::setSymbol(qint16 symbol)
{
    d->symbol = symbol;
}

qint32 Classe_Graphique::Couleur() const
{
    return d->couleur;
}

void Classe_Graphique::setCouleur(qint32 couleur)
{
    d->couleur = couleur;
}

qint32 Classe_Graphique::NbValeurs() const
{
    return d->nbValeurs;
}

bool Classe_Graphique::Afficher() const
{
    return d->afficher;
}

void Classe_Graphique::setAfficher(bool afficher)
{
    d->afficher = afficher;
}

const ColonnesTypees* Classe_Graphique::colonnes() const
{
    return d->colonnes.get();
}
