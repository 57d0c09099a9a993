#!/usr/bin/env bash
# Empreintes de ce que le programme écrit : les journaux d'ordres et les images
# de chaque genre de graphique, les classeurs, le bulletin. Deux arbres qui
# donnent les mêmes empreintes dessinent et exportent à l'octet près la même
# chose ; à lancer avant et après un remaniement.
#   bash scripts/empreintes.sh [PROGRAMME] > empreintes.txt
set -euo pipefail
programme="${1:-$PWD/build/apps/graphique/graphique}"
dossier="$(mktemp -d)"
trap 'rm -rf "$dossier"' EXIT
base="$dossier/exemple.db"
"$programme" exemple --base "$base" > /dev/null

# nom | commande et options (la base, la sortie et le journal sont ajoutés)
graphiques=(
"01-edition|tracer --type edition --station 76402001 --periodes M --debut 01/01/2019 --fin 31/12/2023"
"02-annee|tracer --type Annee --station 76402001 --annee 2023"
"03-annee-cumul-annuel|tracer --type Annee --station 76402001 --annee 2023 --variante CUMUL_ANNUEL"
"04-annee-cumul-mensuel|tracer --type Annee --station 76402001 --annee 2023 --variante CUMUL_MENSUEL --periodes A"
"05-annuaire|tracer --type annuaire --station 76402001 --periodes A"
"06-travail|tracer --type travail --station 27403001 --periodes D --debut 01/10/2023 --fin 31/03/2024"
"07-superposition|tracer --type Superposition --station 76401001 --stations 76402001,27403001 --periodes A --debut 01/01/2000 --fin 31/12/2024"
"08-pluvio-piezo|tracer --type PluvioPiezo --station 76402001 --stations 00754X0012,00755X0031 --debut 01/01/2015 --fin 31/12/2024"
"09-pluvio-station|tracer --type PluvioStation --station 76402001 --stations H8043310 --periodes D --debut 01/01/2023 --fin 31/12/2023"
"10-reference|tracer --type reference --station 76401001"
"11-comparaison-normale|tracer --type comparaisonNormale --station 76402001 --periodes M --debut 01/01/2022 --fin 31/12/2023"
"12-annee-hydro|tracer --type Annee --station 76402001 --annee 2023 --periodes H --annees-statistiques 1991-2020 --mois-hydro septembre"
"13-ecarts-officiels|tracer --type comparaisonNormale --station 76402001 --normales officielles --debut 01/01/2020 --fin 31/12/2023"
)
classeurs=(
"20-annee|exporter --type Annee --station 76402001 --annee 2023"
"21-pluvio-piezo|exporter --type PluvioPiezo --station 76402001 --stations 00754X0012,00755X0031 --debut 01/01/2015 --fin 31/12/2024"
"22-comparaison|exporter --type comparaisonNormale --station 76402001 --periodes M --debut 01/01/2022 --fin 31/12/2023"
"23-superposition|exporter --type Superposition --station 76401001 --stations 76402001,27403001 --periodes A --debut 01/01/2000 --fin 31/12/2024"
"24-pluvio-station|exporter --type PluvioStation --station 76402001 --stations H8043310 --periodes D --debut 01/01/2023 --fin 31/12/2023"
"25-annuaire-2023|annuaire --type annuaire --station 76402001 --periodes S --debut 01/01/2023 --fin 31/12/2023 --annuel"
)

empreinte() { sha256sum "$1" | cut -c1-16; }
# Un classeur : le nom, la taille et le CRC de chaque membre ; ni l'heure du
# zip ni les propriétés du document, qui datent l'écriture.
empreinte_classeur() {
    python3 -c 'import sys, zipfile
for m in zipfile.ZipFile(sys.argv[1]).infolist():
    if m.filename != "docProps/core.xml": print(m.filename, m.file_size, m.CRC)' "$1" | sha256sum | cut -c1-16
}
# Un PDF : son texte, sans le jour où il est établi (ses flux changent d'une écriture à l'autre).
empreinte_pdf() { pdftotext "$1" - | sed -E 's#[0-9]{2}/[0-9]{2}/[0-9]{4}#JJ/MM/AAAA#' | sha256sum | cut -c1-16; }

for ligne in "${graphiques[@]}"; do
    nom="${ligne%%|*}"; read -ra options <<< "${ligne#*|}"
    for extension in png svg; do
        "$programme" "${options[@]}" --base "$base" --sortie "$dossier/$nom.$extension" \
            --journal "$dossier/$nom.tsv" 2> /dev/null
        echo "$nom.$extension $(empreinte "$dossier/$nom.$extension")"
    done
    echo "$nom.tsv $(empreinte "$dossier/$nom.tsv")"
done
for ligne in "${classeurs[@]}"; do
    nom="${ligne%%|*}"; read -ra options <<< "${ligne#*|}"
    "$programme" "${options[@]}" --base "$base" --sortie "$dossier/$nom.xlsx" > /dev/null 2>&1
    echo "$nom.xlsx $(empreinte_classeur "$dossier/$nom.xlsx")"
done
"$programme" bulletin --base "$base" --mois 03/2015 --sortie "$dossier/30-bulletin.pdf" \
    --classeur "$dossier/30-bulletin.xlsx" > /dev/null 2>&1
echo "30-bulletin.pdf $(empreinte_pdf "$dossier/30-bulletin.pdf")"
echo "30-bulletin.xlsx $(empreinte_classeur "$dossier/30-bulletin.xlsx")"
