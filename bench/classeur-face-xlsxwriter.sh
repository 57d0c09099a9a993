#!/usr/bin/env bash
# Le même classeur de 100 ans de pluie écrit par le nôtre (bench_classeur) puis
# par XlsxWriter (classeur_xlsxwriter.py), l'un après l'autre dans le même
# passage. GRAPHIQUE_BANC_BREF=1 : une seule répétition de chaque côté.
#   bash bench/classeur-face-xlsxwriter.sh
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${CONSTRUCTION:-build}"
"$construction/bench/bench_classeur"
# Le python du système, qui voit le paquet python3-xlsxwriter.
/usr/bin/python3 bench/classeur_xlsxwriter.py
