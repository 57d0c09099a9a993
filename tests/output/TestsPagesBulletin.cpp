// Les pages du bulletin telles qu'un lecteur les voit : un niveau en profondeur
// ou en cote, les barres d'écart aux couleurs des classes, la police de la page
// jusque dans les graphiques, aucun texte coupé de points de suspension.
#include "commun/Nombres.h"
#include "data/bulletin/BulletinMensuel.h"
#include "data/bulletin/CalculBulletin.h"
#include "output/ArchiveZipTests.h"
#include "output/bulletin/ClasseurBulletin.h"
#include "output/bulletin/ColonnesSynthese.h"
#include "output/bulletin/CouleursClasses.h"
#include "output/bulletin/GraphiqueMoisStation.h"
#include "output/bulletin/PdfBulletin.h"
#include "output/bulletin/TexteBulletin.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

const QDate mars2023(2023, 3, 1);
const CalculBulletin::Normales soixante = [] { CalculBulletin::Normales n; n.fill(60.0); return n; }();

// Douze ans de chaque mois, de `pas` en `pas` autour de `milieu`, puis onze mois, et mars 2023 à `dernier`.
ReleveMensuel releve(double milieu, double pas, double dernier)
{
    ReleveMensuel r;
    for (int annee = 2010; annee < 2022; ++annee)
        for (int mois = 1; mois <= 12; ++mois)
            r.ajouter(annee, mois, {milieu + pas * ((annee + mois) % 12 - 6), true});
    for (QDate m(2022, 4, 1); m < mars2023; m = m.addMonths(1))
        r.ajouter(m.year(), m.month(), {milieu + pas * ((m.month() * 5) % 12 - 6), true});
    r.ajouter(2023, 3, {dernier, true});
    return r;
}

LigneBulletin ligne(const ReleveMensuel& r, GenreStation::Genre g, const QString& nom, const CalculBulletin::Normales& n = {})
{
    return CalculBulletin(r, *GenresBulletin::de(g), mars2023, 10, n).ligne(QStringLiteral("X1"), nom);
}

QString colonne(const LigneBulletin& l, const char* titre)
{
    for (const ColonneSynthese& c : ColonnesSynthese::toutes())
        if (c.titre() == QString::fromUtf8(titre))
            return c.texte(l);
    return QStringLiteral("(pas de colonne %1)").arg(titre);
}

} // namespace

// Un niveau rangé à -17,92 m : 17,92 m de profondeur sans cote du repère, 94,08 m NGF avec un repère à 112 m ;
// la profondeur croît vers le bas du graphique, la cote vers le haut.
TEST(PagesBulletin, UnNiveauSeLitEnProfondeurPositiveOuEnCoteNgf)
{
    struct Cas
    {
        std::optional<double> repere;
        const char *phrase, *valeur, *titreAxe;
        bool croitVersLeBas;
    };
    const Cas cas[] = {{std::nullopt, "Profondeur en mars 2023 : 17,92 m ;", "17,92", "Profondeur en m", true},
                       {112.0, "Cote NGF en mars 2023 : 94,08 m ;", "94,08", "Cote en NGF", false}};
    for (const Cas& c : cas) {
        LigneBulletin l = ligne(releve(-18, 0.5, -17.92), GenreStation::Genre::Piezo, QStringLiteral("Forage"));
        l.echelle = EchelleNappe::deStation(c.repere);
        EXPECT_TRUE(TexteBulletin::resume(l, mars2023, 10).startsWith(QString::fromUtf8(c.phrase))) << TexteBulletin::resume(l, mars2023, 10).toStdString();
        EXPECT_EQ(colonne(l, "Valeur du mois"), QString::fromUtf8(c.valeur));
        QImage image(700, 500, QImage::Format_RGB32);
        MoteurGraphique m;
        QPainter p(&image);
        GraphiqueMoisStation::situation(p, m, l, image.rect());
        EXPECT_EQ(m.lire(Prop::TitreYGauche).toString(), QString::fromUtf8(c.titreAxe));
        const int n = m.lire(Prop::DivisionsY).toInt();
        const double bas = LireNombre(m.lireIndexe(Prop::LibelleGauche, 1)).value_or(-1);
        const double haut = LireNombre(m.lireIndexe(Prop::LibelleGauche, n + 1)).value_or(-1);
        EXPECT_GT(std::min(bas, haut), 0);
        EXPECT_EQ(bas > haut, c.croitVersLeBas) << bas << " " << haut;
    }
}

// Les barres d'écart à la normale, lues dans l'image : chacune de la couleur de la classe de son mois.
TEST(PagesBulletin, LesBarresDEcartPrennentLaCouleurDeLaClasseDeLeurMois)
{
    const LigneBulletin l = ligne(releve(60, 8, 12), GenreStation::Genre::Pluvio, QStringLiteral("Pluie"), soixante);
    QImage image(900, 420, QImage::Format_RGB32);
    image.fill(Qt::white);
    MoteurGraphique m;
    {
        QPainter p(&image);
        GraphiqueMoisStation::ecarts(p, m, l, image.rect());
    }
    const QRectF cadre(QPointF(0, 0), QSizeF(m.taille()));
    std::set<int> classes;
    for (std::size_t i = 0; i < l.contexte.size(); ++i) {
        const auto& c = l.contexte[i];
        if (!c.valeur || !c.classe)
            continue;
        const QPoint milieu = m.versPixels(QPointF(i + 0.5, (*c.valeur - 60) / 2), cadre).toPoint();
        EXPECT_EQ(image.pixelColor(milieu), CouleursClasses::fond(*c.classe)) << c.mois.toString().toStdString();
        classes.insert(*c.classe);
    }
    EXPECT_TRUE(classes.count(0) && classes.size() >= 3);
}

// Un pluviomètre d'une seule année, sans normales : la page ne trace que ses mois, sans quintiles tirés
// de ses propres valeurs ni normales vides en légende, et ne le classe pas.
TEST(PagesBulletin, UnReleveDUneAnneeNiQuintilesNiNormalesNiClasse)
{
    ReleveMensuel r;
    for (QDate m(2022, 4, 1); m <= mars2023; m = m.addMonths(1))
        r.ajouter(m.year(), m.month(), {10.0 * m.month(), true});
    const LigneBulletin l = ligne(r, GenreStation::Genre::Pluvio, QStringLiteral("Pluie"));
    QImage image(900, 520, QImage::Format_RGB32);
    MoteurGraphique m;
    {
        QPainter p(&image);
        GraphiqueMoisStation::situation(p, m, l, image.rect());
    }
    EXPECT_EQ(m.lire(Prop::NbJeux).toInt(), 1);
    EXPECT_EQ(m.lireIndexe(Prop::Legende, 1).toString(), QStringLiteral("Pluie du mois"));
    EXPECT_TRUE(m.lire(Prop::TitreGraphique).toString().endsWith(QStringLiteral("(relevé trop court pour ses quintiles)")));
    EXPECT_TRUE(TexteBulletin::resume(l, mars2023, 10).contains(QStringLiteral("rang 1/1 parmi les mois de mars du relevé ; relevé trop court")));
    EXPECT_FALSE(l.classe);
    for (const auto& [numero, attendu] : {std::pair{3, "de mars"}, {4, "d'avril"}, {8, "d'août"}, {10, "d'octobre"}, {12, "de décembre"}})
        EXPECT_EQ(TexteBulletin::deMois(numero), QString::fromUtf8(attendu));
}

// Le PDF d'un pluviomètre, d'un piézomètre et d'une station hydrométrique au long nom : une seule
// famille de polices, celle de la page, et aucun texte abrégé par « … » ; le classeur n'en coupe aucun.
TEST(PagesBulletin, LePdfNEmploieQueLaPoliceDeLaPageEtNeCoupeAucunTexte)
{
    BulletinMensuel b;
    b.mois = mars2023;
    b.lignes = {ligne(releve(60, 8, 12), GenreStation::Genre::Pluvio, QStringLiteral("Pluie"), soixante),
                ligne(releve(-18, 0.5, -17.92), GenreStation::Genre::Piezo, QStringLiteral("Puits des Prés (alluvions)")),
                ligne(releve(3, 0.2, 2), GenreStation::Genre::Hydro, QStringLiteral("L'Aubette à Port-Aubin, pont de la Grande Chaussée"))};
    b.lignes[1].echelle = EchelleNappe::deStation(std::nullopt);
    QBuffer sortie;
    sortie.open(QIODevice::WriteOnly);
    ASSERT_TRUE(PdfBulletin::ecrire(b, sortie, {}));
    const QByteArray pdf = sortie.data();
    QStringList polices;
    for (const auto& trouve : QRegularExpression(QStringLiteral("/BaseFont\\s*/(\\S+)")).globalMatch(QString::fromLatin1(pdf)))
        polices << trouve.captured(1);
    EXPECT_TRUE(!polices.isEmpty() && polices.filter(QStringLiteral("DejaVuSans")) == polices) << polices.join(u' ').toStdString();
    // Les tables des polices (non comprimées) disent chaque caractère écrit : « … » n'y est pas.
    EXPECT_GT(pdf.count("begincmap"), 0);
    EXPECT_FALSE(pdf.contains("<2026>")) << "points de suspension";
    // Le classeur : chaque colonne tient son en-tête et le plus long de ses textes.
    QTemporaryDir dossier;
    QString erreur;
    ASSERT_TRUE(ClasseurBulletin::construire(b).enregistrer(dossier.filePath("b.xlsx"), erreur)) << erreur.toStdString();
    const QString feuille = QString::fromUtf8(ArchiveZipTests(dossier.filePath("b.xlsx")).lire("xl/worksheets/sheet1.xml").value_or(""));
    const auto& colonnes = ColonnesSynthese::toutes();
    std::size_t lues = 0;
    for (const auto& trouve : QRegularExpression(QStringLiteral("<col min=\"(\\d+)\"[^>]* width=\"([\\d.]+)\"")).globalMatch(feuille)) {
        const ColonneSynthese& c = colonnes[std::size_t(trouve.captured(1).toInt() - 1)];
        qsizetype plusLong = c.titre().size();
        for (const LigneBulletin& l : b.lignes)
            plusLong = std::max(plusLong, c.texte(l).size());
        EXPECT_GE(trouve.captured(2).toDouble(), double(plusLong)) << c.titre().toStdString();
        ++lues;
    }
    EXPECT_EQ(lues, colonnes.size());
}
