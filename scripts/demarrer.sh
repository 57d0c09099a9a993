#!/usr/bin/env bash
# Main job: installs what is missing, builds, and shows what the component does today.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-paquets.sh
bash scripts/construire.sh
programme=build/apps/graphique/graphique

echo
echo "== graphique --aide"
"$programme" --aide
echo
echo "== Options d'affichage d'un nouveau graphique (paramètres de l'utilisateur, écrits la première fois)"
"$programme" options --projet KOR
echo
echo "== Littéraux de date et d'heure envoyés à chaque type de base"
"$programme" litteraux --date 05/03/2004 --heure 08:30:00
echo
echo "== Une date impossible est refusée (code de sortie 2)"
"$programme" litteraux --date 31/02/2024 || echo "(code de sortie $?)"
