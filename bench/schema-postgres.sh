#!/usr/bin/env bash
# Lance une commande dans un schéma neuf du serveur de GRAPHIQUE_PG, effacé
# ensuite : une mesure passée avec les tests ne se mêle ni aux autres mesures
# ni aux tests qui tournent en même temps sur le même serveur.
#   bash bench/schema-postgres.sh commande [arguments…]
set -euo pipefail
: "${GRAPHIQUE_PG:?GRAPHIQUE_PG attendue : scripts/postgresql-temporaire.sh lance un serveur}"
schema="mesure_$$_$RANDOM"
psql "$GRAPHIQUE_PG" -q -c "CREATE SCHEMA $schema"
trap 'psql "$GRAPHIQUE_PG" -q -c "DROP SCHEMA $schema CASCADE" >/dev/null 2>&1 || true' EXIT
GRAPHIQUE_PG="$GRAPHIQUE_PG options='-c search_path=$schema'" "$@"
