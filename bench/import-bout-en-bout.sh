#!/usr/bin/env bash
# Les trois fichiers publics inventés par generer_archives (climatologie
# quotidienne, chroniques piézométriques, hydrométrie élaborée), importés de
# bout en bout dans une base SQLite neuve par « graphique importer » : temps
# écoulé et mémoire du programme entier. Tailles par défaut du générateur
# (150 postes sur 75 ans) ; GRAPHIQUE_BANC_BREF=1 : 2 postes sur 1 an.
#   bash bench/import-bout-en-bout.sh
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${CONSTRUCTION:-build}"
taille=()
if [ -n "${GRAPHIQUE_BANC_BREF:-}" ] && [ "${GRAPHIQUE_BANC_BREF}" != 0 ]; then
  taille=(2 1)
fi
dossier=$(mktemp -d "${TMPDIR:-/tmp}/graphique-import.XXXXXX")
trap 'rm -rf "$dossier"' EXIT
for genre in meteo:meteo-quotidien piezo:piezo-chroniques hydro:hydro-elab; do
  fichier="$dossier/${genre%%:*}.csv.gz"
  "$construction/bench/generer_archives" "${genre%%:*}" "$fichier" "${taille[@]}"
  debut=$(date +%s%N)
  "$construction/apps/graphique/graphique" importer --base "$dossier/b.db" --format "${genre#*:}" --csv "$fichier"
  echo "${genre#*:} : importé en $(( ($(date +%s%N) - debut) / 1000000 )) ms"
done
