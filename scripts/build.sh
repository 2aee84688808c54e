#!/usr/bin/env bash
# Configures and builds into build/ (two parallel jobs suit the target machines).
# Usage: scripts/build.sh [game|all]   game: the game alone, without the tests
set -euo pipefail
cd "$(dirname "$0")/.."
tests=ON
[ "${1:-all}" = game ] && tests=OFF
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOBARO_TESTS=$tests >/dev/null
if [ "$tests" = OFF ]; then
  cmake --build build -j"${GLOBARO_JOBS:-2}" --target globaro
else
  cmake --build build -j"${GLOBARO_JOBS:-2}"
fi
