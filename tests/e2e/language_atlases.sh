#!/usr/bin/env bash
# Painted captions follow the language: the real binary on the shipped atlases
# (in the one-place world, so a game starts at once), started with the desktop
# asking for German, then for a language the game does not have. Once the
# title menu is in, the "play" button's caption on screen must match the
# chosen language's atlas (devdata/lang/<code>/title.png) where its words
# differ from the English ones, and the English atlas for the unknown
# language. Then a game starts and the HUD's time panel is checked the same
# way against game.png.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
shots=${GLOBARO_SHOTS:-}

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

source "$source_dir/tests/support/one_place_world.sh"
make_one_place_world  # a short game whose HUD shows at once

# $1: the atlas's folder under devdata ("" for English); $2: widget path in
# params.json; $3: shot. Prints "<distance to the expected atlas> <distance to the other>".
compare() {
  /usr/bin/python3 - "$source_dir" "$1" "$2" "$3" <<'PY'
import json, sys
import numpy as np
from PIL import Image
root, lang, path, shot = sys.argv[1:]
params = json.load(open(f"{root}/devdata/params.json"))
widget = params
for part in path.split("/"):
    widget = widget[part]
u, v = widget["uv"]
w, h = widget["size"]
atlas = widget["texture"].split("/")[-1]
def crop(folder):
    image = Image.open(f"{root}/devdata/{folder}{atlas}").convert("RGBA")
    return np.asarray(image, dtype=float)[v:v + h, u:u + w]
def over_black(rgba):  # the HUD's panels are translucent over black space
    return rgba[..., :3] * rgba[..., 3:] / 255.0
expected_rgba = crop(f"lang/{lang}/" if lang else "")
other_rgba = crop("lang/de/" if not lang else "")
expected, other = over_black(expected_rgba), over_black(other_rgba)
# Only where both atlases are nearly opaque and their words differ: little of
# what lies behind shows there, and those pixels tell the languages apart.
mask = (np.abs(expected - other).max(axis=2) > 60) & \
       (expected_rgba[..., 3] >= 140) & (other_rgba[..., 3] >= 140)
screen = np.asarray(Image.open(shot).convert("RGB"), dtype=float)
sh, sw = screen.shape[:2]
# The widget's top-left in layout units (960 x 640 here): its anchor is the
# screen's centre or, with "x_layout"/"y_layout", an edge; "center" is its
# pivot, by default the middle of the widget.
x, y = widget["pos"]
cx, cy = widget.get("center", [w / 2, h / 2])
x0 = int(round((1 + widget.get("x_layout", 0)) * 480 + x - cx))
y0 = int(round((1 + widget.get("y_layout", 0)) * 320 + y - cy))
region = screen[y0:y0 + h, x0:x0 + w]
if mask.sum() < 200 or region.shape[:2] != (h, w):
    print("999 0")
else:
    print(f"{np.abs(region - expected)[mask].mean():.1f}",
          f"{np.abs(region - other)[mask].mean():.1f}")
PY
}

check() {  # $1 atlas folder, $2 widget, $3 what; a few tries while it slides in
  local shot="$work/shot.png" near far
  for _ in $(seq 20); do
    xwd -id "$win" -silent | convert xwd:- "$shot"
    read -r near far < <(compare "$1" "$2" "$shot")
    python3 -c "import sys; sys.exit(0 if $near < 30 and $far > 60 else 1)" && break
    sleep 0.25
  done
  [ -n "$shots" ] && cp "$shot" "$shots/language-${1:-en}-${3// /_}.png"
  echo "${1:-en} $3: $near from its atlas, $far from the other"
  python3 -c "import sys; sys.exit(0 if $near < 30 and $far > 60 else 1)" ||
    fail "${1:-en} $3: the screen is $near from the expected atlas and $far from the other"
}

run() {  # $1 expected atlas folder ("" for English), then the game's environment and arguments
  local expect=$1
  shift
  export XDG_DATA_HOME=$work/save-${expect:-en}
  env LANGUAGE= LC_ALL= LC_MESSAGES= "$@" 2>"$work/stderr.txt" &
  pid=$!
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --name '^GLOBARO:1\.00$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game exited at start"
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  wait_for_play
  check "$expect" title/start_widgets/play "play button"
  press_play
  check "$expect" game/widgets/timeremain "time panel"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}

run de LANG=de_DE.UTF-8 "$work/globaro"
run "" LANG=xx_YY.UTF-8 "$work/globaro"
echo "PASS"
