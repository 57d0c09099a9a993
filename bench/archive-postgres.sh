#!/usr/bin/env bash
# L'archive nationale simulée sur un serveur PostgreSQL, puis la mesure des
# graphiques tirés au hasard (bench_archive). La base de GRAPHIQUE_PG doit
# être vide ; avec le serveur jetable du projet :
#   bash scripts/postgresql-temporaire.sh bash bench/archive-postgres.sh
# Taille : PLUVIOS (1000), PREMIERE_ANNEE (1950), PIEZOS (200), ANNEES_PIEZO (20).
# Sur une machine partagée, tout tourne avec nice.
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${CONSTRUCTION:-build}"
: "${GRAPHIQUE_PG:?GRAPHIQUE_PG attendue (connexion au serveur)}"

debut=$(date +%s)
# Le calendrier, les normales et la liste des stations, comme pour tout utilisateur.
nice "$construction/apps/graphique/graphique" exemple --base "$GRAPHIQUE_PG"
nice psql "$GRAPHIQUE_PG" -q -v pluvios="${PLUVIOS:-1000}" -v premiere_annee="${PREMIERE_ANNEE:-1950}" \
  -v piezos="${PIEZOS:-200}" -v annees_piezo="${ANNEES_PIEZO:-20}" -f bench/archive_postgres.sql >/dev/null
echo "Archive faite en $(( $(date +%s) - debut )) s."

nice "$construction/bench/bench_archive" --tours 7
nice "$construction/bench/bench_archive" --tours 7 --tas-systeme
nice "$construction/bench/bench_archive" --clients 2 --graphiques 24
nice "$construction/bench/bench_archive" --clients 8 --graphiques 12
