#!/usr/bin/env bash
# Travail principal : installe ce qui manque, construit, fait la base d'exemple
# et dessine dans galerie/ un graphique de chaque genre.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-paquets.sh
bash scripts/construire.sh
programme="$PWD/build/apps/graphique/graphique"
galerie="$PWD/galerie"
mkdir -p "$galerie"
base="$galerie/exemple.db"
rm -f "$base"

echo "== Base d'exemple : $base"
"$programme" exemple --base "$base"
echo
# Avec GALERIE_PG (une connexion PostgreSQL), la base d'exemple est copiée sur
# le serveur et la galerie est dessinée depuis lui.
if [ -n "${GALERIE_PG:-}" ]; then
    echo "== Copie de la base d'exemple sur le serveur"
    "$programme" copier --de "$base" --vers "$GALERIE_PG" --remplacer
    base="$GALERIE_PG"
    echo
fi
echo "== Stations de la base"
"$programme" stations --base "$base"
echo

dessiner() {
    local fichier="$1"; shift
    "$programme" tracer --base "$base" --sortie "$galerie/$fichier" "$@"
    echo "  $fichier"
}

echo "== Galerie, un graphique par genre"
dessiner 01-edition.png             --type edition --station 76402001 --periodes M --debut 01/01/2019 --fin 31/12/2023
dessiner 02-annee.png               --type Annee --station 76402001 --annee 2023
dessiner 03-annee-cumul-annuel.png  --type Annee --station 76402001 --annee 2023 --variante CUMUL_ANNUEL
dessiner 04-annee-cumul-mensuel.png --type Annee --station 76402001 --annee 2023 --variante CUMUL_MENSUEL --periodes A
dessiner 05-annuaire.png            --type annuaire --station 76402001 --periodes A
dessiner 06-travail.png             --type travail --station 27403001 --periodes D --debut 01/10/2023 --fin 31/03/2024
echo "  (le graphique de travail ne charge rien : il reçoit les points saisis à la main)"
dessiner 07-superposition.png       --type Superposition --station 76401001 --stations 76402001,27403001 --periodes A --debut 01/01/2000 --fin 31/12/2024
dessiner 08-pluvio-piezo.png        --type PluvioPiezo --station 76402001 --stations 00754X0012,00755X0031 --debut 01/01/2015 --fin 31/12/2024
dessiner 09-pluvio-station.png      --type PluvioStation --station 76402001 --stations H8043310 --periodes D --debut 01/01/2023 --fin 31/12/2023
dessiner 10-reference.png           --type reference --station 76401001
dessiner 11-comparaison-normale.png --type comparaisonNormale --station 76402001 --periodes M --debut 01/01/2022 --fin 31/12/2023
echo
echo "== Les mêmes en classeurs, avec leur graphique natif"
exporter() {
    local fichier="$1"; shift
    "$programme" "$@" --base "$base" --sortie "$galerie/$fichier"
    echo "  $fichier"
}
exporter 12-annee.xlsx         exporter --type Annee --station 76402001 --annee 2023
exporter 13-pluvio-piezo.xlsx  exporter --type PluvioPiezo --station 76402001 --stations 00754X0012,00755X0031 --debut 01/01/2015 --fin 31/12/2024
exporter 14-comparaison.xlsx   exporter --type comparaisonNormale --station 76402001 --periodes M --debut 01/01/2022 --fin 31/12/2023
exporter 15-annuaire-2023.xlsx annuaire --type annuaire --station 76402001 --periodes S --debut 01/01/2023 --fin 31/12/2023 --annuel
echo
echo "Galerie écrite dans $galerie :"
ls -l "$galerie"
echo
echo "== L'application de bureau, sur la base d'exemple :"
echo "  build/apps/graphique-hote/graphique-hote --base galerie/exemple.db"
