#!/usr/bin/env bash
# Le paquet Debian sur un Debian 12 neuf : une racine minimale faite par
# debootstrap (gardée dans RACINE pour les passages suivants, jamais modifiée),
# copiée dans un dossier jetable où le paquet est posé par dpkg et ses
# dépendances par apt-get ; « graphique --aide » doit y tourner, puis la base
# d'exemple et un graphique y sont faits.
# Hors CI : il faut être root (debootstrap, chroot, mount) et joindre
# l'archive Debian.
# Usage : scripts/verifier-deb-debian12.sh [paquet.deb]   (RACINE=/tmp/racine)
set -euo pipefail
cd "$(dirname "$0")/.."
paquet="${1:-$(ls build-paquet/graphique_*.deb 2>/dev/null | head -1)}"
if [ -z "$paquet" ] || [ ! -f "$paquet" ]; then
  echo "Paquet introuvable : le faire d'abord (scripts/verifier-paquet.sh)." >&2
  exit 1
fi
source scripts/racine-debian12.sh
trap demonter_essai EXIT
preparer_essai
nom=$(basename "$paquet")
cp "$paquet" "$essai/$nom"

echo "== dpkg -i $nom (les dépendances manquent encore)"
chroot "$essai" dpkg -i "/$nom" || true
echo "== apt-get -f install"
avant=$(chroot "$essai" dpkg-query -W -f='${Package}\n' | wc -l)
chroot "$essai" apt-get update -qq
chroot "$essai" apt-get -f install -y -qq >/dev/null 2>"$essai/tmp/apt.log" || { cat "$essai/tmp/apt.log" >&2; exit 1; }
echo "$(( $(chroot "$essai" dpkg-query -W -f='${Package}\n' | wc -l) - avant )) paquets ajoutés par apt-get"
chroot "$essai" dpkg-query -W -f='${Package} ${Version} ${Status}\n' graphique
chroot "$essai" dpkg-query -W -f='${Status}' graphique | grep -q 'install ok installed'

echo "== graphique --aide"
set +e
aide=$(chroot "$essai" /usr/bin/graphique --aide 2>&1)
code=$?
set -e
echo "$aide" | head -12
echo "  … ($(echo "$aide" | wc -l) lignes, code de sortie $code)"
[ "$code" -eq 0 ] && grep -q "^Usage : graphique COMMANDE" <<<"$aide"

echo "== base d'exemple et un graphique dans la racine neuve"
chroot "$essai" /usr/bin/graphique exemple --base /tmp/exemple.db >/dev/null
chroot "$essai" /usr/bin/graphique tracer --base /tmp/exemple.db --type Annee --station 76402001 --annee 2023 \
  --sortie /tmp/annee.png
ls -l "$essai/tmp/annee.png"
cp "$essai/tmp/annee.png" "${TMPDIR:-/tmp}/debian12-annee.png"
echo "(copie : ${TMPDIR:-/tmp}/debian12-annee.png)"
echo "Paquet vérifié sur Debian 12 : installé, « graphique --aide » répond, un graphique est écrit."
