#!/usr/bin/env bash
# A game played with the keyboard alone, through real X key events on the real
# binary: Tab and Enter start it from the title; a held arrow turns the globe
# the way a drag does and shows the reticle, which the next mouse touch hides;
# a held "+" zooms in; Space answers at the reticle (the one place covers the
# whole earth, so a tap at the screen centre is right); Enter goes on through
# the results and the ranking.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
shots=${GLOBARO_SHOTS:-}
# shellcheck source=../support/one_place_world.sh
source "$(dirname "$0")/../support/one_place_world.sh"

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

# shellcheck source=../support/key_driving.sh
source "$(dirname "$0")/../support/key_driving.sh"
make_one_place_world
lengthen_clock

# The first game, by keys.
export XDG_DATA_HOME=$work/save
start_game
grab before
[ "$(measure reticle before)" = 0 ] || fail "the reticle shows before any key was used in the game"
xdotool keydown Left
sleep 0.6
xdotool keyup Left
sleep 0.6
grab left
turned=$(measure shift before left)
[ "$turned" -gt 8 ] || fail "a held Left arrow did not turn the surface to the right (moved $turned px)"
[ "$(measure reticle left)" = 1 ] || fail "no reticle at the centre once the keys play"

# A mouse drag to the right turns the same way, and the mouse hides the reticle.
xdotool mousemove $((cx - 90)) "$cy" mousedown 1
for step in $(seq 1 9); do xdotool mousemove $((cx - 90 + step * 20)) "$cy"; sleep 0.03; done
xdotool mouseup 1
sleep 0.8
grab dragged
dragged=$(measure shift left dragged)
[ "$dragged" -gt 8 ] || fail "the drag to the right did not turn the surface the same way (moved $dragged px)"
[ "$(measure reticle dragged)" = 0 ] || fail "the reticle stayed after a mouse touch"

xdotool keydown plus
sleep 0.5
xdotool keyup plus
sleep 1.0
grab zoomed
[ "$(measure cover zoomed)" -gt $(($(measure cover dragged) * 11 / 10)) ] ||
  fail "a held + did not bring the globe closer ($(measure cover dragged) -> $(measure cover zoomed) pixels of globe)"

# Space taps the centre, where the reticle is: the one place is found there.
xdotool key space
# Enter goes on: it skips the count-up, presses the continue buttons of the
# results and the ranking, and the title comes back with its play button.
back=""
for _ in $(seq 160); do
  kill -0 "$pid" 2>/dev/null || fail "the game died after the answer"
  grab poll
  if [ -f "$XDG_DATA_HOME/globaro/results.dz" ] && [ "$(measure gold poll "$px" "$py")" = 1 ]; then back=1; break; fi
  xdotool key Return
  sleep 0.4
done
[ -f "$XDG_DATA_HOME/globaro/results.dz" ] || fail "Enter never took the game through its results to the ranking"
[ -n "$back" ] || fail "Enter never closed the ranking to bring the title back"
quit_game
[ "$(settings "d.get('places', {}).get('world')")" = True ] || fail "Space at the reticle did not find the place"
[ "$(settings "d.get('played')")" = True ] || fail "the keyed game was not counted"

echo ok
