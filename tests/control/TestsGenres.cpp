// Chaque genre de graphique chargé depuis la base d'exemple et dessiné, avec
// chaque lettre de période, avec et sans cumul. Sur une base serveur, les
// chargements doivent donner exactement ce que le même exemple donne sur un
// fichier SQLite, et chaque ordre envoyé, rejoué sur les deux moteurs, les
// mêmes lignes.
#include "SurBaseExemple.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "commun_tests/MagasinTemporaire.h"
#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"
#include "data/BaseDeTest.h"
#include "data/bases/BaseExemple.h"
#include "render/moteur/ProprietesMoteur.h"
#include "data/bases/BaseSqlite.h"
#include "model/Classe_Graphiques.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/SortiesImage.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QImage>
#include <QSet>
#include <chrono>
#include <cmath>
#include <future>

namespace {

struct Cas
{
    const char* nom;
    HoteGraphique::Demande demande;
};

QList<Cas> lesCas()
{
    auto demande = [](TypeGraph type, const QString& station, const QStringList& autres = {}) {
        HoteGraphique::Demande d = DemandeExemple(type, station, autres);
        d.mesures = QStringLiteral("1");
        return d;
    };
    QList<Cas> cas = {
        {"edition", demande(TypeGraph::edition, "76402001")},
        {"annuaire", demande(TypeGraph::annuaire, "76402001")},
        {"Annee", demande(TypeGraph::Annee, "76402001")},
        {"Annee EDITION", demande(TypeGraph::Annee, "76402001")},
        {"Annee CUMUL_ANNUEL", demande(TypeGraph::Annee, "76402001")},
        {"Annee CUMUL_MENSUEL", demande(TypeGraph::Annee, "76402001")},
        {"Superposition", demande(TypeGraph::Superposition, "76401001", {"76402001", "27403001"})},
        {"PluvioPiezo", demande(TypeGraph::PluvioPiezo, "76402001", {"00754X0012", "00755X0031"})},
        {"PluvioStation", demande(TypeGraph::PluvioStation, "76402001", {"H8043310"})},
        {"reference", demande(TypeGraph::reference, "76401001")},
        {"comparaisonNormale", demande(TypeGraph::comparaisonNormale, "76402001")},
    };
    cas[1].demande.mesures = QStringLiteral("13");
    cas[3].demande.variante = QStringLiteral("EDITION");
    cas[4].demande.variante = QStringLiteral("CUMUL_ANNUEL");
    cas[5].demande.variante = QStringLiteral("CUMUL_MENSUEL");
    cas[2].demande.affichage = cas[3].demande.affichage = cas[9].demande.affichage = QStringLiteral("COURBE");
    return cas;
}

// Ce qu'a donné un chargement : titre, visibilité et cellules de chaque courbe, nombres au millième.
QString empreinte(CtlGraphique& c)
{
    QString e;
    for (Classe_Graphiques* coll : {&c.CollCourbes(), &c.CollCourbes2()}) {
        e += QStringLiteral("[%1..%2]").arg(coll->MinY()).arg(coll->MaxY());
        for (int k = 1; k <= coll->Compter(); ++k) {
            const CourbePtr courbe = coll->GetCourbe(k);
            e += QStringLiteral("\n%1 %2 %3 :").arg(courbe->Titre()).arg(courbe->Afficher()).arg(courbe->NbValeurs());
            const TableauValeurs* t = courbe->tableau();
            for (int i = 0; t && i < courbe->NbValeurs(); ++i)
                for (int r = 0; r < t->lignes(); ++r) {
                    const QVariant v = t->valeur(r, i);
                    const auto x = v.typeId() == QMetaType::QString ? std::optional<double>() : LireNombre(v);
                    e += u' ' + (x ? QString::number(std::round(*x * 1000) / 1000) : TexteCellule(v));
                }
        }
    }
    return e;
}

// Un nombre, hors textes ; NaN sinon.
double nombre(const QVariant& v)
{
    const auto x = v.typeId() == QMetaType::QString ? std::optional<double>() : LireNombre(v);
    return x.value_or(std::nan(""));
}

bool memeCellule(const QVariant& a, const QVariant& b)
{
    const double x = nombre(a), y = nombre(b);
    if (std::isnan(x) != std::isnan(y))
        return false;
    if (!std::isnan(x))
        return std::fabs(x - y) <= 1e-9 * std::max(1.0, std::fabs(x));
    // Une date peut revenir en date seule sur un moteur, en date et heure sur l'autre : même texte.
    return TexteCellule(a) == TexteCellule(b);
}

// Un ordre relevé sur chaque moteur pendant le même chargement, dans sa formulation.
struct OrdreRejoue
{
    QString sqlite, serveur;
    bool operator==(const OrdreRejoue&) const = default;
};

TableauValeurs lignesDe(BaseDonnees& base, const QString& ordre)
{
    TableauValeurs t;
    qint32 n = -1;
    EXPECT_TRUE(base.ExtraireRecords(OrdreSql::sansVerification(ordre), t, n)) << ordre.toStdString() << "\n"
                                                                                 << base.DerniereErreur().toStdString();
    return t;
}

// Les deux moteurs rendent, pour l'ordre rejoué, les mêmes lignes ; rend leur nombre.
int comparerLignes(BaseDonnees& sqlite, BaseDonnees& serveur, const OrdreRejoue& ordre)
{
    SCOPED_TRACE(ordre.sqlite.toStdString());
    const TableauValeurs a = lignesDe(sqlite, ordre.sqlite), b = lignesDe(serveur, ordre.serveur);
    EXPECT_EQ(a.points(), b.points());
    EXPECT_EQ(a.lignes(), b.lignes());
    int differences = 0;
    for (int r = 0; r < std::min(a.points(), b.points()); ++r)
        for (int c = 0; c < std::min(a.lignes(), b.lignes()); ++c)
            if (!memeCellule(a(c, r), b(c, r)) && ++differences <= 3)
                ADD_FAILURE() << "ligne " << r << ", champ " << c << " : " << TexteCellule(a(c, r)).toStdString() << " / "
                              << TexteCellule(b(c, r)).toStdString();
    return a.points();
}

bool dessine(const MoteurGraphique& moteur)
{
    const QImage image = SortiesImage::image(moteur, QSize(600, 350));
    QSet<QRgb> couleurs;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            couleurs.insert(image.pixel(x, y));
    return couleurs.size() > 3;
}

class Genres : public AvecBase
{
protected:
    MagasinTemporaire magasin;
    JourFixe jour{QDate(2024, 11, 15)};
    MessagesEnregistres messages;
};

TEST_F(Genres, ChaqueGenreChaquePeriodeAvecEtSansCumul)
{
    QString erreur;
    ASSERT_TRUE(BaseExemple::remplir(base(), 5, {}, erreur)) << erreur.toStdString();
    // Le même exemple sur un fichier SQLite, quand la base testée est d'un autre moteur.
    std::unique_ptr<BaseSqlite> temoin;
    if (base().typeBase() != QStringLiteral("ACCESS")) {
        ASSERT_TRUE(BaseExemple::creerFichier(jour.chemin("temoin.db"), 5, {}, erreur)) << erreur.toStdString();
        temoin = BaseSqlite::ouvrir(jour.chemin("temoin.db"), erreur);
        ASSERT_TRUE(temoin) << erreur.toStdString();
    }
    QStringList ordresSqlite, ordresServeur;
    QList<OrdreRejoue> rejoues;
    if (temoin) {
        temoin->setObservateur([&](const QString& sql) { ordresSqlite << sql; });
        base().setObservateur([&](const QString& sql) { ordresServeur << sql; });
    }
    for (const Cas& cas : lesCas())
        for (const QString periode : {"M", "D", "T", "A", "H", "S"})
            for (const bool cumul : {false, true}) {
                HoteGraphique::Demande d = cas.demande;
                d.periodes = periode;
                d.cumul = cumul;
                SCOPED_TRACE(QStringLiteral("%1, période %2%3").arg(cas.nom, periode, cumul ? ", cumul" : "").toStdString());
                messages.vider();
                HoteGraphique hote;
                hote.resize(1200, 810);
                hote.show();
                ASSERT_TRUE(hote.tracer(d, &base(), erreur)) << erreur.toStdString();
                // La référence couvre des années civiles entières : en années hydrologiques, ses dates sont ajustées, avec un message.
                const bool ajuste = d.type == TypeGraph::reference && periode == QStringLiteral("H");
                ASSERT_EQ(messages.textes().size(), ajuste ? 1 : 0) << messages.textes().join(" | ").toStdString();
                if (ajuste) {
                    EXPECT_TRUE(messages.textes().first().startsWith("Pour calculer le graphique, les dates vont être ajustées"));
                }
                EXPECT_TRUE(hote.aDesDonnees());
                EXPECT_TRUE(dessine(hote.controle().Graphique()));
                if (d.type == TypeGraph::PluvioPiezo || d.type == TypeGraph::PluvioStation) {
                    EXPECT_TRUE(dessine(hote.controle().GraphiqueSuperposePluvio()));
                }
                if (temoin) {
                    HoteGraphique autre;
                    autre.resize(1200, 810);
                    autre.show();
                    ASSERT_TRUE(autre.tracer(d, temoin.get(), erreur));
                    const QString attendu = empreinte(autre.controle()), obtenu = empreinte(hote.controle());
                    EXPECT_GT(attendu.count(u' '), 10);
                    EXPECT_EQ(obtenu, attendu);
                    // Même suite d'ordres, chacun dans la formulation de son moteur.
                    ASSERT_EQ(ordresSqlite.size(), ordresServeur.size());
                    for (int i = 0; i < ordresSqlite.size(); ++i)
                        if (!rejoues.contains(OrdreRejoue{ordresSqlite[i], ordresServeur[i]}))
                            rejoues.append({ordresSqlite[i], ordresServeur[i]});
                }
                ordresSqlite.clear();
                ordresServeur.clear();
            }
    if (!temoin)
        return;
    temoin->setObservateur({});
    base().setObservateur({});
    int lignes = 0;
    for (const OrdreRejoue& o : rejoues)
        lignes += comparerLignes(*temoin, base(), o);
    EXPECT_GT(rejoues.size(), 100);
    EXPECT_GT(lignes, 10000);
}

} // namespace

namespace {

// Un import validé par un autre utilisateur entre la lecture de la courbe et
// celle des statistiques : le graphique est tout entier d'avant ou d'après,
// jamais la courbe d'avant avec les statistiques d'après.
TEST_F(Genres, UnImportPendantLeChargementNeMelangePasDeuxInstants)
{
    QString erreur;
    ASSERT_TRUE(BaseExemple::remplir(base(), 5, {}, erreur)) << erreur.toStdString();
    auto autre = autreConnexion();
    ASSERT_TRUE(autre);
    HoteGraphique::Demande d = DemandeExemple(TypeGraph::Annee, QStringLiteral("76402001"));
    const auto tracer = [&] {
        HoteGraphique hote;
        hote.resize(1200, 810);
        hote.show();
        EXPECT_TRUE(hote.tracer(d, &base(), erreur)) << erreur.toStdString();
        return empreinte(hote.controle());
    };
    const QString avant = tracer();
    // L'autre connexion écrit d'un autre fil : sur SQLite elle attend la fin de
    // la lecture, sur PostgreSQL elle valide tout de suite.
    std::future<bool> import;
    base().setObservateur([&](const QString& sql) {
        if (!import.valid() && sql.contains(QStringLiteral("min(valeur), avg(valeur), max(valeur)"))) {
            import = std::async(std::launch::async, [&] {
                return autre->Execute(OrdreSql::sansVerification(QStringLiteral("UPDATE PLUVIO_76402001 SET Pluie = Pluie + 50")));
            });
            import.wait_for(std::chrono::seconds(1));
        }
    });
    const QString pendant = tracer();
    base().setObservateur({});
    ASSERT_TRUE(import.valid());
    ASSERT_TRUE(import.get()) << autre->DerniereErreur().toStdString();
    const QString apres = tracer();
    EXPECT_NE(avant, apres);
    EXPECT_EQ(pendant, avant);
}

} // namespace
