#pragma once

// Les demandes que les essais d'enchaînement tracent l'une après l'autre sur la
// base d'exemple, et la comparaison de deux écrans au pixel.
#include "control/HoteGraphique.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <algorithm>

struct Requete
{
    QString nom;
    HoteGraphique::Demande demande;
};

inline HoteGraphique::Demande demandeDe(TypeGraph type, const QString& station, const QString& periodes, QDate debut, QDate fin,
                                 const QStringList& autres = {}, const QString& variante = {})
{
    HoteGraphique::Demande d;
    d.type = type;
    d.station = station;
    d.stations = autres;
    d.periodes = periodes;
    d.variante = variante;
    d.debut = debut;
    d.fin = fin;
    d.annee = 2023;
    d.affichage = HoteGraphique::affichageParDefaut(type, variante);
    return d;
}

// Chaque genre, avec des périodes de regroupement, des étendues et des variantes différentes.
inline QList<Requete> requetes()
{
    using T = TypeGraph;
    const QStringList piezos{"00754X0012", "00755X0031"};
    return {
        {"edition M", demandeDe(T::edition, "76402001", "M", {2021, 10, 1}, {2023, 9, 30})},
        {"edition D court", demandeDe(T::edition, "27403001", "D", {2023, 10, 1}, {2024, 3, 31})},
        {"edition A long", demandeDe(T::edition, "76402001", "A", {2000, 1, 1}, {2024, 12, 31})},
        {"edition S", demandeDe(T::edition, "76402001", "S", {2023, 1, 1}, {2023, 3, 31})},
        {"edition H", demandeDe(T::edition, "76402001", "H", {2019, 10, 1}, {2023, 9, 30})},
        {"edition T", demandeDe(T::edition, "76401001", "T", {2020, 1, 1}, {2023, 12, 31})},
        {"annuaire", demandeDe(T::annuaire, "76402001", "A", {}, {})},
        {"Annee", demandeDe(T::Annee, "76402001", "M", {}, {})},
        {"Annee CUMUL_ANNUEL", demandeDe(T::Annee, "76402001", "M", {}, {}, {}, "CUMUL_ANNUEL")},
        {"Annee CUMUL_MENSUEL", demandeDe(T::Annee, "76402001", "A", {}, {}, {}, "CUMUL_MENSUEL")},
        {"Annee H", demandeDe(T::Annee, "76401001", "H", {}, {})},
        {"travail", demandeDe(T::travail, "27403001", "D", {2023, 10, 1}, {2024, 3, 31})},
        {"Superposition", demandeDe(T::Superposition, "76401001", "A", {2000, 1, 1}, {2024, 12, 31}, {"76402001", "27403001"})},
        {"Superposition courte", demandeDe(T::Superposition, "76402001", "S", {2023, 3, 1}, {2023, 3, 31}, {"27403001"})},
        {"PluvioPiezo", demandeDe(T::PluvioPiezo, "76402001", "M", {2015, 1, 1}, {2024, 12, 31}, piezos)},
        {"PluvioPiezo mois", demandeDe(T::PluvioPiezo, "76402001", "S", {2023, 2, 1}, {2023, 2, 28}, {"00755X0031"})},
        {"PluvioStation", demandeDe(T::PluvioStation, "76402001", "D", {2023, 1, 1}, {2023, 12, 31}, {"H8043310"})},
        {"reference", demandeDe(T::reference, "76401001", "M", {}, {})},
        {"comparaisonNormale", demandeDe(T::comparaisonNormale, "76402001", "M", {2022, 1, 1}, {2023, 12, 31})},
        {"comparaisonNormale A", demandeDe(T::comparaisonNormale, "76401001", "A", {2010, 1, 1}, {2023, 12, 31})},
    };
}

// Sous les sanitiseurs, chaque tracé coûte dix fois plus : une demande par genre suffit à
// parcourir tout le code, toutes les demandes restent pour la construction ordinaire.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool sousSanitiseurs = true;
#elif defined(__has_feature)
constexpr bool sousSanitiseurs = __has_feature(address_sanitizer);
#else
constexpr bool sousSanitiseurs = false;
#endif

inline QList<Requete> requetesAEnchainer()
{
    QList<Requete> toutes = requetes(), une;
    if (!sousSanitiseurs)
        return toutes;
    for (const Requete& q : toutes)
        if (std::none_of(une.begin(), une.end(), [&](const Requete& u) { return u.demande.type == q.demande.type; }))
            une << q;
    return une;
}

struct Difference
{
    int pixels = 0;
    QRect zone;
};

inline Difference comparer(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return {a.width() * a.height() + 1, a.rect()};
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (la[x] != lb[x]) {
                ++d.pixels;
                d.zone |= QRect(x, y, 1, 1);
            }
    }
    return d;
}
