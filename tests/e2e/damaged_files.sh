#!/usr/bin/env bash
# Damaged and hostile files, one kind of damage at a time, on the real binary:
# truncated, empty, garbage, JSON of the wrong types or with nothing in it, and
# huge. The parameter file makes the game exit with status 1 and one clear line
# before any window opens. Any other file (the saves, the defaults, the places,
# the outlines, the images, sounds, fonts and the replay) leaves a running game
# that plays its demonstration and showcase ranking and quits normally with
# Ctrl+Q; a damaged save is kept aside byte for byte and a new one written.
# Prints what the game said about each file.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$work/save
save=$XDG_DATA_HOME/globaro
damage="/usr/bin/python3 $(dirname "$0")/../support/damage_file.py"
# Each run goes on through the title and the demonstration's first question
# (which reads an outline) to the showcase ranking (which reads the results);
# for the places, a few seconds into the demonstration that asks them.
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
said() {  # what the game printed, without X's noise
  grep -av 'XGetInputFocus\|globaro: scene ' "$work/stderr.txt" | cut -c1-200 || true
}

# A copy of the data in which one group of files is damaged at a time. The
# title waits one second before its demonstration, which plays three seconds
# before the showcase ranking, so every reader runs within a few seconds.
fresh_data() {
  rm -rf "$work/devdata" "$XDG_DATA_HOME"
  mkdir -p "$work/devdata" "$save"
  for entry in "$source_dir"/devdata/*; do
    [ "$(basename "$entry")" = params.json ] || ln -s "$entry" "$work/devdata/"
  done
  /usr/bin/python3 - "$source_dir/devdata/params.json" "$work/devdata/params.json" <<'PY'
import json, sys
params = json.load(open(sys.argv[1]))
params["title"].update({"disp_time": 1.0, "demo_time": 3.0})
json.dump(params, open(sys.argv[2], "w"))
PY
}
# Replaces links in the data copy (or a linked folder's files) with damaged
# copies; one call of the damaging script for all of them.
damage_data() {  # kind path-under-devdata...
  local kind=$1 path pairs=()
  shift
  for path in "$@"; do
    rm -f "$work/devdata/$path"
    pairs+=("$source_dir/devdata/$path" "$work/devdata/$path")
  done
  $damage "$kind" "${pairs[@]}"
}
damage_folder() {  # kind folder pattern
  local kind=$1 folder=$2 file pairs=() names=()
  rm -f "$work/devdata/$folder"
  mkdir -p "$work/devdata/$folder"
  for file in "$source_dir/devdata/$folder"/$3; do names+=("$(basename "$file")"); done
  if [ "$kind" = huge ]; then  # one huge file, linked under every name, is enough disk
    $damage huge "$source_dir/devdata/$folder/${names[0]}" "$work/devdata/$folder/${names[0]}"
    for file in "${names[@]:1}"; do ln -s "$work/devdata/$folder/${names[0]}" "$work/devdata/$folder/$file"; done
  else
    for file in "${names[@]}"; do pairs+=("$source_dir/devdata/$folder/$file" "$work/devdata/$folder/$file"); done
    $damage "$kind" "${pairs[@]}"
  fi
  # Files the pattern does not cover stay as shipped.
  for file in "$source_dir/devdata/$folder"/*; do
    [ -e "$work/devdata/$folder/$(basename "$file")" ] || ln -s "$file" "$work/devdata/$folder/"
  done
}
# Saves as the game writes them, damaged: from the shipped defaults.
damage_saves() {
  local kind=$1 name
  for name in settings results; do
    /usr/bin/python3 -c "import sys, zlib; open(sys.argv[2], 'wb').write(zlib.compress(open(sys.argv[1], 'rb').read()))" \
      "$source_dir/devdata/$name.json" "$work/$name.dz"
    $damage "$kind" "$work/$name.dz" "$save/$name.dz"
    cp "$save/$name.dz" "$work/$name.damaged"
  done
}

# Runs the game on the damaged copy: it must keep going for some seconds and
# until it has opened a given screen (not stuck), then quit with status 0 on Ctrl+Q.
play() {  # case-name seconds scene
  GLOBARO_TRACE_SCENES=1 "$work/globaro" >/dev/null 2>"$work/stderr.txt" &
  pid=$!
  local win="" waited=0
  for _ in $(seq 150); do
    win=$(xdotool search --name '^GLOBARO:1\.00$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$win" ]; then
    local status=0
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
    wait "$pid" || status=$?
    pid=""
    fail "$1: no window (exit status $status)"
    return
  fi
  while [ "$waited" -lt $(($2 * 4)) ] || ! grep -aq "scene $3\$" "$work/stderr.txt"; do
    if [ "$waited" -ge 160 ]; then
      fail "$1: no $3 after 40 s (stuck?); the last screen: $(grep -a 'scene ' "$work/stderr.txt" | tail -n1)"
      break
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
      local status=0
      wait "$pid" || status=$?
      pid=""
      fail "$1: the game stopped after $((waited / 4)) s with status $status"
      return
    fi
    sleep 0.25
    waited=$((waited + 1))
  done
  xdotool key --window "$win" ctrl+q 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid"
    wait "$pid" || true
    pid=""
    fail "$1: the game did not quit on Ctrl+Q (hung?)"
    return
  fi
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "$1: Ctrl+Q ended the game with status $status"
}

# The messages about one file (by its name), or a note that there were none.
report() {  # case file-name-pattern
  local lines
  lines=$(said | grep -aE -- "$2" | sort -u | head -n 3 || true)
  if [ -n "$lines" ]; then
    sed "s|^|  $1: |" <<<"$lines"
  else
    echo "  $1: (nothing said about $2)"
  fi
}

# A damaged save is moved aside unchanged and a readable one is written in its place.
check_kept_aside() {  # case name
  local aside
  aside=$(ls "$save/$2.dz".damaged-* 2>/dev/null | head -n1 || true)
  if [ -n "$aside" ]; then
    cmp -s "$aside" "$work/$2.damaged" || fail "$1: the kept-aside $2 save differs from the damaged file"
  elif /usr/bin/python3 -c "import json, sys, zlib; assert isinstance(json.loads(zlib.decompress(open(sys.argv[1], 'rb').read())), dict)" \
    "$work/$2.damaged" 2>/dev/null; then
    :  # an object with members of the wrong types is used as it is (they read as neutral values)
  else
    fail "$1: the damaged $2 save was not kept aside"
  fi
  [ -f "$save/$2.dz" ] || [ "$2" = results ] || fail "$1: no new $2 save was written"
}

cp "$game" "$work/globaro"
kinds=${GLOBARO_DAMAGE_KINDS:-truncated empty garbage root-number swapped no-sections huge}

echo "== the parameter file: exit status 1, one line, no window"
for kind in $kinds; do
  fresh_data
  rm "$work/devdata/params.json"
  $damage "$kind" "$source_dir/devdata/params.json" "$work/devdata/params.json"
  status=0
  timeout 60 "$work/globaro" >/dev/null 2>"$work/stderr.txt" || status=$?
  if [ "$status" -eq 1 ]; then
    [ "$(said | wc -l)" -eq 1 ] || fail "params $kind: expected one line, got: $(said)"
    report "params $kind" .
  elif [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
    fail "params $kind: the game started (status $status)"
  else
    fail "params $kind: exit status $status: $(said | tail -n 3)"
  fi
  [ ! -e "$save/settings.dz" ] || fail "params $kind: a refused start wrote the settings"
done

for kind in $kinds; do
  echo "== $kind: saves, defaults, replay, outlines, images, sounds, fonts"
  fresh_data
  damage_saves "$kind"
  damage_data "$kind" settings.json results.json
  damage_folder "$kind" place '*.json'
  case $kind in
    swapped | no-sections | root-number) ;;  # JSON kinds; the other files are not JSON
    *)
      damage_data "$kind" replay.dz
      pngs=()
      for file in "$source_dir"/devdata/*.png; do pngs+=("$(basename "$file")"); done
      damage_data "$kind" "${pngs[@]}"
      damage_folder "$kind" sound '*.wav'
      damage_folder "$kind" fonts '*.[ot]tf'
      ;;
  esac
  play "$kind" 2 "showcase ranking"
  for name in settings.dz results.dz settings.json results.json 'place/|outline' replay.dz '[a-z_0-9]*\.png' '\.wav' 'fonts/|\.[ot]tf'; do
    report "$kind" "$name"
  done
  check_kept_aside "$kind" settings
  check_kept_aside "$kind" results

  echo "== $kind: places"
  fresh_data
  damage_data "$kind" places.json
  play "$kind places" 6 demonstration
  report "$kind" places
done

[ "$failures" -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo ok
