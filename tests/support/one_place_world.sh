# Sourced by the end-to-end scripts that play short games: the game runs from
# a copy of the data whose only place covers the whole earth and whose clock
# is short, so every click on the globe is a correct answer; and "play" on the
# title is pressed once its gold button shows (wait_for_play only waits for it).
# Needs: game, source_dir, work; and, for press_play, win, pid, X, Y, WIDTH,
# HEIGHT and a fail function.

# The game finds devdata/ beside its executable.
make_one_place_world() {
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
params["game"].update({"places": "devdata/places.json", "time": [8, 8, 0], "level_ofs": [0, 0, 0],
                       "question": [99] * 12, "ans_time": [20] * 12, "q_refresh_delay": [0.3] * 12})
json.dump(params, open(sys.argv[2], "w"))
PY
}

# The title's "play" button: its centre in layout units (origin at the screen
# centre). Once the title menu is in (the gold button shows there), a click on
# it starts the game.
press_play() {
  wait_for_play
  xdotool mousemove $((X + px)) $((Y + py)) mousedown 1 sleep 0.05 mouseup 1
}

# Waits until the title menu is in and its gold "play" button shows; leaves
# the button's centre in window pixels in px, py.
wait_for_play() {
  local play_x play_y
  read -r play_x play_y < <(python3 -c "import json; p=json.load(open('$work/devdata/params.json'))['title']['start_widgets']['play']['pos']; print(p[0], p[1])")
  px=$((WIDTH / 2 + play_x * WIDTH / 960)) py=$((HEIGHT / 2 + play_y * HEIGHT / 640))
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
      return
    fi
    sleep 0.25
  done
  fail "the title menu never showed its play button"
}
