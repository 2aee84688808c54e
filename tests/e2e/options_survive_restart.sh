#!/usr/bin/env bash
# The sound panel's choices, made with the keyboard and kept across runs: on
# the title, Up rings the sound button, Enter opens its panel, Tab walks past
# the volume bar to "distances in km" and Enter switches it to miles; Tab and
# Enter switch the colours to the colour-blind-safe pair. The settings saved
# at exit hold both, and in the next run the same presses switch them back
# (the game started from the saved choices, not from the defaults).
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
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

make_one_place_world
not_first_run

open_title() {
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
  xdotool windowfocus --sync "$win"
  sleep 1.5
  xdotool key Escape  # skips the opening after the first run
  wait_for_play
}

flip_both() {
  xdotool key Up  # from nothing ringed, Up rings the last button: sound
  sleep 0.3
  xdotool key Return  # opens the panel
  sleep 1.0
  xdotool key Tab  # the volume bar
  sleep 0.2
  xdotool key Tab  # distances
  sleep 0.2
  xdotool key Return
  sleep 0.4
  xdotool key Tab  # colours
  sleep 0.2
  xdotool key Return
  sleep 0.6
  grab "$1"
  xdotool key Escape  # closes the panel
  sleep 0.8
}

open_title
flip_both options-on
quit_game
[ "$(settings "d.get('miles')")" = True ] || fail "the choice of miles was not saved"
[ "$(settings "d.get('colour_safe')")" = True ] || fail "the choice of colours was not saved"

open_title
flip_both options-off
quit_game
[ "$(settings "d.get('miles')")" = False ] || fail "the saved choice of miles was not in force in the next run"
[ "$(settings "d.get('colour_safe')")" = False ] || fail "the saved choice of colours was not in force in the next run"
echo ok
