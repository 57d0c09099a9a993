#include "data/import/TablesImport.h"

#include "commun/Cellule.h"
#include "commun/TableauValeurs.h"
#include "commun/TexteAffichable.h"
#include "data/GenresStation.h"
#include "data/NomVerifie.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/TablesCalendrier.h"

namespace {

using Colonnes = QList<ColonneTable>;

const char* const autresMesuresPluie[] = {"PluieEfficace", "Etp", "Valeur1", "Valeur2", "Valeur3"};

Colonnes colonnesPluvio()
{
    // Les cinq premières colonnes dans cet ordre : la saisie des points écrit par position.
    Colonnes c = {{QStringLiteral("Pluie"), TypeColonne::Reel}, {QStringLiteral("Continuite"), TypeColonne::Entier},
                  {QStringLiteral("ModeObtention"), TypeColonne::Texte}, {QStringLiteral("Validite"), TypeColonne::Entier},
                  {QStringLiteral("Commentaire"), TypeColonne::Texte}};
    for (const char* m : autresMesuresPluie)
        c << ColonneTable{QString::fromLatin1(m), TypeColonne::Reel};
    return c;
}

Colonnes colonnesMesure(const QString& genre, const QString& colonne)
{
    Colonnes c = {{colonne, TypeColonne::Reel}};
    if (GenresStation::est(genre, GenreStation::Genre::Hydro) && colonne != QStringLiteral("Hauteur"))
        c << ColonneTable{colonne == QStringLiteral("Debit") ? QStringLiteral("Hauteur") : QStringLiteral("Debit"), TypeColonne::Reel};
    c << ColonneTable{QStringLiteral("Validite"), TypeColonne::Entier} << ColonneTable{QStringLiteral("Continuite"), TypeColonne::Entier}
      << ColonneTable{QStringLiteral("ModeObtention"), TypeColonne::Texte};
    return c;
}

bool creerStations(BaseAcces& base, QString& erreur)
{
    if (!base.ColonnesTable(QStringLiteral("STATIONS")).isEmpty()
        || base.CreerTable(QStringLiteral("STATIONS"), {{QStringLiteral("Code"), TypeColonne::Texte}, {QStringLiteral("Nom"), TypeColonne::Texte},
                                                        {QStringLiteral("Genre"), TypeColonne::Texte}, {QStringLiteral("Altitude"), TypeColonne::Reel}}))
        return true;
    erreur = QStringLiteral("impossible de créer la liste des stations : %1").arg(base.DerniereErreur());
    return false;
}

bool creerNormales(BaseAcces& base, QString& erreur)
{
    if (!base.ColonnesTable(QStringLiteral("PLUVIOMETRE_NORMALES")).isEmpty())
        return true;
    Colonnes normales = {{QStringLiteral("codePluviometre"), TypeColonne::Texte}, {QStringLiteral("mois"), TypeColonne::Entier},
                         {QStringLiteral("valeur"), TypeColonne::Reel}};
    for (const char* m : autresMesuresPluie)
        normales << ColonneTable{QString::fromLatin1(m), TypeColonne::Reel};
    if (base.CreerTable(QStringLiteral("PLUVIOMETRE_NORMALES"), normales))
        return true;
    erreur = QStringLiteral("impossible de créer la table des normales : %1").arg(base.DerniereErreur());
    return false;
}

} // namespace

QList<ColonneTable> TablesImport::colonnesStation(const QString& genre, const QString& colonne)
{
    Colonnes c = {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure}};
    c << (GenresStation::est(genre, GenreStation::Genre::Pluvio) ? colonnesPluvio() : colonnesMesure(genre, colonne));
    for (const ColonneTable& x : c)
        if (x.nom == colonne)
            return c;
    return c << ColonneTable{colonne, TypeColonne::Reel};
}

bool TablesImport::completerBase(BaseAcces& base, int moisHydro, QString& erreur)
{
    if (!creerStations(base, erreur))
        return false;
    if ((base.ColonnesTable(QStringLiteral("PERIODES")).isEmpty() || base.ColonnesTable(QStringLiteral("ANNEES")).isEmpty())
        && !TablesCalendrier::creer(base, moisHydro, erreur)) {
        erreur = QStringLiteral("impossible de créer les tables du calendrier : %1").arg(erreur);
        return false;
    }
    return creerNormales(base, erreur);
}

bool TablesImport::verifierCodeNeuf(BaseAcces& base, const QString& genre, const QString& code, QString& erreur)
{
    const auto nomGenre = NomVerifie::depuis(genre);
    TableauValeurs codes;
    qint32 n = 0;
    if (base.ColonnesTable(QStringLiteral("STATIONS")).isEmpty())
        return true;
    if (!nomGenre || !base.ExtraireRecords("SELECT Code FROM STATIONS WHERE Genre='" + *nomGenre + "'", codes, n)) {
        erreur = QStringLiteral("impossible de lire la liste des stations : %1").arg(base.DerniereErreur());
        return false;
    }
    QString homonyme;
    for (qint32 i = 0; i < n; ++i) {
        const QString autre = TexteCellule(codes.valeur(0, i));
        if (autre == code)
            return true;
        if (autre.compare(code, Qt::CaseInsensitive) == 0)
            homonyme = autre;
    }
    if (!homonyme.isEmpty()) {
        erreur = QStringLiteral("la station « %1 » partagerait la table de la station « %2 » : deux codes qui ne diffèrent que par "
                                "la casse sont une seule station pour la base.")
                     .arg(TexteAffichable(code, 40), TexteAffichable(homonyme, 40));
        return false;
    }
    return true;
}
