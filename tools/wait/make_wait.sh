#!/usr/bin/env bash
# Paints devdata/wait.png, the caption shown while the game loads: a 192 x 32
# region at the top-left of a 256 x 32 image, white text with a soft shadow.
set -euo pipefail
cd "$(dirname "$0")/../.."
font=${1:-/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf}
convert -size 256x32 xc:none -font "$font" -pointsize 18 \
  \( -size 256x32 xc:none -fill 'rgba(0,0,0,0.8)' -gravity northwest -annotate +47+8 'Loading…' -blur 0x2 \) -composite \
  -fill white -annotate +46+7 'Loading…' \
  -define png:exclude-chunks=date,time -strip PNG32:devdata/wait.png
