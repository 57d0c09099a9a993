#!/usr/bin/env bash
# Vérifications : tout le code et toute la suite de tests construits avec clang,
# AddressSanitizer et UndefinedBehaviorSanitizer (dans build-verif/), la suite
# lancée dessous (PostgreSQL compris), puis un court passage de chaque cible de
# fuzzing sur son corpus. Le moindre rapport d'un sanitiseur fait échouer.
# FUZZ_SECONDES : durée de chaque cible (20 par défaut).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-paquets.sh --verification
CC=clang CXX=clang++ cmake -S . -B build-verif -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DGRAPHIQUE_SANITISEURS=ON -DGRAPHIQUE_FUZZ=ON -DGRAPHIQUE_BENCH=OFF >/dev/null
cmake --build build-verif -j"${JOBS:-2}"

export QT_QPA_PLATFORM=offscreen GRAPHIQUE_PG_EXIGE=1
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
bash scripts/postgresql-temporaire.sh ctest --test-dir build-verif --output-on-failure -j"${JOBS:-2}" --timeout 600

secondes="${FUZZ_SECONDES:-20}"
trouves="$PWD/build-verif/fuzz-trouves"
mkdir -p "$trouves"
for cible in fuzz_ordres fuzz_dates_nombres fuzz_csv fuzz_moteur; do
  travail=$(mktemp -d)
  cp -r "fuzz/corpus/$cible/." "$travail/"
  journal="$trouves/$cible.log"
  # Le corpus de départ (les entrées qui ont déjà trouvé un défaut comprises)
  # passe d'abord en entier, puis le fuzzing cherche pendant la durée donnée.
  if ! "build-verif/fuzz/$cible" -seed=1 -max_total_time="$secondes" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$trouves/$cible-" "$travail" >"$journal" 2>&1; then
    echo "$cible : entrée fautive trouvée (dans $trouves) :" >&2
    grep -E 'runtime error|ERROR|SUMMARY|#[0-9]+ .* in ' "$journal" | head -20 >&2
    exit 1
  fi
  echo "$cible : $(grep -Eo 'stat::number_of_executed_units: [0-9]+' "$journal" | grep -Eo '[0-9]+$') entrées en $secondes s, aucun défaut"
  rm -rf "$travail"
done
