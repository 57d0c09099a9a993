// Import des fichiers publics de plusieurs stations, sur SQLite et sur PostgreSQL.
#include "commun_tests/LignesTexte.h"
#include "data/BaseDeTest.h"

#include "data/bases/BaseAcces.h"
#include "data/import/ImportArchive.h"

#include <QFile>
#include <QTemporaryDir>
#include <zlib.h>

namespace {

class ImportArchiveTest : public AvecBase
{
protected:
    // Le contenu écrit dans un fichier, compressé par gzip quand le nom finit par « .gz ».
    QString fichier(const QString& nom, const QByteArray& contenu)
    {
        const QString chemin = m_dossier.filePath(nom);
        if (nom.endsWith(QStringLiteral(".gz"))) {
            gzFile f = gzopen(QFile::encodeName(chemin).constData(), "wb");
            EXPECT_TRUE(f && gzwrite(f, contenu.constData(), unsigned(contenu.size())) == int(contenu.size()));
            gzclose(f);
        } else {
            QFile f(chemin);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(contenu);
        }
        return chemin;
    }

    bool importer(const QString& format, const QString& chemin, QString& erreur, const QStringList& stations = {})
    {
        ImportArchive::Demande demande;
        demande.format = format;
        demande.stations = stations;
        m_bilan = ImportArchive::Bilan();
        return ImportArchive::importer(static_cast<BaseAcces&>(base()), chemin, demande, m_bilan, erreur);
    }

    void importerSansErreur(const QString& format, const QString& chemin, const QStringList& stations = {})
    {
        QString erreur;
        ASSERT_TRUE(importer(format, chemin, erreur, stations)) << erreur.toStdString();
        EXPECT_TRUE(erreur.isEmpty());
    }

    // Les lignes d'un SELECT, une par ligne, les champs séparés par « | ».
    QStringList lignes(const QString& sql) { return lignesTexte(lire(sql)); }

    QTemporaryDir m_dossier;
    ImportArchive::Bilan m_bilan;
};

const QByteArray enteteMeteo = "NUM_POSTE;NOM_USUEL;LAT;LON;ALTI;AAAAMMJJ;RR;QRR;TN;QTN;TX;QTX";

TEST_F(ImportArchiveTest, ClimatologieDePlusieursPostesCompresseeEtCrlf)
{
    // Deux postes mêlés, des jours sans pluie mesurée, des codes qualité, une marque UTF-8, CRLF.
    const QByteArray csv = "\xEF\xBB\xBF" + enteteMeteo + "\r\n"
        "76116001;ROUEN-BOOS;49.38;1.18;151;20230101;1.2;1;3.4;1;8.0;1\r\n"
        "76116001;ROUEN-BOOS;49.38;1.18;151;20230102;;;3.1;1;7.2;1\r\n"
        "27056003;EVREUX-HUEST;49.02;1.22;133;20230101;0;1;;;;\r\n"
        "76116001;ROUEN-BOOS;49.38;1.18;151;20230103;12.6;9;2.0;1;6.0;1\r\n"
        "\r\n"
        "27056003;EVREUX-HUEST;49.02;1.22;133;20230102;0.4;;;;;\r\n";
    importerSansErreur(QStringLiteral("meteo-quotidien"), fichier(QStringLiteral("Q_76_2023.csv.gz"), csv));
    EXPECT_EQ(m_bilan.stationsCreees, 2);
    EXPECT_EQ(m_bilan.stationsCompletees, 0);
    EXPECT_EQ(m_bilan.lignesLues, 7);
    EXPECT_EQ(m_bilan.ajoutees, 4);
    EXPECT_EQ(m_bilan.vides, 1);
    // Le jour sans mesure n'est pas un zéro ; le code qualité est dans Validite (vide quand le fichier n'en donne pas).
    EXPECT_EQ(lignes("SELECT DateCreation, Heure, Pluie, Validite FROM PLUVIO_76116001 ORDER BY DateCreation"),
              QStringList({"01/01/2023|00:00:00|1.2|1", "03/01/2023|00:00:00|12.6|9"}));
    EXPECT_EQ(lignes("SELECT DateCreation, Pluie, Validite, Continuite FROM PLUVIO_27056003 ORDER BY DateCreation"),
              QStringList({"01/01/2023|0|1|0", "02/01/2023|0.4||0"}));
    EXPECT_EQ(lignes("SELECT Code, Nom, Genre, Altitude FROM STATIONS ORDER BY Code"),
              QStringList({"27056003|EVREUX-HUEST|pluvio|133", "76116001|ROUEN-BOOS|pluvio|151"}));
    // La base sert ensuite à toutes les commandes : calendrier et normales sont là.
    EXPECT_FALSE(lire("SELECT jour FROM PERIODES").points() == 0);
    EXPECT_EQ(lire("SELECT mois FROM PLUVIOMETRE_NORMALES").points(), 0);
}

TEST_F(ImportArchiveTest, UnSecondFichierCompleteRemplaceEtSeRestreintAuxPostesDemandes)
{
    importerSansErreur(QStringLiteral("meteo-quotidien"),
                       fichier(QStringLiteral("a.csv"), enteteMeteo + "\n76116001;ROUEN-BOOS;0;0;151;20230101;1.2;1;;;;\n"
                                                                       "76116001;ROUEN-BOOS;0;0;151;20230102;2;1;;;;\n"));
    // Le même poste, renommé dans le fichier : sa valeur du 2 remplacée, le 3 ajouté, son nom gardé ;
    // un autre poste non demandé est passé, un poste demandé absent est dit.
    const QByteArray suite = enteteMeteo + "\n76116001;BOOS;0;0;160;20230102;2.5;9;;;;\n76116001;BOOS;0;0;160;20230103;3;1;;;;\n"
                                           "27056003;EVREUX;0;0;133;20230101;9;1;;;;\n";
    importerSansErreur(QStringLiteral("meteo-quotidien"), fichier(QStringLiteral("b.csv"), suite), {"76116001", "76999999"});
    EXPECT_EQ(m_bilan.stationsCreees, 0);
    EXPECT_EQ(m_bilan.stationsCompletees, 1);
    EXPECT_EQ(m_bilan.ajoutees, 1);
    EXPECT_EQ(m_bilan.remplacees, 1);
    EXPECT_EQ(m_bilan.autresStations, 1);
    EXPECT_EQ(m_bilan.absentes, QStringList{"76999999"});
    EXPECT_EQ(lignes("SELECT DateCreation, Pluie, Validite FROM PLUVIO_76116001 ORDER BY DateCreation"),
              QStringList({"01/01/2023|1.2|1", "02/01/2023|2.5|9", "03/01/2023|3|1"}));
    EXPECT_EQ(lignes("SELECT Code, Nom, Altitude FROM STATIONS"), QStringList{"76116001|ROUEN-BOOS|151"});
    EXPECT_TRUE(m_bilan.texte().contains("1 ligne(s) d'autres stations passée(s). Absente(s) du fichier : 76999999."))
        << m_bilan.texte().toStdString();
}

TEST_F(ImportArchiveTest, PiezometresCodeAvecBarreProfondeurNegativeEtNiveauxPlacesParLaCoteDuRepere)
{
    const QByteArray csv = "code_bss;date_mesure;niveau_nappe_eau;profondeur_nappe\n"
                           "\"07548X0009/F\";\"2020-01-01\";100.50;11.50\n"
                           "07548X0009/F;2020-01-02;100.70;\n"   // niveau seul : placé d'après la cote 112
                           "07548X0009/F;2020-01-03;;11.10\n"
                           "07548X0009/F;2020-01-04;;\n"
                           "BSS000ABCD;2020-01-01;55.00;\n";     // jamais de profondeur, cote inconnue
    importerSansErreur(QStringLiteral("piezo-chroniques"), fichier(QStringLiteral("chroniques.csv"), csv));
    EXPECT_EQ(lignes("SELECT DateCreation, Valeur, Validite FROM PZ_07548X0009_F ORDER BY DateCreation"),
              QStringList({"01/01/2020|-11.5|0", "02/01/2020|-11.3|0", "03/01/2020|-11.1|0"}));
    EXPECT_EQ(lignes("SELECT Code, Nom, Genre, Altitude FROM STATIONS ORDER BY Code"),
              QStringList({"07548X0009_F|07548X0009/F|piezo|112"}));
    EXPECT_EQ(m_bilan.ajoutees, 3);
    EXPECT_EQ(m_bilan.vides, 2);
    EXPECT_EQ(m_bilan.stationsCreees, 1);

    // L'altitude déjà dans la liste des stations l'emporte ; le code se demande sous ses deux formes.
    ASSERT_TRUE(base().Execute("UPDATE STATIONS SET Altitude=120"));
    importerSansErreur(QStringLiteral("piezo-chroniques"),
                       fichier(QStringLiteral("suite.csv"), "code_bss;date_mesure;niveau_nappe_eau;profondeur_nappe\n"
                                                            "07548X0009/F;2020-01-05;101.00;\n"
                                                            "07548X0009/F;2020-01-06;100.00;11.00\n"),
                       {"07548X0009/F"});
    EXPECT_EQ(lignes("SELECT Valeur FROM PZ_07548X0009_F WHERE DateCreation >= #01/05/2020# ORDER BY DateCreation"),
              QStringList({"-19", "-11"}));
    importerSansErreur(QStringLiteral("piezo-chroniques"),
                       fichier(QStringLiteral("encore.csv"), "code_bss;date_mesure;niveau_nappe_eau;profondeur_nappe\n"
                                                             "07548X0009/F;2020-01-07;;10.00\n"),
                       {"07548X0009_F"});
    EXPECT_EQ(m_bilan.ajoutees, 1);
}

TEST_F(ImportArchiveTest, DebitsJournaliersEnMetresCubesParSecondeEtMoyennesMensuelles)
{
    // Virgules, champs entre guillemets, colonnes dans un autre ordre, CRLF, compressé ; des
    // moyennes mensuelles datées du milieu ou de la fin du mois.
    const QByteArray csv = "code_site,code_station,date_obs_elab,resultat_obs_elab,libelle_statut,grandeur_hydro_elab\r\n"
                           "H5071,H5071010,2020-01-01,12345,\"Donnée validée, contrôlée\",QmJ\r\n"
                           "H5071,H5071010,2020-01-02,,Donnée validée,QmnJ\r\n"
                           "H5071,H5071010,2020-01-03,800.5,Donnée validée,QmnJ\r\n"
                           "H5071,H5071010,2020-01-15,15000,Donnée validée,QmM\r\n"
                           "H5071,H5071010,2020-02-29,9000,Donnée validée,QmM\r\n"
                           "H5071,H5071010,2020-03-15,7000,Donnée validée,QmM\r\n"
                           "H5071,H5071010,2020-03-01,7500,Donnée validée,QmM\r\n"
                           "H5071,H5071010,2020-01-01,1500,Donnée validée,HIXnJ\r\n"
                           "A1234,A1234567,2020-01-01,5,Donnée validée,QmJ\r\n";
    importerSansErreur(QStringLiteral("hydro-elab"), fichier(QStringLiteral("elab.csv.gz"), csv));
    QStringList debits = lignes("SELECT DateCreation, Debit, DebitMensuel FROM HYDRO_H5071010");
    debits.sort();
    // Une moyenne mensuelle se range au premier jour de son mois, quel que soit le jour donné ;
    // deux du même mois : la dernière l'emporte, et le bilan le dit ; une autre station au même jour n'est pas un doublon.
    EXPECT_EQ(debits, QStringList({"01/01/2020|12.345|15", "01/02/2020||9", "01/03/2020||7.5", "03/01/2020|0.8005|"}));
    EXPECT_EQ(m_bilan.doublons, 1);
    EXPECT_TRUE(m_bilan.texte().contains("(ligne 7 remplacée par la ligne 8)")) << m_bilan.texte().toStdString();
    EXPECT_EQ(lignes("SELECT Debit FROM HYDRO_A1234567"), QStringList{"0.005"});
    EXPECT_EQ(m_bilan.autresGrandeurs, 1);
    EXPECT_EQ(m_bilan.vides, 1);
    EXPECT_EQ(m_bilan.stationsCreees, 2);
    EXPECT_EQ(lignes("SELECT Code, Genre FROM STATIONS ORDER BY Code"), QStringList({"A1234567|hydro", "H5071010|hydro"}));
}

TEST_F(ImportArchiveTest, UneLigneFausseEtRienNEstEcritNiModifie)
{
    importerSansErreur(QStringLiteral("meteo-quotidien"),
                       fichier(QStringLiteral("avant.csv"), enteteMeteo + "\n76116001;ROUEN;0;0;151;20230101;1;1;;;;\n"));
    const QStringList stations = lignes("SELECT Code, Nom, Altitude FROM STATIONS");
    const QByteArray secret(300, 'Z');
    const QByteArray csv = enteteMeteo + "\n76116001;ROUEN;0;0;151;20230101;99;1;;;;\n"
                                         "27056003;EVREUX;0;0;133;20230101;1;1;;;;\n"
                                         "76116001;ROUEN;0;0;151;2023-01-02;1;1;;;;\n"
                                         "76116001;ROUEN;0;0;151;20230230;1;1;;;;\n"
                                         "76116001;ROUEN;0;0;151;20230103;" + secret + ";1;;;;\n"
                                         "76 116;ROUEN;0;0;151;20230104;1;1;;;;\n"
                                         "76116001;ROUEN;0;0\n"
                                         "76116001;ROUEN;0;0;151;20230105;1,5;1;;;;\n"
                                         "76116001;ROUEN;0;0;151;20230106;nan;1;;;;\n";
    QString erreur;
    EXPECT_FALSE(importer(QStringLiteral("meteo-quotidien"), fichier(QStringLiteral("faux.csv.gz"), csv), erreur));
    EXPECT_EQ(erreur.toStdString(),
              "6 ligne(s) incorrecte(s), rien n'a été importé : ligne 4 : date incorrecte « 2023-01-02 » (AAAAMMJJ attendue) ; "
              "ligne 5 : date incorrecte « 20230230 » (AAAAMMJJ attendue) ; ligne 6 : valeur incorrecte « "
              + QString(40, u'Z').toStdString() + "… (300 caractères) » dans la colonne RR ; ligne 7 : code de station refusé « 76 116 » "
              "(lettres, chiffres, « _ », « / », et « - » entre deux lettres ou chiffres) ; ligne 8 : ligne incomplète : 4 champ(s) au lieu d'au moins 8 ; et 1 autre(s).");
    EXPECT_EQ(lignes("SELECT DateCreation, Pluie FROM PLUVIO_76116001"), QStringList{"01/01/2023|1"});
    EXPECT_TRUE(base().ColonnesTable(QStringLiteral("PLUVIO_27056003")).isEmpty());
    EXPECT_EQ(lignes("SELECT Code, Nom, Altitude FROM STATIONS"), stations);

    // En-tête sans une colonne requise, fichier vide, en-tête seul, gzip tronqué : une ligne, rien d'écrit.
    const QString tronque = fichier(QStringLiteral("tronque.csv.gz"),
                                    enteteMeteo + "\n" + QByteArray("27056003;E;0;0;1;20230101;1;1;;;;\n").repeated(5000));
    ASSERT_TRUE(QFile::resize(tronque, QFile(tronque).size() - 40));
    const std::pair<QString, QString> cas[] = {
        {fichier(QStringLiteral("sans.csv"), "NUM_POSTE;AAAAMMJJ;QRR\n1;20230101;1\n"),
         "l'en-tête du fichier n'a pas la colonne « RR » : ce n'est pas un fichier meteo-quotidien (colonnes lues : NUM_POSTE, "
         "AAAAMMJJ, RR, NOM_USUEL, ALTI, QRR)."},
        {fichier(QStringLiteral("vide.csv.gz"), ""), "le fichier est vide."},
        {fichier(QStringLiteral("entete.csv"), enteteMeteo + "\r\n\r\n"), "aucune mesure à importer dans le fichier (2 ligne(s) lue(s), 0 valeur(s) vide(s))."},
        {tronque, "la lecture du fichier a échoué"},
    };
    for (const auto& [chemin, message] : cas) {
        EXPECT_FALSE(importer(QStringLiteral("meteo-quotidien"), chemin, erreur));
        EXPECT_TRUE(erreur.startsWith(message)) << erreur.toStdString();
        EXPECT_FALSE(erreur.contains(u'\n'));
    }
    EXPECT_TRUE(base().ColonnesTable(QStringLiteral("PLUVIO_27056003")).isEmpty());
    EXPECT_EQ(lignes("SELECT Code, Nom, Altitude FROM STATIONS"), stations);
}

} // namespace
