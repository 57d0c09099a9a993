#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-paquets.sh
bash scripts/construire.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"${JOBS:-2}"
