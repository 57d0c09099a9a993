#include "output/bulletin/ColonnesSynthese.h"

#include "output/bulletin/TexteBulletin.h"

namespace ColonnesSynthese {

namespace {

using L = LigneBulletin;

ColonneSynthese texte(const char* entete, double page, std::function<QString(const L&)> t, bool classe = false)
{
    return {entete, page, std::move(t), {}, classe};
}

ColonneSynthese nombre(const char* entete, double page, std::function<std::optional<double>(const L&)> n,
                       bool rapport = false)
{
    auto t = [n, rapport](const L& l) { return rapport ? TexteBulletin::nombre(n(l), 0) : TexteBulletin::valeur(l, n(l)); };
    return {entete, page, t, std::move(n), false, rapport};
}

} // namespace

const std::vector<ColonneSynthese>& toutes()
{
    static const std::vector<ColonneSynthese> colonnes = {
            texte("Code", 64, [](const L& l) { return l.code; }),
            texte("Station", 112, [](const L& l) { return l.nom; }),
            texte("Genre", 66, [](const L& l) { return GenresStation::de(l.genre->genre).libelle; }),
            nombre("Valeur du mois", 44, [](const L& l) { return l.lue(l.valeur); }),
            texte("Unité", 58, [](const L& l) { return l.texteUnite(); }),
            nombre("Normale", 48, [](const L& l) { return l.lue(l.normale); }),
            nombre("Rapport à la normale (%)", 44, [](const L& l) { return l.rapport; }, true),
            texte("Rang", 36, [](const L& l) { return l.texteRang(); }),
            texte("Classe", 70, [](const L& l) { return l.texteClasse(); }, true),
            nombre("Cumul de l'année hydrologique", 68, [](const L& l) { return l.cumul; }),
            nombre("Normale cumulée", 50, [](const L& l) { return l.normaleCumulee; }),
            texte("Tendance", 50, [](const L& l) { return l.texteTendance(); }),
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
