#!/usr/bin/env bash
# Installe ce qui manque, construit et passe tous les tests.
# Les tests PostgreSQL (étiquette "postgresql") tournent sur un serveur jetable
# lancé pour la durée des tests et arrêté ensuite, même en cas d'échec.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-paquets.sh
bash scripts/construire.sh
export QT_QPA_PLATFORM=offscreen
# Les tests PostgreSQL échouent (au lieu d'être sautés) si le serveur manque.
export GRAPHIQUE_PG_EXIGE=1
bash scripts/postgresql-temporaire.sh ctest --test-dir build --output-on-failure -j"${JOBS:-2}"
