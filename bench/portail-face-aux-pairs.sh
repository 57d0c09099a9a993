#!/usr/bin/env bash
# Le portail (« graphique serveur », 2 processus) face à deux serveurs qu'une
# équipe ferait tourner sans lui (bench/portail_pairs.py) : « graphique tracer »
# lancé à chaque demande, et pandas + matplotlib. Mêmes adresses, même base ;
# wrk à 1, 8 et 100 connexions pour deux graphiques :
#  - mensuel : pluie mensuelle de 76402001 sur 5 ans (edition, periodes=M) ;
#  - horaire : une nappe horaire de 20 ans sous la pluie de 76402001.
# Le portail se mesure chaud (même adresse répétée : sa mémoire des réponses
# sert) et froid (une adresse par demande, la période glissée d'un jour :
# chaque graphique est tracé) ; les pairs, sans mémoire, sur les adresses
# glissées. Chaque case part d'un serveur neuf, arrêté ensuite avec tout ce
# qu'il a lancé : une file laissée par une case ne pèse pas sur la suivante.
# Toute réponse doit être une image SVG (statut 200, « <svg ») ; « en vol » : les
# demandes sans réponse à la fin d'une case (une par connexion au moins), hors
# des latences : quand elles dépassent les graphiques servis, p50 et p95 ne
# sont que ceux des premières servies.
# GRAPHIQUE_BANC_BREF=1 : nappe de 2 ans, graphique d'un an, 1 s par case à 4
# connexions ; la moindre réponse fausse fait échouer.
# --postgres (dans bench/schema-postgres.sh) : la base copiée dans
# GRAPHIQUE_PG, les trois serveurs mesurés sur elle.
# DUREE (s, 10 par défaut) : la durée d'une case.
#   bash bench/portail-face-aux-pairs.sh PROGRAMME [--postgres]
set -euo pipefail
cd "$(dirname "$0")/.."
programme="${1:?Usage : portail-face-aux-pairs.sh PROGRAMME [--postgres]}"
postgres="${2:-}"
command -v wrk >/dev/null || { echo "wrk absent : scripts/installer-paquets.sh l'installe." >&2; exit 1; }

duree="${DUREE:-10}" connexions=(1 8 100) annees_nappe=21 annees_horaire=20 bref=0
if [ -n "${GRAPHIQUE_BANC_BREF:-}" ] && [ "${GRAPHIQUE_BANC_BREF}" != 0 ]; then
  duree=1 connexions=(4) annees_nappe=2 annees_horaire=1 bref=1
fi
dossier=$(mktemp -d "${TMPDIR:-/tmp}/graphique-portail-pairs.XXXXXX")
serveur_pid=""

# Le serveur en cours et tout ce qu'il a lancé (son groupe), puis le dossier.
arreter() {
  [ -n "$serveur_pid" ] || return 0
  kill -TERM -- "-$serveur_pid" 2>/dev/null || true
  wait "$serveur_pid" 2>/dev/null || true
  serveur_pid=""
}
trap 'arreter; rm -rf "$dossier"' EXIT
# Arrêté de dehors (délai de ctest…), le ménage se fait aussi : les serveurs ont leur propre session.
trap 'exit 143' TERM INT

# Les graphiques : nom|adresse ({debut} {fin} glissés)|début|fin|glissement au plus (jours).
graphiques=(
  "mensuel 5 ans|/station/76402001/graphique.svg?type=edition&periodes=M&debut={debut}&fin={fin}|2019-01-01|2023-12-31|4000"
  "horaire ${annees_horaire} an(s)|/station/09999X0001/graphique.svg?pluviometre=76402001&debut={debut}&fin={fin}|$((2025 - annees_horaire))-01-01|2024-12-31|365"
)
# Les serveurs mesurés : nom affiché|serveur lancé|glissement (chaud : aucun).
mesures=("portail (chaud)|portail|0" "portail (froid)|portail|1" "tracer|tracer|1" "matplotlib|matplotlib|1")

faire_base() {
  base="$dossier/b.db"
  nice "$programme" exemple --base "$base" >/dev/null
  # Une nappe horaire, marche au hasard reproductible, jusqu'au 31/12/2024.
  nice /usr/bin/python3 bench/nappe_horaire.py "$dossier/nappe.csv" "$annees_nappe"
  nice "$programme" importer --base "$base" --station 09999X0001 --genre piezo --csv "$dossier/nappe.csv" \
    --nom "Forage horaire" >/dev/null
  if [ "$postgres" = --postgres ]; then
    : "${GRAPHIQUE_PG:?GRAPHIQUE_PG attendue : lancer dans bench/schema-postgres.sh}"
    nice "$programme" copier --de "$base" --vers "$GRAPHIQUE_PG" --remplacer >/dev/null
    base="$GRAPHIQUE_PG"
  fi
}

# Le script de wrk : l'adresse de chaque demande, la vérification de chaque
# réponse, et une ligne relue à la fin.
ecrire_script_wrk() {
  cat > "$dossier/charge.lua" <<'LUA'
local fils = {}
local rangs = 0
function setup(thread)
  thread:set("rang", rangs)
  rangs = rangs + 1
  table.insert(fils, thread)
end
-- args : gabarit, début AAAA-MM-JJ, fin AAAA-MM-JJ, glissement, nombre de fils.
function init(args)
  gabarit, glissement, nfils = args[1], tonumber(args[4]), tonumber(args[5])
  da, dm, dj = args[2]:match("(%d+)-(%d+)-(%d+)")
  fa, fm, fj = args[3]:match("(%d+)-(%d+)-(%d+)")
  n, mauvais, statuts, faux = 0, 0, {}, "-"
end
local function jour(a, m, j, recul)
  return os.date("%d/%m/%Y", os.time{year = tonumber(a), month = tonumber(m), day = tonumber(j) - recul, hour = 12})
end
-- Glissement nul : toujours la même adresse ; sinon un jour de plus par demande
-- (à partir d'un jour : l'adresse vérifiée avant la mesure n'est pas reprise).
function request()
  local recul = 0
  if glissement > 0 then recul = 1 + (n * nfils + rang) % glissement end
  n = n + 1
  local chemin = gabarit:gsub("{debut}", jour(da, dm, dj, recul)):gsub("{fin}", jour(fa, fm, fj, recul))
  return wrk.format("GET", chemin)
end
-- Les réponses fausses comptées par statut (« 200 » : sans image SVG), pour le tableau.
function response(status, headers, body)
  if status == 200 and body:find("<svg", 1, true) then return end
  mauvais = mauvais + 1
  statuts[status] = (statuts[status] or 0) + 1
  local morceaux = {}
  for s, k in pairs(statuts) do table.insert(morceaux, s .. "x" .. k) end
  faux = table.concat(morceaux, ",")
end
function done(summary, latency, requests)
  local m, envoyees, par_statut, faux_tous = 0, 0, {}, {}
  for _, t in ipairs(fils) do
    m, envoyees = m + t:get("mauvais"), envoyees + t:get("n")
    for s, k in t:get("faux"):gmatch("(%d+)x(%d+)") do par_statut[s] = (par_statut[s] or 0) + tonumber(k) end
  end
  for s, k in pairs(par_statut) do table.insert(faux_tous, s .. "x" .. k) end
  local e = summary.errors
  -- En vol : envoyées sans réponse à la fin de la mesure, absentes des latences.
  local en_vol = math.max(0, envoyees - summary.requests - e.read - e.timeout)
  io.write(string.format("RESULTAT %d %d %d %d %d %d %d %s %.1f\n", summary.requests, summary.duration,
    latency:percentile(50), latency:percentile(95), e.connect + e.read + e.write + e.timeout, m, en_vol,
    #faux_tous > 0 and table.concat(faux_tous, ",") or "-", summary.requests / (summary.duration / 1e6)))
end
LUA
}

# Lance un serveur dans son propre groupe ; port lu sur sa ligne d'écoute.
demarrer() {
  local nom=$1 i
  case "$nom" in
    portail) set -- "$programme" serveur --base "$base" --ecoute 127.0.0.1:0 --processus 2 ;;
    *) set -- /usr/bin/python3 bench/portail_pairs.py --pair "$nom" --base "$base" --programme "$programme" --port 0 ;;
  esac
  # Vidés avant : la ligne d'écoute du serveur d'avant ne doit pas être relue.
  : > "$dossier/ecoute"
  : > "$dossier/erreurs"
  # Leurs fichiers temporaires dans le dossier de la mesure : un pair arrêté au milieu d'une demande n'en laisse pas.
  TMPDIR="$dossier" setsid nice "$@" >> "$dossier/ecoute" 2>> "$dossier/erreurs" &
  serveur_pid=$!
  for ((i = 0; i < 300; i++)); do
    port=$(sed -n 's|.*http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$dossier/ecoute")
    [ -n "$port" ] && return 0
    kill -0 "$serveur_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "$nom : ligne d'écoute attendue, reçu « $(cat "$dossier/ecoute" "$dossier/erreurs" | tail -c 300 | tr '\n' ' ') »." >&2
  return 1
}

# Une adresse, demandée une fois : statut 200 et une image SVG attendus.
verifier_svg() {
  local nom=$1 chemin=$2 statut
  : > "$dossier/reponse"
  statut=$(curl -s --max-time 120 -o "$dossier/reponse" -w '%{http_code}' "http://127.0.0.1:$port$chemin") || statut="sans réponse"
  if [ "$statut" != 200 ] || ! grep -q '<svg' "$dossier/reponse"; then
    echo "$nom : image SVG (200) attendue pour $chemin, reçu statut $statut, « $(head -c 120 "$dossier/reponse" | tr '\n' ' ') »." >&2
    return 1
  fi
}

jour() { date -d "$1" +%d/%m/%Y; }

# wrk sur le serveur en cours ; sa ligne « RESULTAT … » dans $resultat.
charger() {
  local c=$1 gabarit=$2 debut=$3 fin=$4 glissement=$5 fils=$(( $1 < 2 ? 1 : 2 ))
  resultat=$(nice wrk -t"$fils" -c"$c" -d"${duree}s" --timeout 60s -s "$dossier/charge.lua" "http://127.0.0.1:$port" \
    -- "$gabarit" "$debut" "$fin" "$glissement" "$fils" 2>&1 | sed -n 's/^RESULTAT //p')
  if [ -z "$resultat" ]; then
    echo "wrk : ligne RESULTAT attendue, reçu rien (connexions $c, port $port)." >&2
    return 1
  fi
}

# Une case : serveur neuf, première réponse vérifiée (elle chauffe aussi le
# portail), mesure, arrêt ; la ligne du tableau ajoutée, l'échec compté.
cellule() {
  local gnom gabarit debut fin pas mnom serveur glisse c=$3 fois=1 i
  IFS='|' read -r gnom gabarit debut fin pas <<< "$1"
  IFS='|' read -r mnom serveur glisse <<< "$2"
  # Chaud : assez de premières demandes pour que les deux processus l'aient gardée.
  [ "$glisse" = 1 ] || fois=6
  local fixe=${gabarit//\{debut\}/$(jour "$debut")}
  fixe=${fixe//\{fin\}/$(jour "$fin")}
  demarrer "$serveur" || { echec=1; arreter; return 0; }
  for ((i = 0; i < fois; i++)); do
    verifier_svg "$mnom" "$fixe" || { echec=1; arreter; return 0; }
  done
  charger "$c" "$gabarit" "$debut" "$fin" $(( glisse ? pas : 0 )) || { echec=1; arreter; return 0; }
  arreter
  juger "$gnom" "$mnom" "$c" $resultat
  avis_serveur "$gnom, $mnom, $c connexion(s)"
}

# Ce que le serveur a dit sur sa sortie d'erreur, montré une fois par texte ;
# un processus du portail remplacé (arrêt brutal) fait échouer le passage bref.
avis_serveur() {
  [ -s "$dossier/erreurs" ] || return 0
  sort "$dossier/erreurs" | uniq -c | while read -r fois texte; do
    grep -qxF -- "$texte" "$dossier/vus" 2>/dev/null && [[ "$texte" != *"s'est arrêté"* ]] && continue
    echo "$texte" >> "$dossier/vus"
    echo "$1 : $fois × « $texte »" >&2
  done
  if [ "$bref" = 1 ] && grep -q "processus du portail s'est arrêté" "$dossier/erreurs"; then
    echo "$1 : aucun processus du portail arrêté attendu." >&2
    echec=1
  fi
}

# requêtes durée_µs p50_µs p95_µs erreurs_wrk mauvaises en_vol statuts requêtes/s → ligne du tableau.
juger() {
  local gnom=$1 mnom=$2 c=$3 requetes=$4 duree_us=$5 p50=$6 p95=$7 erreurs=$8 mauvaises=$9 en_vol=${10} statuts=${11}
  local bonnes=$(( requetes - mauvaises )) fautes=$(( erreurs + mauvaises ))
  ligne "$gnom" "$mnom" "$c" "$bonnes" "$duree_us" "$p50" "$p95" "$fautes" "$en_vol" "$statuts"
  if [ "$bref" = 1 ] && { [ "$fautes" -gt 0 ] || [ "$bonnes" -le 0 ]; }; then
    echo "$gnom, $mnom, $c connexion(s) : toutes les réponses en SVG attendues, reçu $bonnes bonne(s)" \
      "et $fautes en erreur ($statuts)." >&2
    echec=1
  elif [ "$bonnes" -le 0 ] && [ "$fautes" -gt 0 ]; then
    echo "$gnom, $mnom, $c connexion(s) : des images SVG attendues, reçu $fautes erreur(s) ($statuts) et aucune image." >&2
    echec=1
  fi
}

# Une ligne du tableau, écrite dès la case mesurée (en millisecondes).
ligne() {
  awk -v g="$1" -v m="$2" -v c="$3" -v b="$4" -v d="$5" -v p50="$6" -v p95="$7" -v f="$8" -v v="$9" -v s="${10}" \
    'BEGIN { printf "%-16s %-16s %5d %12.1f %9.0f %9.0f %7d %6d  %s\n", g, m, c, b / (d / 1e6), p50 / 1000, p95 / 1000, f, v, s }'
}

echec=0
faire_base
ecrire_script_wrk
echo "Base : $([ "$postgres" = --postgres ] && echo PostgreSQL || echo SQLite) ; ${duree} s par case ;" \
  "$(nproc) cœurs, charge au départ : $(cut -d' ' -f1-3 /proc/loadavg)."
printf '%-16s %-16s %5s %12s %9s %9s %7s %6s  %s\n' graphique serveur conn. graphiques/s "p50 ms" "p95 ms" erreurs "en vol" statuts
for graphique in "${graphiques[@]}"; do
  for mesure in "${mesures[@]}"; do
    for c in "${connexions[@]}"; do
      cellule "$graphique" "$mesure" "$c"
    done
  done
done
echo "Charge à la fin : $(cut -d' ' -f1-3 /proc/loadavg)."
exit "$echec"
