#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, skipping those already present.
# Usage: scripts/install-deps.sh [run|test]
set -euo pipefail
mode=${1:-test}
pkgs=(g++ cmake make pkg-config freeglut3-dev libgl-dev libglu1-mesa-dev libopenal-dev libopenal1
      libpng-dev libfreetype-dev libftgl-dev zlib1g-dev picojson-dev)
if [ "$mode" = test ]; then
  pkgs+=(libgtest-dev libx11-dev xvfb xauth xdotool x11-apps imagemagick sox python3 python3-pil libgl1-mesa-dri
         x11-utils desktop-file-utils appstream dpkg-dev librsvg2-bin
         python3-numpy
         clang libclang-rt-dev llvm)  # clang, libFuzzer and the symbolizer: scripts/fuzz.sh
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq || true
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
