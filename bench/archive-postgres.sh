#!/usr/bin/env bash
# L'archive nationale simulée sur un serveur PostgreSQL, puis la mesure des
# graphiques tirés au hasard (bench_archive). La base de GRAPHIQUE_PG doit
# être vide ; avec le serveur jetable du projet :
#   bash scripts/postgresql-temporaire.sh bash bench/archive-postgres.sh
# Taille : PLUVIOS (1000), PREMIERE_ANNEE (1950), PIEZOS (200), ANNEES_PIEZO (20).
# GRAPHIQUE_BANC_BREF=1 : passage bref (3 pluviomètres sur 2 ans, 2 piézomètres
# sur 1 an, un graphique de chaque genre, 2 clients d'un graphique).
# Sur une machine partagée, tout tourne avec nice.
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${CONSTRUCTION:-build}"
: "${GRAPHIQUE_PG:?GRAPHIQUE_PG attendue (connexion au serveur)}"

tours=7 clients=(8 12)
if [ -n "${GRAPHIQUE_BANC_BREF:-}" ] && [ "${GRAPHIQUE_BANC_BREF}" != 0 ]; then
  : "${PLUVIOS:=3}" "${PREMIERE_ANNEE:=2023}" "${PIEZOS:=2}" "${ANNEES_PIEZO:=1}"
  tours=1 clients=(2 1)
fi

debut=$(date +%s)
# Le calendrier, les normales et la liste des stations, comme pour tout utilisateur.
nice "$construction/apps/graphique/graphique" exemple --base "$GRAPHIQUE_PG"
nice psql "$GRAPHIQUE_PG" -q -v pluvios="${PLUVIOS:-1000}" -v premiere_annee="${PREMIERE_ANNEE:-1950}" \
  -v piezos="${PIEZOS:-200}" -v annees_piezo="${ANNEES_PIEZO:-20}" -f bench/archive_postgres.sql >/dev/null
echo "Archive faite en $(( $(date +%s) - debut )) s."

nice "$construction/bench/bench_archive" --tours "$tours"
nice "$construction/bench/bench_archive" --tours "$tours" --tas-systeme
if [ "$tours" -gt 1 ]; then
  nice "$construction/bench/bench_archive" --clients 2 --graphiques 24
fi
nice "$construction/bench/bench_archive" --clients "${clients[0]}" --graphiques "${clients[1]}"
