#!/usr/bin/env bash
# The title with fresh settings, driven by real X events on the real binary and
# the shipped data: left alone it plays the recorded demonstration and shows a
# showcase ranking, then the menu comes back, and nothing is stored; a click on
# "play" starts a game; played to its end (no answers) it goes through results
# and ranking back to the title.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$work/save
save=$XDG_DATA_HOME/globaro
shots=${GLOBARO_SHOTS:-}

fail() {
  echo "FAIL: $*" >&2
  shot failure
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

"$game" 2>"$work/stderr.txt" &
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

shot() { [ -n "$shots" ] && [ -n "${win:-}" ] && xwd -id "$win" -silent | convert xwd:- "$shots/$1.png" || true; }
at() {  # layout point (origin at the screen centre) to window pixels
  echo $((WIDTH / 2 + $1 * WIDTH / 960)) $((HEIGHT / 2 + $2 * HEIGHT / 640))
}
click() { xdotool mousemove $((X + $1)) $((Y + $2)) mousedown 1 sleep 0.05 mouseup 1; }
param() { python3 -c "import json; p=json.load(open('$source_dir/devdata/params.json')); print($1)"; }

read -r play_x play_y < <(param "' '.join(str(v) for v in p['title']['start_widgets']['play']['pos'])")
read -r agree_x agree_y < <(param "' '.join(str(v) for v in p['agree']['widget']['pos'])")
read -r px py < <(at "$play_x" "$play_y")
dx=$((70 * WIDTH / 960))
dy=$((12 * HEIGHT / 640))
gold_at() {  # strong red, fair green, little blue: the play button's fill, not the globe
  local rgb
  rgb=$(xwd -id "$win" -silent | convert xwd:- -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1)
  [ $((16#${rgb:1:2})) -gt 180 ] && [ $((16#${rgb:3:2})) -gt 110 ] && [ $((16#${rgb:5:2})) -lt 110 ]
}
menu_shows() { gold_at $((px - dx)) $((py + dy)) && gold_at $((px + dx + dx / 2)) $((py + dy)); }
wait_for_menu() {  # $1: seconds at most
  local n=$(($1 * 4))
  for _ in $(seq "$n"); do
    kill -0 "$pid" 2>/dev/null || fail "the game died on the title"
    menu_shows && return 0
    sleep 0.25
  done
  fail "the title menu did not show its play button within $1 s"
}

# Intro, logo, then the menu.
wait_for_menu 40
shot menu

# Left alone: the menu closes for the demonstration, then a showcase ranking,
# then the menu again. Shots every 6 s show each stage.
gone=0
for i in $(seq 40); do
  sleep 3
  kill -0 "$pid" 2>/dev/null || fail "the game died in the attract cycle"
  [ $((i % 2)) -eq 0 ] && shot "attract-$((i * 3))s"
  if menu_shows; then
    [ "$gone" -eq 1 ] && break
  else
    gone=1
  fi
done
[ "$gone" -eq 1 ] || fail "the attract cycle never started"
menu_shows || fail "the menu did not come back after the attract cycle"
[ ! -e "$save/results.dz" ] || fail "the demonstration stored a result"

# "play" starts a normal game; left unanswered it runs out its clock.
sleep 0.5
click "$px" "$py"
sleep 9
shot first-question
menu_shows && fail "the menu is still up after clicking play"
read -r bx by < <(at "$agree_x" "$agree_y")
sleep 60  # the game clock runs out (no clicks: they would answer)
for _ in $(seq 240); do
  [ -e "$save/results.dz" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the game died during the game"
  # Once the results show, a click skips their count-up and then presses Continue.
  click "$bx" "$by"
  sleep 0.5
done
[ -e "$save/results.dz" ] || fail "the game never reached its ranking"
sleep 2.5
shot ranking
click "$bx" "$by"
wait_for_menu 30
shot title-again
xdotool key --window "$win" ctrl+q 2>/dev/null || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
pid=""
echo ok
