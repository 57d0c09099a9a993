// Hôte minimal : le contrôle graphique sur une fenêtre principale, la base
// d'exemple faite dans un dossier temporaire, un graphique chargé puis écrit en
// PNG. Code de sortie 0 seulement si l'image existe et montre un graphique.
// Usage : hote-minimal [image.png]
#include "commun/TableauValeurs.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/EnteteStations.h"
#include "control/ListeStations.h"
#include "model/Classe_Graphiques.h"
#include "data/BaseDonnees.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/OuvertureBase.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QTemporaryDir dossier;
    const QString image = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dossier.filePath(QStringLiteral("edition.png"));
    QString erreur;
    const QString fichierBase = dossier.filePath(QStringLiteral("exemple.db"));
    auto base = BaseExemple::creerFichier(fichierBase, 1, {}, erreur) ? ouvrirBase(fichierBase, false, erreur) : nullptr;
    if (!base) {
        std::fprintf(stderr, "base d'exemple : %s\n", qPrintable(erreur));
        return 1;
    }

    QMainWindow fenetre;
    auto* controle = new CtlGraphique;
    fenetre.setCentralWidget(controle);
    fenetre.resize(1200, 760);

    // Le contrôle lit ces membres de la fenêtre principale de l'hôte par leur nom.
    QObject principale;
    principale.setProperty("typeBase", base->typeBase());
    principale.setProperty("coefficientProfondeur", -1);
    principale.setProperty("typeAffichageEchelle", 0);

    // La liste des stations de l'hôte, puis la demande : pluie mensuelle d'un pluviomètre.
    const QString code = QStringLiteral("76402001");
    ListeStations liste;
    QString nom;
    for (const BaseExemple::Station& s : BaseExemple::stations()) {
        liste.ajouter(s.code, s.nom, s.genre);
        nom = s.code == code ? s.nom : nom;
    }
    controle->InitGraphique(TypeGraph::edition, &liste, QStringLiteral("KOR"), 0, {}, {}, {}, false, QStringLiteral("10"),
                            {}, base.get(), &principale, 0);
    if (controle->RecupSprEntete()->stations().isEmpty())
        controle->RecupSprEntete()->Initialiser(&liste, base.get(), QStringLiteral("KOR"));
    controle->RecupSprEntete()->selectionner(code);
    controle->TxtDateDebut()->setTexte(QStringLiteral("01/01/2019"));
    controle->TxtDateFin()->setTexte(QStringLiteral("31/12/2023"));
    TableauValeurs stations(5, 2);
    stations(1, 1) = nom;
    controle->setMonTabPluvio(QVariant::fromValue(stations));
    controle->setMaChaineChargement(QStringLiteral("1"));
    controle->setMaChainePeriodes(QStringLiteral("M"));
    controle->setMaChaineTypeAffichage(QStringLiteral("HISTO"));
    controle->ChargementDonnees();
    fenetre.show();
    qint64 points = 0;
    for (int k = 1; k <= controle->CollCourbes().Compter(); ++k)
        points += controle->CollCourbes().GetCourbe(k)->NbValeurs();

    if (!controle->EcrireImage(image, QSize(1200, 700))) {
        std::fprintf(stderr, "image non écrite : %s\n", qPrintable(image));
        return 1;
    }
    // Une image vide ou d'une seule teinte n'est pas un graphique.
    const QImage lue(image);
    QSet<QRgb> teintes;
    for (int y = 0; y < lue.height(); y += 4)
        for (int x = 0; x < lue.width(); x += 4)
            teintes.insert(lue.pixel(x, y));
    std::printf("%s : %lld octets, %dx%d, %lld teintes, %lld valeurs chargées\n", qPrintable(image),
                qint64(QFileInfo(image).size()), lue.width(), lue.height(), qint64(teintes.size()), points);
    return points > 0 && QFileInfo(image).size() > 10000 && teintes.size() >= 8 ? 0 : 1;
}
