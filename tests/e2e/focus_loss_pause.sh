#!/usr/bin/env bash
# A game started from the title by Tab and Enter pauses when its window loses
# the keyboard focus, through real X focus changes on the real binary: the
# in-game menu opens as its pause button would open it. Then Escape resumes,
# Escape pauses again, and Enter confirms the abort: the title comes back and
# the game never reaches its results.
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
lengthen_clock
not_first_run
start_game
root=$(xwininfo -root | awk '/Window id/ {print $4}')
xdotool windowfocus "$root"
wait_until 50 menu poll paused || fail "losing the keyboard focus did not pause the game"
grab focus-lost
xdotool windowfocus --sync "$win"
xdotool key Escape
wait_until 50 menu poll || fail "Escape did not resume the paused game"
xdotool key Escape
wait_until 50 menu poll paused || fail "Escape did not pause the game"
xdotool key Return  # confirms the abort
wait_for_play
quit_game
[ ! -e "$XDG_DATA_HOME/globaro/results.dz" ] || fail "the aborted game reached the ranking"
[ "$(settings "d.get('played')")" != True ] || fail "the aborted game reached its results"
echo ok
