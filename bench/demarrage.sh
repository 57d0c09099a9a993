#!/usr/bin/env bash
# Démarrage du programme en ligne de commande : médiane du temps écoulé de
# « graphique version » et de « graphique --aide » sur 20 passages (10 avec
# GRAPHIQUE_BANC_BREF=1), et le nombre de bibliothèques partagées chargées,
# puis celles d'un graphique sur un fichier SQLite, où libpq ne doit pas être.
# Échoue si une médiane dépasse SEUIL_MS (40 ms par défaut : large, pour
# qu'une machine chargée ne fasse pas échouer à tort).
#   bash bench/demarrage.sh [PROGRAMME]
set -euo pipefail
cd "$(dirname "$0")/.."
programme="${1:-${CONSTRUCTION:-build}/apps/graphique/graphique}"
seuil="${SEUIL_MS:-40}"
fois=20
if [ -n "${GRAPHIQUE_BANC_BREF:-}" ] && [ "${GRAPHIQUE_BANC_BREF}" != 0 ]; then
  fois=10
fi

# Médiane en dixièmes de ms du temps écoulé de la commande, lancée $fois fois.
mediane() {
  local i debut temps=()
  # EPOCHREALTIME (en µs, sans lancer de processus) : seul le programme est compté.
  for ((i = 0; i < fois; i++)); do
    debut=${EPOCHREALTIME/[.,]/}
    "$programme" "$@" >/dev/null
    temps+=($(( (${EPOCHREALTIME/[.,]/} - debut) / 100 )))
  done
  printf '%s\n' "${temps[@]}" | sort -n | sed -n "$(( fois / 2 + 1 ))p"
}

# Les objets partagés dont le chargeur appelle l'initialisation (ceux ouverts en cours de route compris).
bibliotheques() {
  LD_DEBUG=libs "$programme" "$@" 2>&1 >/dev/null | grep -c 'calling init:' || true
}

echec=0
for commande in version --aide; do
  m=$(mediane "$commande")
  printf 'graphique %-8s médiane %d,%d ms sur %d passages, %d bibliothèques partagées chargées\n' \
    "$commande" $(( m / 10 )) $(( m % 10 )) "$fois" "$(bibliotheques "$commande")"
  if [ "$m" -gt $(( seuil * 10 )) ]; then
    echo "graphique $commande : démarrage trop lent (plus de $seuil ms)." >&2
    echec=1
  fi
done
# Un graphique sur un fichier SQLite ne charge pas libpq : elle attend la première connexion PostgreSQL.
dossier=$(mktemp -d "${TMPDIR:-/tmp}/graphique-demarrage.XXXXXX")
trap 'rm -rf "$dossier"' EXIT
printf '01/01/2024;1.5\n02/01/2024;0\n03/01/2024;4.2\n' > "$dossier/pluie.csv"
"$programme" importer --base "$dossier/b.db" --station 76001 --genre pluvio --csv "$dossier/pluie.csv" >/dev/null
trace=(tracer --base "$dossier/b.db" --type edition --station 76001 --periodes J --debut 01/01/2024 --fin 03/01/2024 --sortie "$dossier/g.png")
chargees=$(LD_DEBUG=libs "$programme" "${trace[@]}" 2>&1 >/dev/null | grep 'calling init:' || true)
printf 'graphique tracer (SQLite) : %d bibliothèques partagées chargées\n' "$(grep -c . <<< "$chargees")"
if grep -q 'libpq\.so' <<< "$chargees"; then
  echo "graphique tracer : libpq chargée pour un fichier SQLite." >&2
  echec=1
fi
exit "$echec"
