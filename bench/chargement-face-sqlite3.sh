#!/usr/bin/env bash
# Deux chargements de bout en bout, chacun face à ce qui le borne, en
# alternance dans le même passage ; temps écoulé et mémoire au plus haut du
# programme entier (/usr/bin/time), médianes :
#  - la pluie sur un piézomètre horaire (30 ans, « graphique tracer ») face à
#    l'outil sqlite3 qui passe les mêmes ordres, traduits, avec nos fonctions
#    acces_* chargées (« .load ») ; la mémoire par ligne est celle qui s'ajoute
#    au même graphique sur un mois ;
#  - le classeur de 100 ans de pluie journalière (« graphique exporter ») face
#    à XlsxWriter qui écrit le même classeur (mêmes pluies), et ses seuls
#    ordres passés par l'outil sqlite3 ; la mémoire de chaque côté aussi
#    au-dessus de son plancher (un formulaire Qt Widgets vide, Python qui
#    charge XlsxWriter).
# GRAPHIQUE_BANC_BREF=1 : un an de mesures horaires, un seul passage.
# AVANT=autre/construction : ses deux chargements aussi, dans chaque passage.
#   bash bench/chargement-face-sqlite3.sh [passages]
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${CONSTRUCTION:-build}"
G="$construction/apps/graphique/graphique"
extension="$(cd "$construction/bench" && pwd)/libextension_acces"
annees=30 passages="${1:-7}"
if [ -n "${GRAPHIQUE_BANC_BREF:-}" ] && [ "${GRAPHIQUE_BANC_BREF}" != 0 ]; then
  annees=1 passages=1
fi
command -v sqlite3 >/dev/null || { echo "outil sqlite3 absent : scripts/installer-paquets.sh l'installe." >&2; exit 1; }
dossier=$(mktemp -d "${TMPDIR:-/tmp}/graphique-chargement.XXXXXX")
trap 'rm -rf "$dossier"' EXIT

# Les mêmes pluies que XlsxWriter écrit ; la nappe, une marche au hasard reproductible.
/usr/bin/python3 bench/classeur_xlsxwriter.py --csv "$dossier/pluie.csv"
/usr/bin/python3 bench/nappe_horaire.py "$dossier/nappe.csv" "$annees"
base="$dossier/b.db"
"$G" importer --base "$base" --station 76001 --genre pluvio --csv "$dossier/pluie.csv" --nom Centenaire >/dev/null
"$G" importer --base "$base" --station PZ1 --genre piezo --csv "$dossier/nappe.csv" --nom "Forage horaire" >/dev/null
lignes=$(wc -l < "$dossier/nappe.csv")

debut="01/01/$((2025 - annees))"
nappe=(tracer --base "$base" --type PluvioPiezo --station 76001 --stations PZ1 --fin 31/12/2024 --sortie "$dossier/n.png")
classeur=(exporter --base "$base" --type edition --station 76001 --periodes S --debut 01/01/1925 --fin 31/12/2024 --sortie "$dossier/c.xlsx")
# Les ordres traduits de chaque chargement, tels que la trace "graphique.sql" les montre.
ordres() { QT_LOGGING_RULES="graphique.sql.debug=true" "$G" "$@" 2>&1 | sed -n 's/^traduit : \(.*\)$/\1;/p'; }
ordres "${nappe[@]}" --debut "$debut" > "$dossier/ordres.sql"
ordres "${classeur[@]}" > "$dossier/ordres-classeur.sql"

# Une mesure : « secondes Kio » du programme entier.
mesurer() {
  /usr/bin/time -f "%e %M" -o "$dossier/temps" "$@" >/dev/null 2>"$dossier/erreurs" || { cat "$dossier/erreurs" >&2; exit 1; }
  cat "$dossier/temps"
}
for ((i = 0; i < passages; i++)); do
  echo "tracer $(mesurer "$G" "${nappe[@]}" --debut "$debut")" >> "$dossier/mesures"
  echo "sqlite3 $(mesurer sqlite3 -bail "$base" ".load $extension" ".read $dossier/ordres.sql")" >> "$dossier/mesures"
  echo "tracer-mois $(mesurer "$G" "${nappe[@]}" --debut 01/12/2024)" >> "$dossier/mesures"
  echo "exporter $(mesurer "$G" "${classeur[@]}")" >> "$dossier/mesures"
  echo "xlsxwriter $(mesurer /usr/bin/python3 bench/classeur_xlsxwriter.py --ecrire "$dossier/x.xlsx")" >> "$dossier/mesures"
  echo "sqlite3-classeur $(mesurer sqlite3 -bail "$base" ".load $extension" ".read $dossier/ordres-classeur.sql")" >> "$dossier/mesures"
  # Les planchers de chaque côté, avant toute donnée : Qt Widgets seul, Python avec XlsxWriter.
  echo "plancher-qt $(QT_QPA_PLATFORM=offscreen mesurer "$construction/bench/plancher_qt")" >> "$dossier/mesures"
  echo "plancher-python $(mesurer /usr/bin/python3 -c 'import xlsxwriter')" >> "$dossier/mesures"
  if [ -n "${AVANT:-}" ]; then
    echo "tracer-avant $(mesurer "$AVANT/apps/graphique/graphique" "${nappe[@]}" --debut "$debut")" >> "$dossier/mesures"
    echo "exporter-avant $(mesurer "$AVANT/apps/graphique/graphique" "${classeur[@]}")" >> "$dossier/mesures"
  fi
done

mediane() { awk -v q="$1" -v c="$2" '$1 == q { print $c }' "$dossier/mesures" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for q in tracer sqlite3 tracer-mois exporter xlsxwriter sqlite3-classeur plancher-qt plancher-python ${AVANT:+tracer-avant exporter-avant}; do
  printf '%-16s %6.2f s %8d Kio   (passages : %s)\n' "$q" "$(mediane $q 2)" "$(mediane $q 3)" \
    "$(awk -v q=$q '$1 == q { printf "%s s/%s Kio  ", $2, $3 }' "$dossier/mesures")"
done
echo "nappe : $lignes lignes ; tracer / sqlite3 = $(awk -v a="$(mediane tracer 2)" -v b="$(mediane sqlite3 2)" 'BEGIN { printf "%.2f", a / b }')" \
  "; octets par ligne au plus haut = $(awk -v a="$(mediane tracer 3)" -v b="$(mediane tracer-mois 3)" -v n="$lignes" 'BEGIN { printf "%.0f", (a - b) * 1024 / n }')"
echo "classeur : XlsxWriter / exporter = $(awk -v a="$(mediane xlsxwriter 2)" -v b="$(mediane exporter 2)" 'BEGIN { printf "%.2f", a / b }')" \
  "; mémoire exporter / XlsxWriter = $(awk -v a="$(mediane exporter 3)" -v b="$(mediane xlsxwriter 3)" 'BEGIN { printf "%.2f", a / b }')" \
  "; XlsxWriter / ses seuls ordres (sqlite3) = $(awk -v a="$(mediane xlsxwriter 2)" -v b="$(mediane sqlite3-classeur 2)" 'BEGIN { printf "%.2f", a / b }')"
echo "mémoire au-dessus de son plancher : exporter $(( ($(mediane exporter 3) - $(mediane plancher-qt 3)) / 1024 )) Mo" \
  "(plancher Qt $(( $(mediane plancher-qt 3) / 1024 )) Mo) ; XlsxWriter $(( ($(mediane xlsxwriter 3) - $(mediane plancher-python 3)) / 1024 )) Mo" \
  "(plancher Python $(( $(mediane plancher-python 3) / 1024 )) Mo)"
