#pragma once

#include "data/OrdreSql.h"

#include <QString>
#include <QVariant>
#include <optional>

// Literals of dates, times and numbers in statement text, for the database
// kind named by the host main window's `typeBase`: "ACCESS", "POSTGRESQL" or
// "ORACLE". The kind is read again on every call.

QString TypeBaseCourant();

// "DD/MM/YYYY", optionally followed by " hh:nn:ss", as a literal of the kind:
// #MM/DD/YYYY# (Access), 'MM/DD/YYYY' (PostgreSQL), to_date(…) (Oracle).
// An invalid date or an unknown kind gives an empty text.
OrdreSql FormatDateBase(const QString& date, bool avecHeure = false);

// "hh:nn:ss" as a literal that compares equal to the stored time of the kind:
// #hh:nn:ss# (Access), the time on 30/12/1899 (PostgreSQL and Oracle).
OrdreSql FormatHeureBase(const QString& heure);

// A number typed or stored with either decimal mark: a double; an empty value
// gives the integer 0, or a null variant when `nulSiVide`. A text that is not a
// number gives nothing, which callers test.
std::optional<QVariant> ConvertirNombre(const QVariant& valeur, bool nulSiVide = false);

// Replaces every occurrence of `cherche` in `texte`, in place. An empty text or
// an empty searched text leaves it unchanged.
void RemplacerTexte(QVariant& texte, const QString& cherche, const QVariant& remplacement);
void RemplacerTexte(QString& texte, const QString& cherche, const QString& remplacement);
