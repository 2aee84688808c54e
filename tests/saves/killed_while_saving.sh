#!/usr/bin/env bash
# Saves survive SIGKILL at any moment: after each kill the settings and the
# results are each the previous or the next complete version, never damaged
# and never missing. Hundreds of kills land on save_loop, which saves through
# the game's own stores in a loop; a few land on the real game around its
# settings save (Ctrl+Q, SIGTERM); its results are saved by the same store
# save_loop drives.
set -euo pipefail
save_loop=$1
game=$2
source_dir=$(cd "$3" && pwd)
kills=${GLOBARO_KILLS:-250}
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*" >&2
  for f in "$work"/err.txt "$work"/stderr.txt; do [ -f "$f" ] && grep -v XGetInputFocus "$f" >&2; done
  exit 1
}
no_damaged() {
  for f in "$1"/*.damaged-*; do [ ! -e "$f" ] || fail "$2: a save was found damaged and kept aside as $f"; done
}
# The machine may be busy: the loop below forks nothing but save_loop itself,
# and naps with read's time-out instead of sleep.
exec {nap_fd}<> <(:)
nap() { read -r -t "$1" -u "$nap_fd" || true; }

# --- save_loop: each run reports the versions it read and the ones it saved.
mkdir -p "$work/loop/devdata" "$work/loop-save"
cp "$source_dir/devdata/settings.json" "$source_dir/devdata/results.json" "$work/loop/devdata/"
settings=0                   # the generation last known on disk
results=$(python3 -c "import json; print(len(json.load(open('$source_dir/devdata/results.json'))['normal']))")
mid_save=0
for ((i = 1; i <= kills; i++)); do
  : >"$work/out.txt"
  "$save_loop" "$work/loop/" "$work/loop-save/" >"$work/out.txt" 2>"$work/err.txt" &
  pid=$!
  # Once it has read the files (so a slow start does not eat the time), at a
  # random moment among its next few saves.
  line=""
  until [ -n "$line" ] || ! kill -0 "$pid" 2>/dev/null; do read -r line <"$work/out.txt" || nap 0.002; done
  nap "0.0$((RANDOM % 40 + 10))"
  kill -9 "$pid" 2>/dev/null || fail "kill $i: save_loop had stopped by itself"
  wait "$pid" 2>/dev/null || true
  pid=""
  [ ! -s "$work/err.txt" ] || fail "kill $i: save_loop complained"
  no_damaged "$work/loop-save" "kill $i"
  last_settings=$settings
  last_results=$results
  while read -r what value rows; do
    case $what in
      start)
        # What this run read is what the previous kill left: the last version
        # that run reported saved, or the one it was saving.
        [ "$value" -eq "$settings" ] || [ "$value" -eq $((settings + 1)) ] ||
          fail "kill $i: the settings hold generation $value, expected $settings or $((settings + 1))"
        [ "$rows" -eq "$results" ] || [ "$rows" -eq $((results + 1)) ] ||
          fail "kill $i: the results hold $rows rows, expected $results or $((results + 1))"
        [ "$value" -eq "$settings" ] && [ "$rows" -eq "$results" ] || mid_save=$((mid_save + 1))
        last_settings=$value
        last_results=$rows
        ;;
      settings) last_settings=$value ;;
      results) last_results=$value ;;
    esac
  done <"$work/out.txt"
  settings=$last_settings
  results=$last_results
done
# An independent reader has the last word on the files the last kill left.
python3 - "$work/loop-save" "$settings" "$results" <<'PY' || fail "the files left by the last kill"
import json, sys, zlib
folder, gen, rows = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
s = json.loads(zlib.decompress(open(folder + "/settings.dz", "rb").read()))
r = json.loads(zlib.decompress(open(folder + "/results.dz", "rb").read()))
assert s["generation"] in (gen, gen + 1), (s["generation"], gen)
assert len(r["normal"]) in (rows, rows + 1), (len(r["normal"]), rows)
PY
echo "save_loop: $kills kills, settings generation $settings, $results result rows," \
  "$mid_save kills left a save the run had not reported"
[ "$mid_save" -gt 0 ] || fail "no kill landed between a save and its report: the kills were not random enough"

# --- The real game, killed around its real saves.
export XDG_DATA_HOME=$work/save
save=$XDG_DATA_HOME/globaro

start_game() {
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
}
kill_hard() {
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
stored() { python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$save/$1','rb').read())); print($2)"; }

# The settings are saved on the way out: kill the game at a random moment after
# asking it to quit, by key or by signal.
# A first run that quits normally leaves a settings file to lose, and shows how
# long quitting takes here (in centiseconds): the kills below land within it.
start_game
quit_started=$EPOCHREALTIME
xdotool key --window "$win" ctrl+q 2>/dev/null || true
for _ in $(seq 1000); do kill -0 "$pid" 2>/dev/null || break; nap 0.01; done
quit_cs=$(((${EPOCHREALTIME/./} - ${quit_started/./}) / 10000 + 1))
kill_hard
width=$(stored settings.dz "int(d['width'])") || fail "the first run did not save its settings"
old_new=""
for i in 1 2 3 4 5 6; do
  start_game
  wanted=$((700 + 20 * i))
  xdotool windowsize "$win" "$wanted" 500
  sleep 0.5
  if [ $((i % 2)) -eq 1 ]; then
    xdotool key --window "$win" ctrl+q 2>/dev/null || true
  else
    kill -TERM "$pid"
  fi
  delay=$((RANDOM % (quit_cs * 3 / 2 + 1)))
  nap "$((delay / 100)).$(printf '%02d' $((delay % 100)))"
  kill_hard
  no_damaged "$save" "game kill $i"
  now=$(stored settings.dz "int(d['width'])" 2>/dev/null) || fail "game kill $i: the settings are gone or unreadable"
  [ "$now" = "$width" ] || [ "$now" = "$wanted" ] ||
    fail "game kill $i: the saved width is $now, expected $width or $wanted"
  old_new+="$([ "$now" = "$wanted" ] && echo new || echo old) "
  width=$now
done
echo "game settings kills (quitting took ${quit_cs}0 ms): $old_new"

echo ok
