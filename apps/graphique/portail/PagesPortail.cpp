#include "PagesPortail.h"

#include "DemandePortail.h"
#include "GabaritPage.h"
#include "PageErreur.h"

#include "commun/Dates.h"
#include "commun/TypeGraph.h"
#include "data/GenresStation.h"
#include "data/bulletin/BulletinMensuel.h"
#include "data/bulletin/GenreBulletin.h"
#include "output/bulletin/ColonnesSynthese.h"
#include "output/bulletin/CouleursClasses.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <map>

namespace PagesPortail {

QString sansAccents(const QString& texte)
{
    QString sortie;
    for (const QChar c : texte.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            sortie += c.isLetterOrNumber() ? c : QChar(u' ');
    return sortie.toCaseFolded().simplified();
}

bool correspond(const QString& texte, const QString& filtre)
{
    const QString cherche = sansAccents(filtre), dans = sansAccents(texte);
    for (const QString& mot : cherche.split(u' ', Qt::SkipEmptyParts))
        if (!dans.contains(mot))
            return false;
    return true;
}

namespace {

QString lienStation(const StationBase& s)
{
    const bool reference = GenresStation::est(s.genre, GenreStation::Genre::Reference);
    return QStringLiteral("/station/") + QString::fromLatin1(QUrl::toPercentEncoding(s.code))
        + (reference ? QStringLiteral("?genre=reference") : QString());
}

QString libelleGenre(const QString& genre)
{
    const auto g = GenresStation::depuisNom(genre);
    return g ? QString::fromUtf8(g->libelle) : genre;
}

QString texteDate(const QDate& date)
{
    return date.isValid() ? TexteDate(date) : QStringLiteral("—");
}

// Ce que le filtre lit d'une station : son code, son nom et son genre (« piézo » trouve les piézomètres).
QString texteCherche(const StationBase& s)
{
    return s.code + u' ' + s.nom + u' ' + libelleGenre(s.genre) + u' ' + s.genre;
}

QString ligneStation(const LigneStation& l)
{
    return QStringLiteral("<tr class=\"station\" data-nom=\"%1\"><td><a href=\"%2\">%3</a></td><td>%4</td><td>%5</td><td>%6</td></tr>\n")
        .arg(echappe(sansAccents(texteCherche(l.station))), echappe(lienStation(l.station)), echappe(l.station.code),
             echappe(l.station.nom), texteDate(l.premiere), texteDate(l.derniere));
}

} // namespace

QByteArray accueil(const QList<LigneStation>& stations, const QString& filtre)
{
    std::map<QString, QString> parGenre;
    for (const LigneStation& l : stations)
        if (correspond(texteCherche(l.station), filtre))
            parGenre[l.station.genre] += ligneStation(l);
    QString corps = QStringLiteral(
                        "<form id=\"recherche\" method=\"get\" action=\"/\"><label>Filtrer les stations "
                        "<input id=\"filtre\" name=\"filtre\" value=\"%1\" autocomplete=\"off\"></label> "
                        "<button>Filtrer</button></form>\n")
                        .arg(echappe(filtre));
    corps += QStringLiteral("<p class=\"vide\" id=\"aucune\"%1>Aucune station ne correspond.</p>\n").arg(parGenre.empty() ? QString() : QStringLiteral(" hidden"));
    for (const auto& [genre, lignes] : parGenre)
        corps += QStringLiteral("<section class=\"genre\" id=\"genre-%1\"><h2>%2</h2>\n<table><thead><tr><th>Code</th><th>Nom</th>"
                                "<th>Première mesure</th><th>Dernière mesure</th></tr></thead><tbody>\n%3</tbody></table></section>\n")
                     .arg(echappe(genre), echappe(libelleGenre(genre)), lignes);
    return gabaritPage(QStringLiteral("Stations"), corps);
}

namespace {

QString option(const QString& valeur, const QString& libelle, const QString& choisie)
{
    return QStringLiteral("<option value=\"%1\"%2>%3</option>").arg(echappe(valeur), valeur == choisie ? QStringLiteral(" selected") : QString(), echappe(libelle));
}

QString champ(const QString& nom, const QString& libelle, const QString& valeur, const QString& indication)
{
    return QStringLiteral("<label>%1 <input name=\"%2\" value=\"%3\" placeholder=\"%4\" size=\"10\"></label>\n")
        .arg(libelle, nom, echappe(valeur), indication);
}

// Les genres de graphique de la page : ceux dont la station est la station principale.
QString choixType(const DemandePortail& d)
{
    const auto genre = GenresStation::depuisNom(d.station().genre);
    QString options;
    for (const TraitsTypeGraph& t : TousLesTraits()) {
        const bool principale = genre && HoteGraphique::genrePrincipal(t.type) == genre->genre;
        const bool compagne = genre && HoteGraphique::genreDesAutres(t.type) == genre->genre && t.deuxGraphiques;
        if (t.type != TypeGraph::travail && (principale || compagne))
            options += option(QString::fromLatin1(t.nom), QString::fromUtf8(t.libelle), NomTypeGraph(d.demande().type));
    }
    return QStringLiteral("<label>Graphique <select name=\"type\">%1</select></label>\n").arg(options);
}

QString choixListe(const QString& nom, const QString& libelle, const QList<std::pair<QString, QString>>& choix, const QString& choisie)
{
    QString options;
    for (const auto& [valeur, texte] : choix)
        options += option(valeur, texte, choisie);
    return QStringLiteral("<label>%1 <select name=\"%2\">%3</select></label>\n").arg(libelle, nom, options);
}

// Les stations que le genre de graphique ajoute : cases à cocher, ou le pluviomètre d'une nappe.
QString choixCompagnes(const DemandePortail& d, const QList<StationBase>& stations)
{
    const HoteGraphique::Demande& demande = d.demande();
    const auto autres = HoteGraphique::genreDesAutres(demande.type);
    const bool pageCompagne = !GenresStation::est(d.station().genre, HoteGraphique::genrePrincipal(demande.type));
    QString cases, pluviometres;
    for (const StationBase& s : stations) {
        const QString texte = echappe(s.code + QStringLiteral(" — ") + s.nom);
        if (pageCompagne && GenresStation::est(s.genre, GenreStation::Genre::Pluvio))
            pluviometres += option(s.code, s.code + QStringLiteral(" — ") + s.nom, demande.station);
        else if (autres && GenresStation::est(s.genre, *autres) && s.code != d.station().code)
            cases += QStringLiteral("<label class=\"compagne\"><input type=\"checkbox\" name=\"stations\" value=\"%1\"%2> %3</label>\n")
                         .arg(echappe(s.code), demande.stations.contains(s.code) ? QStringLiteral(" checked") : QString(), texte);
    }
    QString html;
    if (pageCompagne)
        html += QStringLiteral("<label>Sous la pluie de <select name=\"pluviometre\">%1</select></label>\n").arg(pluviometres);
    if (!cases.isEmpty())
        html += QStringLiteral("<fieldset class=\"compagnes\"><legend>Stations ajoutées</legend>\n%1</fieldset>\n").arg(cases);
    return html;
}

using Choix = QList<std::pair<QString, QString>>;

// Les champs du temps : l'année et ses cumuls pour un graphique annuel, les dates sinon.
QString champsPeriode(const DemandePortail& d)
{
    static const Choix periodes = {{QStringLiteral("M"), QStringLiteral("Mois")},      {QStringLiteral("D"), QStringLiteral("Décade")},
                                   {QStringLiteral("T"), QStringLiteral("Trimestre")}, {QStringLiteral("A"), QStringLiteral("Année")},
                                   {QStringLiteral("H"), QStringLiteral("Année hydrologique")}, {QStringLiteral("S"), QStringLiteral("Jour")}};
    static const Choix variantes = {{QString(), QStringLiteral("aucun")},
                                    {QStringLiteral("CUMUL_ANNUEL"), QStringLiteral("cumul annuel")},
                                    {QStringLiteral("CUMUL_MENSUEL"), QStringLiteral("cumul mensuel")}};
    const QString temps = Traits(d.demande().type).annuel
        ? champ(QStringLiteral("annee"), QStringLiteral("Année"), d.valeur(QStringLiteral("annee")), QStringLiteral("AAAA"))
            + choixListe(QStringLiteral("variante"), QStringLiteral("Cumul de l'année"), variantes, d.valeur(QStringLiteral("variante")))
        : champ(QStringLiteral("debut"), QStringLiteral("Du"), d.valeur(QStringLiteral("debut")), QStringLiteral("JJ/MM/AAAA"))
            + champ(QStringLiteral("fin"), QStringLiteral("au"), d.valeur(QStringLiteral("fin")), QStringLiteral("JJ/MM/AAAA"));
    return temps + choixListe(QStringLiteral("periodes"), QStringLiteral("Par"), periodes, d.demande().periodes);
}

// L'allure, et les statistiques là où le graphique en trace (graphique annuel, comparaison à la normale).
QString champsAllure(const DemandePortail& d)
{
    static const Choix affichages = {{QString(), QStringLiteral("selon le graphique")}, {QStringLiteral("COURBE"), QStringLiteral("courbe")},
                                     {QStringLiteral("HISTO"), QStringLiteral("barres")}};
    static const Choix normales = {{QString(), QStringLiteral("choix retenu")}, {QStringLiteral("mediane"), QStringLiteral("médianes des mesures")},
                                   {QStringLiteral("officielles"), QStringLiteral("normales officielles")}};
    const bool cumul = !d.valeur(QStringLiteral("cumul")).isEmpty();
    QString html = QStringLiteral("<label><input type=\"checkbox\" name=\"cumul\" value=\"oui\"%1> Courbe cumulée</label>\n")
                       .arg(cumul ? QStringLiteral(" checked") : QString())
        + choixListe(QStringLiteral("affichage"), QStringLiteral("Affichage"), affichages, d.valeur(QStringLiteral("affichage")));
    if (Traits(d.demande().type).annuel || d.demande().type == TypeGraph::comparaisonNormale)
        html += choixListe(QStringLiteral("normales"), QStringLiteral("Comparaison aux"), normales, d.valeur(QStringLiteral("normales")))
            + champ(QStringLiteral("annees-statistiques"), QStringLiteral("Années des statistiques"),
                    d.valeur(QStringLiteral("annees-statistiques")), QStringLiteral("AAAA-AAAA"));
    return html;
}

// Les champs du genre de graphique choisi : un autre genre, choisi, redessine la page avec les siens.
QString formulaire(const DemandePortail& d, const QList<StationBase>& stations)
{
    const QString action = QStringLiteral("/station/") + QString::fromLatin1(QUrl::toPercentEncoding(d.station().code));
    QString html = QStringLiteral("<form id=\"demande\" method=\"get\" action=\"%1\">\n").arg(echappe(action));
    if (!d.valeur(QStringLiteral("genre")).isEmpty())
        html += QStringLiteral("<input type=\"hidden\" name=\"genre\" value=\"%1\">\n").arg(echappe(d.valeur(QStringLiteral("genre"))));
    return html + choixType(d) + choixCompagnes(d, stations) + champsPeriode(d) + champsAllure(d)
        + QStringLiteral("<button id=\"tracer\">Tracer</button>\n</form>\n");
}

// Les points tracés pour la lecture : un par colonne de pixels et par série suffit au pointeur.
QByteArray pointsEnJson(const CtlGraphique::LectureImage& l)
{
    QJsonArray points;
    std::map<std::pair<int, int>, bool> pris;
    for (const auto& p : l.points) {
        if (!pris.emplace(std::pair{p.serie, int(p.pixel.x())}, true).second)
            continue;
        points.append(QJsonArray{p.serie, qRound(p.pixel.x() * 10) / 10.0, qRound(p.pixel.y() * 10) / 10.0,
                                 p.date.isValid() ? TexteDate(p.date) : QString(), QLocale(QLocale::French).toString(p.valeur, 'f', 2), p.libelle});
    }
    QJsonObject o{{QStringLiteral("zone"), QJsonArray{l.zone.left(), l.zone.top(), l.zone.width(), l.zone.height()}},
                  {QStringLiteral("debut"), l.debut.isValid() ? TexteDate(l.debut) : QString()},
                  {QStringLiteral("fin"), l.fin.isValid() ? TexteDate(l.fin) : QString()},
                  {QStringLiteral("series"), QJsonArray::fromStringList(l.series)},
                  {QStringLiteral("points"), points}};
    // « </ » ne doit pas fermer l'élément script qui porte le texte.
    return QJsonDocument(o).toJson(QJsonDocument::Compact).replace("</", "<\\/");
}

QString telechargements(const DemandePortail& d)
{
    static const std::pair<const char*, const char*> formats[] = {
        {"png", "Image PNG"}, {"svg", "Image SVG"}, {"pdf", "PDF"}, {"xlsx", "Classeur"}, {"csv", "Séries (CSV)"}};
    QString liens;
    for (const auto& [extension, libelle] : formats)
        liens += QStringLiteral("<a id=\"telecharger-%1\" href=\"%2\" download>%3</a>\n")
                     .arg(QLatin1String(extension), echappe(d.adresse(QStringLiteral("/graphique.") + QLatin1String(extension))), QString::fromUtf8(libelle));
    return QStringLiteral("<nav id=\"telechargements\">Télécharger : %1</nav>\n").arg(liens);
}

QString graphique(const DemandePortail& d, const Trace& t)
{
    QString html;
    for (const QString& m : t.messages)
        html += QStringLiteral("<p class=\"avis\">%1</p>\n").arg(echappe(phrase(m)));
    if (!t.erreur.isEmpty())
        return html + QStringLiteral("<p class=\"erreur\">%1</p>\n").arg(echappe(phrase(t.erreur)));
    const QString svg = QString::fromUtf8(t.svg.mid(t.svg.indexOf("<svg")));
    html += QStringLiteral("<p class=\"lecture\">Lecture : <output id=\"lecture\" aria-live=\"polite\">pointez le graphique, "
                           "ou ← → au clavier</output></p>\n"
                           "<figure id=\"graphique\" tabindex=\"0\" aria-label=\"Graphique ; flèches : lecture point par point, "
                           "[ puis ] : zoom entre deux points, Début : toute la période\">\n%1</figure>\n"
                           "<p><a id=\"toute-periode\" href=\"%2\">Toute la période</a></p>\n"
                           "<script type=\"application/json\" id=\"points\">%3</script>\n")
                .arg(svg, echappe(d.sans({QStringLiteral("debut"), QStringLiteral("fin")}).adresse()),
                     QString::fromUtf8(pointsEnJson(t.lecture)));
    return html + telechargements(d);
}

} // namespace

QByteArray station(const DemandePortail& d, const QList<StationBase>& stations, const Trace& trace)
{
    const QString titre = libelleGenre(d.station().genre) + u' ' + d.station().code + QStringLiteral(" — ") + d.station().nom;
    return gabaritPage(titre, formulaire(d, stations) + graphique(d, trace));
}

QByteArray listeBulletins(const QList<QDate>& mois)
{
    if (mois.isEmpty())
        return gabaritPage(QStringLiteral("Bulletins"), QStringLiteral("<p class=\"vide\">Aucun mois n'a de mesures.</p>\n"));
    // Une année par ligne, ses mois à la suite : des siècles de mesures restent une page courte.
    QString annees;
    for (qsizetype i = 0; i < mois.size();) {
        const int annee = mois.at(i).year();
        QString liens;
        for (; i < mois.size() && mois.at(i).year() == annee; ++i)
            liens += QStringLiteral("<li><a href=\"/bulletin/%1\" title=\"%2\">%3</a></li>")
                         .arg(mois.at(i).toString(QStringLiteral("yyyy-MM")), echappe(BulletinMensuel::texteMois(mois.at(i))),
                              echappe(BulletinMensuel::texteMois(mois.at(i)).section(u' ', 0, 0)));
        annees += QStringLiteral("<h2>%1</h2>\n<ul class=\"mois\">%2</ul>\n").arg(annee).arg(liens);
    }
    return gabaritPage(QStringLiteral("Bulletins de situation"), QStringLiteral("<div id=\"mois\">\n%1</div>\n").arg(annees));
}

namespace {

QString celluleBulletin(const ColonneSynthese& c, const LigneBulletin& l)
{
    if (!c.classe || !l.classe)
        return QStringLiteral("<td>%1</td>").arg(echappe(c.texte(l)));
    return QStringLiteral("<td class=\"classe\" style=\"background:%1;color:%2\">%3</td>")
        .arg(CouleursClasses::fond(*l.classe).name(), CouleursClasses::texte(*l.classe).name(), echappe(c.texte(l)));
}

// Les cinq classes de chaque genre du bulletin, dans leurs couleurs, et ce que dit le rang.
QString legendeClasses(const BulletinMensuel& b)
{
    QList<const GenreBulletin*> genres;
    for (const LigneBulletin& l : b.lignes)
        if (l.genre && !genres.contains(l.genre))
            genres << l.genre;
    QString lignes;
    for (const GenreBulletin* g : genres) {
        QString cases;
        for (int classe = 0; classe < 5; ++classe)
            cases += QStringLiteral("<span class=\"classe\" style=\"background:%1;color:%2\">%3</span> ")
                         .arg(CouleursClasses::fond(classe).name(), CouleursClasses::texte(classe).name(), echappe(g->libelleClasse(classe)));
        lignes += QStringLiteral("<li>%1 : %2</li>\n").arg(echappe(g->texteGrandeur()), cases);
    }
    return QStringLiteral("<ul id=\"legende\">\n%1</ul>\n<p class=\"aide\">Rang : la place du mois parmi le même mois "
                          "des années complètes du relevé de la station, 1 pour la valeur la plus basse ; la classe "
                          "vient des quintiles de ces mêmes années.</p>\n")
        .arg(lignes);
}

} // namespace

QByteArray bulletin(const BulletinMensuel& b, std::optional<QDate> precedent, std::optional<QDate> suivant)
{
    QString entetes, lignes;
    for (const ColonneSynthese& c : ColonnesSynthese::toutes())
        entetes += QStringLiteral("<th>%1</th>").arg(echappe(c.titre()));
    for (const LigneBulletin& l : b.lignes) {
        lignes += QStringLiteral("<tr>");
        for (const ColonneSynthese& c : ColonnesSynthese::toutes())
            lignes += celluleBulletin(c, l);
        lignes += QStringLiteral("</tr>\n");
    }
    const QString mois = b.mois.toString(QStringLiteral("yyyy-MM"));
    // Les mois voisins qui ont des mesures, seulement : un lien ne mène pas à un refus.
    QString voisins;
    for (const auto& [voisin, id, fleche] : {std::tuple{precedent, "mois-precedent", "← %1"}, {suivant, "mois-suivant", "%1 →"}})
        if (voisin)
            voisins += QStringLiteral("<a id=\"%1\" href=\"/bulletin/%2\">%3</a> ")
                           .arg(QLatin1String(id), voisin->toString(QStringLiteral("yyyy-MM")),
                                QString::fromUtf8(fleche).arg(echappe(BulletinMensuel::texteMois(*voisin))));
    voisins = QStringLiteral("<nav id=\"voisins\">%1</nav>\n").arg(voisins);
    const QString corps = voisins + legendeClasses(b) + QStringLiteral("<table id=\"synthese\"><thead><tr>%1</tr></thead><tbody>\n%2</tbody></table>\n"
                                         "<nav id=\"telechargements\">Télécharger : <a id=\"telecharger-pdf\" href=\"/bulletin/%3/bulletin.pdf\" download>PDF</a>\n"
                                         "<a id=\"telecharger-xlsx\" href=\"/bulletin/%3/bulletin.xlsx\" download>Classeur</a></nav>\n")
                              .arg(entetes, lignes, mois);
    return gabaritPage(b.titre(), corps);
}

} // namespace PagesPortail
