#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP (a session logging out, a terminal closing) quit
# the game the way Ctrl+Q does: exit status 0, and the settings the player
# changed (here the window size) are saved.
set -euo pipefail
game=$1
save_home=$(mktemp -d)
trap 'rm -rf "$save_home"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$save_home
settings=$save_home/globaro/settings.dz

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$save_home/stderr.txt" >&2 || true
  exit 1
}

start_game() {
  "$game" 2>"$save_home/stderr.txt" &
  pid=$!
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --name '^GLOBARO:1\.00$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game exited at start"
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window titled GLOBARO:1.00"
  sleep 1.5  # let the wait screen hand over to the game
}

saved_size() {
  python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$settings','rb').read())); print(int(d['width']), int(d['height']))"
}

width=800
for signal in TERM INT HUP; do
  start_game
  width=$((width + 24))
  xdotool windowsize "$win" "$width" 560
  sleep 0.5
  kill "-$signal" "$pid"
  status=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "SIG$signal did not end the game"
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "after SIG$signal the game exited with status $status, expected 0"
  grep -q "SIG$signal received; saving and quitting" "$save_home/stderr.txt" || fail "SIG$signal was not reported"
  [ "$(saved_size)" = "$width 560" ] || fail "after SIG$signal the saved size is $(saved_size), expected $width 560"
done

# Under nohup SIGHUP stays ignored: the player asked the game to outlive the terminal.
start_game_nohup() {
  nohup "$game" >/dev/null 2>"$save_home/stderr.txt" &
  pid=$!
  sleep 3
  kill -0 "$pid" 2>/dev/null || fail "the game exited at start under nohup"
}
start_game_nohup
kill -HUP "$pid"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "SIGHUP ended a game started with nohup"
kill -TERM "$pid"
status=0
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "SIGTERM under nohup: exit status $status"
echo ok
