#pragma once

#include "data/ColonneTable.h"
#include "data/OrdreSql.h"
#include "data/import/ClesVues.h"
#include "data/import/FormatArchive.h"
#include "data/import/ImportArchive.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QVariantList>
#include <optional>
#include <vector>

class BaseAcces;
struct LigneArchive;

// Les stations d'un fichier et leurs séries (une colonne d'une table de
// station) pendant un import : chaque série reçoit ses mesures par lots dans
// une table de passage de la connexion, puis est fusionnée dans la table de
// sa station. Les tables ne sont créées qu'au premier lot.
class SeriesArchive
{
public:
    static constexpr int refusee = -1;
    static constexpr int horsSelection = -2;

    // `selection` : les codes de table retenus, vide pour tous ; `origine` : d'où viennent les
    // mesures, pour l'historique de celles qu'elles remplacent.
    SeriesArchive(BaseAcces& base, const FormatArchive& format, const QStringList& selection, ImportArchive::Bilan& bilan,
                  const QString& origine);

    // La station d'un code du fichier, `refusee` (et `motif`) quand le code ne
    // peut pas nommer une table, `horsSelection` quand elle n'est pas demandée.
    int station(QByteArrayView codeFichier, QString& motif);
    // Note une ligne lue d'une station : son nom, son altitude, sa mesure.
    // Faux quand la base refuse d'écrire (`erreur()`).
    bool ajouter(int station, const LigneArchive& ligne, qint64 numero);
    // Après une ligne fausse, rien ne sera gardé : on ne fait plus que compter.
    void arreterEcriture();
    // Les derniers lots écrits, chaque série fusionnée, chaque station inscrite.
    bool terminer(const std::function<void(int stationsFaites)>& avancement);

    int nombreStations() const { return int(m_stations.size()); }
    QStringList absentes() const;
    const QString& erreur() const { return m_erreur; }

private:
    struct Station
    {
        QString code;
        QString table;
        QString nom;
        QByteArray nomLu;  // tel que le fichier l'écrit, lu une fois son encodage connu
        std::optional<double> altitude;
        QList<ColonneTable> colonnes;  // vide tant que la table n'est pas prête
        QList<std::pair<QString, int>> series;  // colonne, numéro de série
        bool mesuree = false;
        bool creee = false;           // sa table est née de cet import
        bool altitudeConnue = false;  // déjà dans la liste des stations
    };
    struct Serie
    {
        int station = 0;
        QString colonne;
        QString passage;
        ClesVues cles;
        QList<QVariantList> lot;
        qint64 lignes = 0;        // dans le passage
        qint64 doublons = 0;
        qint64 niveauxSeuls = 0;  // niveau sans profondeur : placé d'après l'altitude à la fin
        bool preparee = false;
    };

    int nouvelleStation(const QByteArray& brut, QString& motif);
    int serie(int station, const QString& colonne);
    void noterStation(Station& s, const LigneArchive& l);
    void lireNoms();
    bool ecrireLot(Serie& serie);
    bool ecrireTousLesLots();
    bool preparerStation(Station& s);
    bool preparerSerie(Serie& serie);
    bool placerNiveaux(const Serie& serie, const Station& s, qint64& lignes);
    bool fusionner(Serie& serie, qint64& ecrites);
    bool lireStation(Station& s, bool& inscrite);
    OrdreSql cleStation(const Station& s) const;
    bool inscrire(const Station& s, bool inscrite);
    bool terminerStation(Station& s);
    bool echec(const QString& quoi);

    BaseAcces& m_base;
    FormatArchive m_format;
    QString m_origine;
    QList<ColonneTable> m_passage;
    QSet<QString> m_selection;
    ImportArchive::Bilan& m_bilan;
    QHash<QByteArray, int> m_codes;
    QByteArray m_dernierCode;
    int m_derniereStation = refusee;
    QHash<QByteArray, QString> m_refus;
    std::vector<Station> m_stations;
    std::vector<Serie> m_series;
    qint64 m_enAttente = 0;
    bool m_ecrire = true;
    bool m_nomsUtf8 = true;  // tant qu'aucun nom du fichier n'est de l'UTF-8 invalide
    QString m_erreur;
};
