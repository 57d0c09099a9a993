#!/usr/bin/env bash
# Configure et construit tout (bibliothèques, programmes, tests, mesures) dans build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build -j"${JOBS:-2}"
