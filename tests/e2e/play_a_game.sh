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

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

# The game finds devdata/ beside its executable.
mkdir -p "$work/devdata/place"
cp "$game" "$work/globaro"
for entry in "$source_dir"/devdata/*; do
  case "$(basename "$entry")" in place | places.json | params.json) ;; *) ln -s "$entry" "$work/devdata/" ;; esac
done
echo '[[[0,0],[200,0],[200,100],[0,100]]]' >"$work/devdata/place/world.json"
echo '{"world":{"level":0,"name":"The World","file":"world.json","answer":"Everywhere"}}' >"$work/devdata/places.json"
python3 - "$source_dir/devdata/params.json" "$work/devdata/params.json" <<'PY'
import json, sys
params = json.load(open(sys.argv[1]))
game = params["game"]
game.update({"places": "devdata/places.json", "time": [8, 8, 0], "level_ofs": [0, 0, 0],
             "question": [99] * 12, "ans_time": [20] * 12, "q_refresh_delay": [0.3] * 12})
json.dump(params, open(sys.argv[2], "w"))
PY

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

# The title's "play" button: its centre in layout units (origin at the screen
# centre). Once the title menu is in (the gold button shows there), a click on
# it starts the game.
read -r play_x play_y < <(python3 -c "import json; p=json.load(open('$work/devdata/params.json'))['title']['start_widgets']['play']['pos']; print(p[0], p[1])")
press_play() {
  local px=$((WIDTH / 2 + play_x * WIDTH / 960)) py=$((HEIGHT / 2 + play_y * HEIGHT / 640))
  local dx=$((70 * WIDTH / 960)) dy=$((12 * HEIGHT / 640))
  gold_at() {  # strong red, fair green, little blue: the button's fill, not the globe
    local rgb
    rgb=$(xwd -id "$win" -silent | convert xwd:- -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1)
    [ $((16#${rgb:1:2})) -gt 180 ] && [ $((16#${rgb:3:2})) -gt 110 ] && [ $((16#${rgb:5:2})) -lt 110 ]
  }
  for _ in $(seq 120); do
    kill -0 "$pid" 2>/dev/null || fail "the game died on the title"
    # Two points of the pill's fill, either side of its label.
    if gold_at $((px - dx)) $((py + dy)) && gold_at $((px + dx + dx / 2)) $((py + dy)); then
      sleep 0.5  # let the fade-in finish
      xdotool mousemove $((X + px)) $((Y + py)) mousedown 1 sleep 0.05 mouseup 1
      return
    fi
    sleep 0.25
  done
  fail "the title menu never showed its play button"
}

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
