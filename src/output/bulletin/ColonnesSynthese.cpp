#include "output/bulletin/ColonnesSynthese.h"

#include "output/bulletin/TexteBulletin.h"

namespace ColonnesSynthese {

namespace {

using L = LigneBulletin;

ColonneSynthese texte(const char* entete, double page, double classeur, std::function<QString(const L&)> t, bool classe = false)
{
    return {entete, page, classeur, std::move(t), {}, classe};
}

ColonneSynthese nombre(const char* entete, double page, double classeur, std::function<std::optional<double>(const L&)> n,
                       bool rapport = false)
{
    auto t = [n, rapport](const L& l) { return rapport ? TexteBulletin::nombre(n(l), 0) : TexteBulletin::valeur(l, n(l)); };
    return {entete, page, classeur, t, std::move(n), false, rapport};
}

} // namespace

const std::vector<ColonneSynthese>& toutes()
{
    static const std::vector<ColonneSynthese> colonnes = {
            texte("Code", 66, 12, [](const L& l) { return l.code; }),
            texte("Station", 112, 34, [](const L& l) { return l.nom; }),
            texte("Genre", 60, 22, [](const L& l) { return GenresStation::de(l.genre->genre).libelle; }),
            nombre("Valeur du mois", 44, 10, [](const L& l) { return l.valeur; }),
            texte("Unité", 28, 7, [](const L& l) { return l.genre->texteUnite(); }),
            nombre("Normale", 44, 10, [](const L& l) { return l.normale; }),
            nombre("Rapport à la normale (%)", 44, 12, [](const L& l) { return l.rapport; }, true),
            texte("Rang", 36, 8, [](const L& l) { return l.texteRang(); }),
            texte("Classe", 96, 20, [](const L& l) { return l.texteClasse(); }, true),
            nombre("Cumul de l'année hydrologique", 62, 14, [](const L& l) { return l.cumul; }),
            nombre("Normale cumulée", 50, 12, [](const L& l) { return l.normaleCumulee; }),
            texte("Tendance", 50, 10, [](const L& l) { return l.texteTendance(); }),
    };
    return colonnes;
}

QString format(const ColonneSynthese& c, const LigneBulletin& l)
{
    if (c.pourcent)
        return QStringLiteral("0");
    return l.genre->decimales ? QStringLiteral("0.") + QString(l.genre->decimales, u'0') : QStringLiteral("0");
}

} // namespace ColonnesSynthese
