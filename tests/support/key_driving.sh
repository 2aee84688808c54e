# Sourced by the end-to-end scripts that drive a game with the keyboard: a
# window grab, measures of the screenshots, and a start from the title by Tab
# and Enter. Needs: work (holding the one-place world's globaro), fail, and
# wait_for_play from one_place_world.sh; shots (optional) keeps the grabs.

# A clock long enough for the keys to take their time (the one answer ends the game).
lengthen_clock() {
  python3 - "$work/devdata/params.json" <<'PY'
import json, sys
params = json.load(open(sys.argv[1]))
params["game"]["time"] = [60, 60, 0]
# A loaded machine can take longer than a question allows between two keys,
# and a time-out would end the one-place game before the keys were tried.
params["game"]["ans_time"] = [60] * len(params["game"]["ans_time"])
json.dump(params, open(sys.argv[1], "w"))
PY
}

# The shipped settings with the first run behind them, so a key skips the
# opening pictures (the script's minutes go to what it tests).
not_first_run() {
  mkdir -p "$XDG_DATA_HOME/globaro"
  python3 - "$source_dir/devdata/settings.json" "$XDG_DATA_HOME/globaro/settings.json" <<'PY'
import json, sys
settings = json.load(open(sys.argv[1]))
settings["firstexec"] = False
json.dump(settings, open(sys.argv[2], "w"))
PY
}

grab() { xwd -id "$win" -silent | convert xwd:- "$work/$1.png"; [ -z "$shots" ] || cp "$work/$1.png" "$shots/keys-$1.png"; }
# Measures the screenshots: shift A B (how far the picture moved right between
# them, window pixels), reticle A (1 when the sight marks the centre), cover A
# (pixels of globe in a band across the middle), menu A [paused] (1 when
# the pause button stands where the running or the paused menu puts it).
measure() {
  /usr/bin/python3 - "$work" "$@" <<'PY'
import sys
import numpy as np
from PIL import Image
work, what, *args = sys.argv[1:]
img = lambda n: np.asarray(Image.open(f"{work}/{n}.png").convert("L"), dtype=float)
if what == "shift":
    a, b = img(args[0]), img(args[1])
    h, w = a.shape
    y0, y1, x0, x1 = h // 2 - 50, h // 2 + 50, w // 2 - 100, w // 2 + 100
    err = lambda d: np.mean((a[y0:y1, x0:x1] - b[y0:y1, x0 + d:x1 + d]) ** 2)
    print(min(range(-250, 251), key=err))
elif what == "reticle":
    a = img(args[0])
    h, w = a.shape
    s = h / 640
    # The white ring at 14 layout units, sampled around the centre, against the dark
    # halo just inside it.
    ring = [a[int(h / 2 + 14 * s * np.sin(t)), int(w / 2 + 14 * s * np.cos(t))] for t in np.linspace(0.3, 6.0, 12)]
    print(1 if np.median(ring) > 200 else 0)
elif what == "cover":
    a = img(args[0])
    h, w = a.shape
    rgb = np.asarray(Image.open(f"{work}/{args[0]}.png").convert("RGB"), dtype=int)
    band = rgb[int(h * 0.4):int(h * 0.6)].max(axis=2)  # clear of the HUD panels
    print(int(np.sum(band > 12)))  # the globe, even its darkest sea, against black space
elif what == "menu":
    a = img(args[0])
    h, w = a.shape
    s = h / 640
    x = w - (56.5 + (240 if args[1:] == ["paused"] else 0)) * s
    box = a[int(150 * s - 20 * s):int(150 * s + 20 * s), int(x - 20 * s):int(x + 20 * s)]
    print(1 if np.sum(box > 220) > 40 * s * s else 0)
elif what == "gold":  # the title's play button: its gold fill either side of the label
    rgb = np.asarray(Image.open(f"{work}/{args[0]}.png").convert("RGB"), dtype=int)
    h, w, _ = rgb.shape
    px, py = int(args[1]), int(args[2])
    dx, dy = 70 * w // 960, 12 * h // 640
    gold = lambda x, y: rgb[y, x, 0] > 180 and rgb[y, x, 1] > 110 and rgb[y, x, 2] < 110
    print(1 if gold(px - dx, py + dy) and gold(px + dx + dx // 2, py + dy) else 0)
elif what == "ring":  # the focus ring: gold just outside the left end of the play button
    rgb = np.asarray(Image.open(f"{work}/{args[0]}.png").convert("RGB"), dtype=int)
    h, w, _ = rgb.shape
    s = h / 640
    px, py = int(args[1]), int(args[2])
    xs = range(int(px - 130 * s), int(px - 121 * s))
    gold = [x for x in xs if rgb[py, x, 0] > 180 and rgb[py, x, 1] > 110 and rgb[py, x, 2] < 110]
    print(1 if gold else 0)
PY
}
wait_until() {  # wait_until LOOKS WHAT-to-measure...: until the measure gives 1, at most LOOKS looks
  local limit=$1
  shift
  for _ in $(seq "$limit"); do
    kill -0 "$pid" 2>/dev/null || fail "the game died"
    grab poll
    [ "$(measure "$@")" = 1 ] && return 0
    sleep 0.1
  done
  return 1
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
  xdotool windowfocus --sync "$win"
  # Escape is a tap beside everything: after the first run it skips the opening.
  sleep 1.5
  xdotool key Escape
  wait_for_play
  grab title
  [ "$(measure ring title "$px" "$py")" = 0 ] || fail "a focus ring shows before any key was used"
  xdotool key Tab  # the focus ring comes to "play"
  wait_until 30 ring poll "$px" "$py" || fail "Tab did not put the focus ring around play"
  grab title-ring
  xdotool key Return
  wait_until 150 menu poll || fail "Tab and Enter on the title did not start a game"
  sleep 0.5  # the menu has slid in
}

quit_game() {
  xdotool key --window "$win" ctrl+q 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
  pid=""
}
settings() { python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$XDG_DATA_HOME/globaro/settings.dz','rb').read())); print($1)"; }

