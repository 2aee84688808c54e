#!/usr/bin/env bash
# A game with an end, played with real X events on the real binary: "play" on
# the title, a short game, its results (a click skips the count-up, the continue button goes on),
# the ranking with the new row (its continue button closes it), then quit.
# The results file must hold the game at once, the settings must say a game
# was played, and a second run must rank its game against the first.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$work/save
save=$XDG_DATA_HOME/globaro
shots=${GLOBARO_SHOTS:-}
# shellcheck source=../support/one_place_world.sh
source "$(dirname "$0")/../support/one_place_world.sh"

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

# The game finds devdata/ beside its executable: one place covering the whole
# earth, so every click on the globe is a correct answer, and a short clock.
make_one_place_world
# The continue button's centre in layout units (origin at the screen centre).
read -r agree_x agree_y < <(python3 -c "import json; p=json.load(open('$work/devdata/params.json'))['agree']['widget']['pos']; print(p[0], p[1])")

shot() { [ -n "$shots" ] && xwd -id "$win" -silent | convert xwd:- "$shots/$1.png" || true; }

click() { xdotool mousemove "$1" "$2" mousedown 1 sleep 0.05 mouseup 1; }
rows() {  # normal-mode rows stored in the player's results file
  python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$save/results.dz','rb').read())); print(len(d['normal']))"
}

start_game() {
  "$work/globaro" 2>"$work/stderr.txt" &
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
  cx=$((X + WIDTH / 2))
  cy=$((Y + HEIGHT / 2))
  bx=$((cx + agree_x * WIDTH / 960))
  by=$((cy + agree_y * HEIGHT / 640))
}

# Plays one short game to its ranking; $1 names the screenshots.
play_to_ranking() {
  local before=$1
  press_play  # the title: intro and logo, then its menu
  sleep 7.5  # game-start delay, intro caption, start banner
  for _ in $(seq 8); do
    click "$cx" "$cy"
    sleep 0.4
  done
  # The clock runs out, GAME OVER, then the results count up: a click skips to
  # the end, the next one presses the continue button, and the ranking that
  # follows stores the game at once.
  sleep 9  # the clock runs out, GAME OVER, and the results begin to count up
  shot "$2-results"
  local waited=0
  until [ -f "$save/results.dz" ] && [ "$(rows)" -gt "$before" ]; do
    kill -0 "$pid" 2>/dev/null || fail "the game died before its ranking"
    [ "$waited" -lt 120 ] || fail "no ranking was stored after the game"
    click "$bx" "$by"
    sleep 0.5
    waited=$((waited + 1))
  done
  sleep 2.5  # the ranking opens and shows its continue button
  shot "$2-ranking"
  click "$bx" "$by"
  sleep 2
  shot "$2-after"
  kill -0 "$pid" 2>/dev/null || fail "the game died closing the ranking"
}

quit_game() {
  xdotool key --window "$win" ctrl+q 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
  pid=""
}

shipped=$(python3 -c "import json; print(len(json.load(open('$source_dir/devdata/results.json'))['normal']))")
start_game
play_to_ranking "$shipped" first
[ "$(rows)" -eq $((shipped + 1)) ] || fail "the results file holds $(rows) normal rows, expected $((shipped + 1))"
quit_game
settings() { python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$save/settings.dz','rb').read())); print($1)"; }
[ "$(settings "d['played']")" = "True" ] || fail "the settings do not say a game was played"
[ "$(settings "d['playnum'][0]")" = "1" ] || fail "playnum[0] is $(settings "d['playnum'][0]"), expected 1"

start_game
play_to_ranking $((shipped + 1)) second
[ "$(rows)" -eq $((shipped + 2)) ] || fail "the second game was not appended to the first"
python3 - "$save/results.dz" <<'PY' || fail "the stored games are not the two just played"
import json, sys, zlib
rows = json.loads(zlib.decompress(open(sys.argv[1], "rb").read()))["normal"][-2:]
assert all(r["konahen"] > 0 and r["score"] >= 10 * r["konahen"] for r in rows), rows
PY
quit_game
[ "$(settings "d['playnum'][0]")" = "2" ] || fail "playnum[0] did not grow to 2"
echo ok
