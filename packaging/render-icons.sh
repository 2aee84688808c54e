#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG source (librsvg2-bin).
# Usage: packaging/render-icons.sh — the PNGs are committed, so players and
# builds never need rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")"
id=io.github.pebblecrest.Globaro
for size in 16 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" "$id.svg" -o "icons/${size}x${size}.png"
done
