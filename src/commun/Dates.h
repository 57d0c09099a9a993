#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

// Les dates telles que les ordres, les hôtes et les bases les échangent (texte
// « JJ/MM/AAAA », jour zéro au 30/12/1899). Les instants sont des QDateTime en UTC :
// un écart ne traverse ainsi jamais de changement d'heure.

enum class Intervalle { Annee, Trimestre, Mois, Jour, Heure, Minute, Seconde };

// Lectures strictes : "DD/MM/YYYY", "hh:nn:ss", et "DD/MM/YYYY" suivi ou non
// de " hh:nn:ss". Tout autre texte, ou une date impossible, ne donne rien.
std::optional<QDate> LireDate(const QString& texte);
std::optional<QTime> LireHeure(const QString& texte);
std::optional<QDateTime> LireDateHeure(const QString& texte);
// Une cellule contenant une date, ou un texte de date comme ci-dessus.
std::optional<QDateTime> DateDepuisCellule(const QVariant& cellule);
// "YYYY-MM-DD", suivi ou non de " hh:mm:ss" (ou "Thh:mm:ss"), comme les moteurs rendent leurs dates.
std::optional<QDateTime> LireDateHeureIso(const QString& texte);
// L'heure d'une cellule lue d'une table : d'une date et heure (valeur, texte ISO ou
// "DD/MM/YYYY hh:nn:ss"), d'une heure seule, ou d'un texte "hh:nn:ss" ; minuit sinon.
QTime HeureDepuisCellule(const QVariant& cellule);
bool EstDate(const QVariant& cellule);

// Ce qu'une personne tape dans un champ : jour, mois et année séparés par "/", ".", "-",
// "," ou des blancs ("15/06/2020", "15/6/2020", "15-06-2020"), le mois en chiffres ou en
// lettres ("15 juin 2020"), ou des chiffres seuls ("15062020", "150620"). Une année de deux
// chiffres est prise dans les cent ans qui finissent dix ans après `anneeCourante` : en 2025,
// "20" est 2020, "35" 2035 et "36" 1936. Une date impossible ne donne rien.
std::optional<QDate> LireDateSaisie(const QString& texte, int anneeCourante);
// Un mois tapé de même : "03/2023", "3/23", "032023", "mars 2023", "Fév. 2023" (un début de
// nom de trois lettres au moins qui ne désigne qu'un mois) ; rend le premier du mois.
std::optional<QDate> LireMoisSaisi(const QString& texte, int anneeCourante);

QDateTime DateHeure(const QDate& date, const QTime& heure = QTime(0, 0));
// La date d'un texte "DD/MM/YYYY" jointe à l'heure d'un texte "hh:nn:ss" ;
// une heure illisible compte pour minuit.
std::optional<QDateTime> DateEtHeure(const QVariant& date, const QVariant& heure);

// Frontières franchies de d1 à d2 : le 1er janvier pour les années, le premier
// du mois pour les mois, minuit pour les jours, etc. Négatif quand d2 précède d1.
qint64 DateDiff(Intervalle intervalle, const QDateTime& d1, const QDateTime& d2);
qint64 DateDiff(Intervalle intervalle, const QDate& d1, const QDate& d2);

// Le décalage est d'abord arrondi à l'entier, moitiés au pair. Un pas de mois
// ou d'année qui tombe après la fin d'un mois s'arrête sur son dernier jour.
QDateTime DateAdd(Intervalle intervalle, double nombre, const QDateTime& d);
QDate DateAdd(Intervalle intervalle, double nombre, const QDate& d);

// Motif de date de Format, lettres en majuscules ou minuscules :
// d dd ddd dddd, m mm mmm mmmm (minutes après une heure ou avant des secondes),
// yy yyyy, q, h hh, n nn, s ss ; les autres caractères s'écrivent tels quels,
// "..." entoure un texte littéral.
QString FormatDate(const QDateTime& d, const QString& motif);
QString FormatDate(const QDate& d, const QString& motif);

// Conversion d'un texte en date (CVDate, CDate, DateValue des ordres) :
// "D/M/YYYY" lu jour d'abord, mois d'abord quand la lecture jour d'abord est
// impossible, suivi ou non de "h:nn" ou "h:nn:ss" ; une heure seule tombe le
// 30/12/1899 ; "YYYY-MM-DD" se lit aussi. Les blancs autour sont ignorés.
std::optional<QDateTime> ConvertirEnDate(const QString& texte);
// Le jour 0 des dates, le 30/12/1899, où tombe une heure seule.
QDate JourZero();
// Le texte d'une valeur date : l'heure seule le 30/12/1899,
// la date seule à minuit, sinon "DD/MM/YYYY hh:nn:ss".
QString TexteDateHeure(const QDateTime& d);

QString TexteDate(const QDate& d);   // "DD/MM/YYYY"
QString TexteHeure(const QTime& t);  // "hh:nn:ss"

// Libellés de mois de l'axe du temps : "Jan", "Fev", …, "Jui" pour juin comme pour juillet, … "Dec".
QString MoisAbrege(int mois);
// Noms de mois des totaux mensuels : "Janvier", "Février", …, "Aout", … "Décembre".
QString NomMois(int mois);
// Un jour comme on l'écrit dans une phrase : "7 décembre", "1er octobre", avec l'année sur demande.
QString JourEnLettres(const QDate& jour, bool avecAnnee = false);
