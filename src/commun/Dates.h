#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

// Date rules of the original runtime. Instants are QDateTime in UTC, so that
// differences never see a daylight-saving shift.

enum class Intervalle { Annee, Trimestre, Mois, Jour, Heure, Minute, Seconde };

// Strict readings: "DD/MM/YYYY", "hh:nn:ss", and "DD/MM/YYYY" optionally
// followed by " hh:nn:ss". Anything else, or an impossible date, gives nothing.
std::optional<QDate> LireDate(const QString& texte);
std::optional<QTime> LireHeure(const QString& texte);
std::optional<QDateTime> LireDateHeure(const QString& texte);
// A cell holding a date value or a date text as above.
std::optional<QDateTime> DateDepuisCellule(const QVariant& cellule);
bool EstDate(const QVariant& cellule);

QDateTime DateHeure(const QDate& date, const QTime& heure = QTime(0, 0));
// The date of a "DD/MM/YYYY" text joined to a "hh:nn:ss" text; a time that is
// not one is taken as midnight.
std::optional<QDateTime> DateEtHeure(const QVariant& date, const QVariant& heure);

// Boundaries crossed from d1 to d2: 1 January for years, the first of a month
// for months, midnight for days, and so on. Negative when d2 is earlier.
qint64 DateDiff(Intervalle intervalle, const QDateTime& d1, const QDateTime& d2);
qint64 DateDiff(Intervalle intervalle, const QDate& d1, const QDate& d2);

// The offset is first rounded to a whole number, halves to even. A month or
// year step that lands past the end of a month stops on its last day.
QDateTime DateAdd(Intervalle intervalle, double nombre, const QDateTime& d);
QDate DateAdd(Intervalle intervalle, double nombre, const QDate& d);

// Date pattern of the runtime's Format, letters in either case: d dd ddd dddd,
// m mm mmm mmmm (minutes after an hour or before seconds), yy yyyy, q, h hh,
// n nn, s ss; other characters are printed as written, "..." quotes text.
QString FormatDate(const QDateTime& d, const QString& motif);
QString FormatDate(const QDate& d, const QString& motif);

// Conversion d'un texte en date du runtime (CVDate, CDate, DateValue) :
// "D/M/YYYY" lu jour d'abord, mois d'abord quand la lecture jour d'abord est
// impossible, suivi ou non de "h:nn" ou "h:nn:ss" ; une heure seule tombe le
// 30/12/1899 ; "YYYY-MM-DD" se lit aussi. Les blancs autour sont ignorés.
std::optional<QDateTime> ConvertirEnDate(const QString& texte);
// Le jour 0 des dates du runtime, où tombe une heure seule.
QDate JourZero();
// Le texte d'une valeur date dans le runtime : l'heure seule le 30/12/1899,
// la date seule à minuit, sinon "DD/MM/YYYY hh:nn:ss".
QString TexteDateHeure(const QDateTime& d);

QString TexteDate(const QDate& d);   // "DD/MM/YYYY"
QString TexteHeure(const QTime& t);  // "hh:nn:ss"

// Month labels of the time axis: "Jan", "Fev", …, "Jui" for June and July, … "Dec".
QString MoisAbrege(int mois);
// Month names of the monthly totals: "Janvier", "Février", …, "Aout", … "Décembre".
QString NomMois(int mois);
