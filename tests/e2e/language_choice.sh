#!/usr/bin/env bash
# The language the game speaks, through the real binary and its real text
# path: a one-place world whose place is Austria, on a darkened globe, so the
# only white ink in the place box's first row is the place name. The width of
# that ink, against the width of each candidate name in the game's own font,
# tells which name the box shows.
# - LANG=de_DE.UTF-8 shows "Österreich"; the found places saved afterwards
#   stay keyed by the place key, with no German in the settings;
# - a language the game does not have shows "Austria";
# - --lang fr beats LANG: "Autriche";
# - "Deutsch" chosen in the sound panel is saved and in force after a restart,
#   whatever the desktop asks for.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
shots=${GLOBARO_SHOTS:-}
export XDG_DATA_HOME=$work/save
# shellcheck source=../support/one_place_world.sh
source "$(dirname "$0")/../support/one_place_world.sh"
# shellcheck source=../support/key_driving.sh
source "$(dirname "$0")/../support/key_driving.sh"

fail() {
  echo "FAIL: $*" >&2
  [ -z "$shots" ] || [ -z "${pid:-}" ] || xwd -id "$win" -silent | convert xwd:- "$shots/language-fail.png" || true
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

make_one_place_world
echo '{"c_aut":{"level":0,"name":"Austria","file":"world.json","answer":"Capital: Vienna"}}' \
  >"$work/devdata/places.json"
# A dark, cloudless globe: nothing white behind the place box.
for image in "$work"/devdata/earth_*.png "$work"/devdata/cloud.png; do
  rm "$image"
  convert -size 64x32 xc:'#102030' "PNG24:$image"
done

# Width in layout units of each candidate name, in the place font at its size.
declare -A expected
while read -r lang width; do expected[$lang]=$width; done < <(/usr/bin/python3 - "$work/devdata/params.json" "$source_dir" <<'PY'
import json, os, sys
from PIL import ImageFont
font = json.load(open(sys.argv[1]))["fonts"]["place"]
face = ImageFont.truetype(os.path.join(sys.argv[2], font["file"]), int(font["height"]))
for lang, name in (("en", "Austria"), ("de", "Österreich"), ("fr", "Autriche")):
    x0, _, x1, _ = face.getbbox(name)
    print(lang, x1 - x0)
PY
)

# Starts the game with only the given locale variables set, and its arguments.
start() {
  local vars=()
  while [ "$1" != "--" ]; do vars+=("$1"); shift; done
  shift
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG "${vars[@]}" "$work/globaro" "$@" 2>"$work/stderr.txt" &
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
}

quit_game() {
  xdotool key --window "$win" ctrl+q 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
  pid=""
}

# Width of the white ink in the place box's name row (0 while no box shows).
name_ink() {
  xwd -id "$win" -silent | convert xwd:- "$work/grab.png"
  /usr/bin/python3 - "$work/grab.png" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
w, h = im.size
top = h // 2 - 320  # the 960 x 640 layout, letter-boxed
xs = [x for x in range(w // 2 - 300, w // 2 + 300) for y in range(top + 38, top + 74)
      if min(im.getpixel((x, y))) > 200]
print(max(xs) - min(xs) + 1 if xs else 0)
PY
}

# Plays from the title to the first question; once the name has swollen into
# place (two grabs alike), checks it is the name of the language given.
expect_name() {
  local lang=$1 what=$2 last=-1 ink
  press_play
  for _ in $(seq 60); do
    kill -0 "$pid" 2>/dev/null || fail "the game died before the question"
    ink=$(name_ink)
    [ "$ink" -gt 40 ] && [ "$ink" = "$last" ] && break
    last=$ink
    sleep 0.5
  done
  [ -z "$shots" ] || cp "$work/grab.png" "$shots/language-$what.png"
  local want=${expected[$lang]}
  [ $((ink - want)) -le 8 ] && [ $((want - ink)) -le 8 ] ||
    fail "$what: the place box's name is $ink units wide, the $lang name ${want} (en ${expected[en]}, de ${expected[de]}, fr ${expected[fr]})"
}

settings() {
  python3 -c "import zlib,json,sys; d=json.loads(zlib.decompress(open('$XDG_DATA_HOME/globaro/settings.dz','rb').read())); print($1)"
}

# German from the desktop; the answer found is saved under the place's key.
start LANG=de_DE.UTF-8 --
expect_name de "german-desktop"
for _ in $(seq 30); do
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) mousedown 1 mouseup 1
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "the game died while playing"
done
sleep 4  # the game-over banner, then the found places are recorded
quit_game
[ "$(settings "d.get('places')")" = "{'c_aut': True}" ] ||
  fail "the found places are not keyed by the place key: $(settings "d.get('places')")"
[ "$(settings "'sterreich' in json.dumps(d, ensure_ascii=False)")" = False ] || fail "a German name was saved"
[ "$(settings "d.get('lang')")" = None ] || fail "the desktop's language was saved as a choice"
# Afresh, past the opening: the one place found would unlock the night earth at the next start.
rm -r "$XDG_DATA_HOME/globaro"
not_first_run

# A language the game does not have: English, never blanks or keys.
start LANG=xx_YY.UTF-8 --
sleep 1.5
xdotool key --window "$win" Escape  # skips the opening after the first run
expect_name en "unknown-language"
quit_game

# The command line beats the desktop.
start LANG=de_DE.UTF-8 -- --lang fr
sleep 1.5
xdotool key --window "$win" Escape
expect_name fr "command-line"
quit_game

# The sound panel's choice: one press from English gives the first shipped
# language, German; it is saved, and the next run starts in it although the
# desktop asks for the C locale.
start LANG=C --
sleep 1.5
xdotool key --window "$win" Escape
wait_for_play
read -r sx sy lx ly < <(python3 -c "
import json; t = json.load(open('$work/devdata/params.json'))['title']
s, l = t['sound_widgets']['sound']['pos'], t['language_widget']['pos']
print(s[0], s[1], l[0], l[1])")
# Both are anchored to the bottom right corner.
xdotool mousemove $((X + WIDTH + sx)) $((Y + HEIGHT + sy)) mousedown 1 sleep 0.05 mouseup 1
sleep 1.0
xdotool mousemove $((X + WIDTH + lx)) $((Y + HEIGHT + ly)) mousedown 1 sleep 0.05 mouseup 1
sleep 0.5
[ -z "$shots" ] || xwd -id "$win" -silent | convert xwd:- "$shots/language-panel.png"
quit_game
[ "$(settings "d.get('lang')")" = de ] || fail "the language chosen in the panel was not saved (got $(settings "d.get('lang')"))"

start LANG=C --
sleep 1.5
xdotool key --window "$win" Escape
expect_name de "saved-choice"
quit_game
echo ok
