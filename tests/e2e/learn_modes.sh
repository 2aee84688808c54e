#!/usr/bin/env bash
# The ways to learn, with real clicks on the real binary, in a world of two
# places: a country whose outline holds the whole earth, and a region of it
# (two halves that also cover the earth, smaller in area), so any tap on the
# globe lies in both.
# 1. A game in which the question times out: the results list the country
#    under "to practise", and the saved settings hold its statistics (asked
#    once, not found at the first tap) without marking it found.
# 2. A drill, started by the keyboard alone (Tab to it, Enter), with
#    statistics that make the region the weakest place (two misses against
#    the country's one): one tap on the globe answers the first
#    question, so the saved statistics say which place was asked first. The
#    ranking file is left as it was, and Escape (the continue button) leaves.
# 3. Explore: a tap names the most specific place, the region, not the country
#    around it; the continue button goes back to the title.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$work/save
export GLOBARO_TRACE_SCENES=1
shots=${GLOBARO_SHOTS:-}
save=$XDG_DATA_HOME/globaro
# shellcheck source=../support/one_place_world.sh
source "$(dirname "$0")/../support/one_place_world.sh"

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$work/stderr.txt" >&2 || true
  exit 1
}

make_one_place_world
country_name="The Most Serene and Exceedingly Long-Named Republic of Testland"
echo '[[[-10,-10],[210,-10],[210,110],[-10,110]]]' >"$work/devdata/place/country.json"
echo '[[[0,0],[100,0],[100,100],[0,100]],[[100,0],[200,0],[200,100],[100,100]]]' >"$work/devdata/place/region.json"
cat >"$work/devdata/places.json" <<EOF
{"country": {"level": 0, "name": "$country_name", "file": "country.json", "answer": "Capital: Testville"},
 "region": {"level": 1, "name": "North Testshire (Testland)", "file": "region.json", "answer": "Capital: Nortown"}}
EOF
# A question times out after two seconds, before the game clock runs out.
python3 - "$work/devdata/params.json" <<'PY'
import json, sys
params = json.load(open(sys.argv[1]))
params["game"]["ans_time"] = [2] * 12
json.dump(params, open(sys.argv[1], "w"))
PY

start() {
  : >"$work/stderr.txt"
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
  xdotool windowfocus --sync "$win"  # the keys go to the game
}
quit() {
  # Sent twice at most: once under a loaded CI machine the game went on for
  # ten seconds as if the key had never come; a game that ignores both still fails.
  for _ in 1 2; do
    xdotool key --window "$win" ctrl+q 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null || break
  done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
  pid=""
}
shot() { [ -n "$shots" ] && xwd -id "$win" -silent | convert xwd:- "$shots/$1.png" || true; }
scene_count() { grep -c "^globaro: scene $1\$" "$work/stderr.txt" || true; }
wait_scene() {  # $1: scene line, $2: how many of them, $3: seconds
  for _ in $(seq $(($3 * 4))); do
    [ "$(scene_count "$1")" -ge "$2" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game died waiting for \"$1\""
    sleep 0.25
  done
  fail "no scene \"$1\" (x$2) within $3 s"
}
# Clicks a title learn button, placed from its parameters (left and bottom edges).
press_learn() {
  wait_for_play
  local bx by
  read -r bx by < <(python3 -c "import json; p=json.load(open('$work/devdata/params.json'))['title']['learn_widgets']['$1']['pos']; print(p[0], p[1])")
  xdotool mousemove $((X + bx * WIDTH / 960)) $((Y + HEIGHT + by * HEIGHT / 640)) mousedown 1 sleep 0.05 mouseup 1
}
settings() {  # a Python expression over the saved settings d
  python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$save/settings.dz','rb').read())); print($1)"
}

# 1. A game whose one question times out.
start
press_play
wait_scene results 1 40
sleep 3  # the count-up, and the list fades in beside it
shot results_to_practise
quit
[ "$(settings "d['mastery']['places']['country'][:2]")" = "[1, 0]" ] ||
  fail "the timed-out question is not in the statistics: $(settings "d.get('mastery')")"
[ "$(settings "d['places'].get('country')")" = "False" ] || fail "a timed-out place was marked found"
[ "$(settings "sorted(d['mastery']['places'])")" = "['country']" ] || fail "a place never asked has statistics"

# 2. A drill: the region has missed twice, the country once, so the region comes first.
python3 - "$save/settings.dz" <<'PY'
import json, sys, zlib
path = sys.argv[1]
d = json.loads(zlib.decompress(open(path, "rb").read()))
d["mastery"]["places"]["region"] = [2, 0, 0, 0]
open(path, "wb").write(zlib.compress(json.dumps(d).encode()))
PY
ranking() { { md5sum <"$save/results.dz"; } 2>/dev/null || echo none; }
ranking_before=$(ranking)
start
wait_for_play
xdotool key Tab  # the focus ring comes to "play"
sleep 0.3
xdotool key Tab  # then to "drill", below it in the ring's order
sleep 0.3
xdotool key Return
wait_scene drill 1 20
sleep 3  # the first question
shot drill_question
xdotool mousemove "$cx" "$cy" sleep 0.1 mousedown 1 sleep 0.05 mouseup 1
sleep 1
xdotool key Escape  # the continue button
wait_scene title 2 20
quit
[ "$(settings "d['mastery']['places']['region'][:2]")" = "[3, 1]" ] ||
  fail "the drill did not ask the weakest place first: $(settings "d['mastery']")"
[ "$(settings "d['mastery']['places']['country'][:2]")" = "[1, 0]" ] || fail "the drill judged the country too"
[ "$(ranking)" = "$ranking_before" ] || fail "the drill changed the ranking file"

# 3. Explore: the region is named, not the country around it.
start
press_learn explore
wait_scene explore 1 20
sleep 2.5  # the globe stops turning
xdotool mousemove "$cx" "$cy" sleep 0.1 mousedown 1 sleep 0.05 mouseup 1
wait_scene "explore: North Testshire (Testland)" 1 5
[ "$(grep -c "^globaro: scene explore: $country_name" "$work/stderr.txt" || true)" = 0 ] ||
  fail "explore named the country around the region"
sleep 1
shot explore_named
read -r ax ay < <(python3 -c "import json; p=json.load(open('$work/devdata/params.json'))['agree']['widget']['pos']; print(p[0], p[1])")
xdotool mousemove $((cx + ax * WIDTH / 960)) $((cy + ay * HEIGHT / 640)) mousedown 1 sleep 0.05 mouseup 1
wait_scene title 2 20
quit
echo ok
