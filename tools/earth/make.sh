#!/usr/bin/env bash
# Regenerates the globe images in devdata/ (earth_*.png, cloud.png, glow*.png, halo*.png).
# Needs: Debian xplanet-images, python3-pil, python3-numpy; npm (fetches world-atlas 2.0.2 once).
# Usage, from anywhere: tools/earth/make.sh [--width 2048] [--only months,night,cloud,air]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
atlas="$here/node_modules/package"
if [ ! -f "$atlas/countries-50m.json" ]; then
  mkdir -p "$here/node_modules"
  (cd "$here/node_modules" && npm pack --silent world-atlas@2.0.2 >/dev/null && tar xzf world-atlas-2.0.2.tgz)
fi
cd "$root"
/usr/bin/python3 "$here/make_earth.py" --atlas "$atlas" --out devdata "$@"
