#!/usr/bin/env bash
# Plays a whole short game with real mouse clicks on the real binary: "play"
# on the title, then the game, which runs from a copy of the data whose only place covers the whole earth and
# whose clock is short, so every click on the globe is a correct answer. After
# the game the places found must be in the saved settings.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$work/save
shots=${GLOBARO_SHOTS:-}
# shellcheck source=../support/one_place_world.sh
source "$(dirname "$0")/../support/one_place_world.sh"

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

# The game finds devdata/ beside its executable.
make_one_place_world

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

shot() { [ -n "$shots" ] && xwd -id "$win" -silent | convert xwd:- "$shots/$1.png" || true; }


# The title: intro and logo (not skippable on a first run), then "play".
press_play
shot title
# The game-start delay, intro caption and start banner, then the questions:
# tap the middle of the globe until the short game clock has run out.
sleep 7.5
shot questions
for i in $(seq 40); do
  xdotool mousemove "$cx" "$cy" mousedown 1 mouseup 1
  [ "$i" -eq 1 ] && sleep 0.1 && shot correct  # the gold ring where the answer landed
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "the game died while playing"
done
shot after
sleep 4  # the game-over banner, then the found places are recorded
xdotool key --window "$win" ctrl+q 2>/dev/null || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
pid=""

found=$(python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$XDG_DATA_HOME/globaro/settings.dz','rb').read())); print(d.get('places',{}).get('world'))")
[ "$found" = "True" ] || fail "the place answered in the game was not recorded as found (got $found)"
echo ok
