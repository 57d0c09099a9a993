#!/usr/bin/env bash
# Installe les paquets Debian dont le projet a besoin ; sans danger si relancé.
# python3-openpyxl relit les classeurs écrits, dans les tests, et les en-têtes
# privés de Qt y font passer les touches par la file du système de fenêtres ; QCustomPlot et
# python3-xlsxwriter sont les pairs de comparaison des mesures ; chromium et son pilote
# (selenium) ouvrent le portail dans les essais, nginx (certificat d'openssl) se met devant
# lui, curl et wrk le mesurent face à un serveur pandas et matplotlib ; debootstrap fait
# la racine Debian 12 neuve où la CI repasse la suite. Avec
# --verification : aussi les outils des vérifications (clang, libFuzzer,
# sanitiseurs). Ni l'un ni les autres ne servent au produit.
set -euo pipefail

paquets=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-private-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n
  qt6-tools-dev qt6-tools-dev-tools qt6-httpserver-dev qt6-websockets-dev
  dpkg-dev file
  libsqlite3-dev sqlite3
  libpq-dev postgresql
  libzip-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libqcustomplot-dev
  xvfb xauth time debootstrap
  python3-openpyxl python3-xlsxwriter
  nginx openssl curl chromium chromium-driver python3-selenium python3-pandas python3-matplotlib wrk
  fonts-dejavu-core fonts-liberation fonts-comic-neue
)
if [ "${1:-}" = "--verification" ]; then
  paquets+=(clang libclang-rt-14-dev libfuzzer-14-dev)
fi

manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done

if [ ${#manquants[@]} -eq 0 ]; then
  echo "Paquets : tout est déjà installé."
  exit 0
fi

echo "Paquets à installer : ${manquants[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_cmd apt-get update -qq
$sudo_cmd apt-get install -y -qq --no-install-recommends "${manquants[@]}"
