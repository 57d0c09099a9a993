#!/usr/bin/env bash
# Aperçu d'un classeur .xlsx tel que LibreOffice l'ouvre : le classeur est
# converti en PDF puis chaque page en PNG, pour regarder ses graphiques.
# Hors de ctest : LibreOffice et pdftoppm (paquets libreoffice-calc-nogui et
# poppler-utils) ne servent qu'à cette vérification.
#
#   scripts/apercu-classeur.sh CLASSEUR.xlsx [DOSSIER] [RÉSOLUTION]
#
# Les images, DOSSIER/CLASSEUR-1.png, -2.png… (autant de chiffres que le
# nombre de pages en demande), sont à 60 points par pouce par défaut.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -f "$1" ]; then
  echo "Usage : $0 CLASSEUR.xlsx [DOSSIER] [RÉSOLUTION]" >&2
  exit 2
fi
for outil in soffice pdftoppm; do
  command -v "$outil" >/dev/null || { echo "$outil absent : apt-get install libreoffice-calc-nogui poppler-utils" >&2; exit 1; }
done

classeur=$(realpath "$1")
dossier=$(realpath -m "${2:-.}")
resolution=${3:-60}
mkdir -p "$dossier"
nom=$(basename "${classeur%.*}")

# Un profil LibreOffice à part : pas de conflit avec une instance ouverte.
profil=$(mktemp -d)
trap 'rm -rf "$profil"' EXIT
soffice -env:UserInstallation="file://$profil" --headless --convert-to pdf --outdir "$profil" "$classeur" >/dev/null 2>&1
[ -f "$profil/$nom.pdf" ] || { echo "LibreOffice n'a pas converti « $classeur »." >&2; exit 1; }
pdftoppm -png -r "$resolution" "$profil/$nom.pdf" "$dossier/$nom"
pages=$(find "$dossier" -maxdepth 1 -name "$nom-*.png" -newer "$profil/$nom.pdf" | sort)
echo "$(echo "$pages" | wc -l) page(s), la première : $(echo "$pages" | head -1)"
