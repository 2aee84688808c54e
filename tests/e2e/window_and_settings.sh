#!/usr/bin/env bash
# Drives the real game binary with X events: the window title and size, the
# quit shortcuts saving the settings, a resized window coming back at its size,
# and Ctrl+R restoring 960 x 640.
set -euo pipefail
game=$1
close_window=${3:?path of the close_window helper}
save_home=$(mktemp -d)
trap 'rm -rf "$save_home"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$save_home
settings=$save_home/globaro/settings.dz

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${pid:-}" ] && ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"; echo "the game had exited with status $?" >&2
  fi
  grep -v XGetInputFocus "$save_home/stderr.txt" >&2 || true
  exit 1
}
# xdotool key --window sends the keys straight to the window.
send_key() { xdotool key --window "$win" "$1" || fail "could not send $1: the window is gone"; }
# A quit key closes the window before xdotool has sent the key releases, so its
# BadWindow complaint is expected; whether the game really quit is checked next.
send_quit_key() { xdotool key --window "$win" "$1" 2>/dev/null || true; }

start_game() {
  "$game" 2>"$save_home/stderr.txt" &
  pid=$!
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --name '^GLOBARO:1\.00$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game exited at start: $(cat "$save_home/stderr.txt")"
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window titled GLOBARO:1.00"
  sleep 1.5  # let the wait screen hand over to the game
}

window_size() { xdotool getwindowgeometry --shell "$win" | awk -F= '/^WIDTH|^HEIGHT/ {printf "%s ", $2}'; }

wait_exit() {
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      status=0
      wait "$pid" || status=$?
      pid=""
      [ "$status" -eq 0 ] || fail "the game exited with status $status"
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not exit"
}

saved() {
  python3 -c "import zlib,json; d=json.loads(zlib.decompress(open('$settings','rb').read())); print($1)"
}
saved_size() { saved "int(d['width']), int(d['height'])"; }

# First run: the defaults give the authored size.
start_game
[ "$(window_size)" = "960 640 " ] || fail "first window is $(window_size), expected 960 640"
xdotool windowsize "$win" 800 600
sleep 0.5
send_quit_key ctrl+q
wait_exit
[ -f "$settings" ] || fail "Ctrl+Q did not save the settings"
[ "$(saved_size)" = "800 600" ] || fail "saved size is $(saved_size), expected 800 600"
[ "$(saved "d['volume']")" = "$(python3 -c "import json; print(json.load(open('$2/devdata/settings.json'))['volume'])")" ] ||
  fail "the volume was not saved"

# Second run: the window comes back at 800 x 600; no key but the three shortcuts
# quits or resets it; Ctrl+R restores 960 x 640, Ctrl+W quits.
start_game
[ "$(window_size)" = "800 600 " ] || fail "reopened window is $(window_size), expected 800 600"
for key in q w r Q W R Escape Return space F1 F4 ctrl+a ctrl+e ctrl+s ctrl+t ctrl+v alt+q alt+r super+w; do
  send_key "$key"
done
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "a key other than Ctrl+Q or Ctrl+W quit the game"
[ "$(window_size)" = "800 600 " ] || fail "a key other than Ctrl+R reset the window to $(window_size)"
send_key ctrl+r
sleep 0.5
[ "$(window_size)" = "960 640 " ] || fail "after Ctrl+R the window is $(window_size)"
send_quit_key ctrl+w
wait_exit
[ "$(saved_size)" = "960 640" ] || fail "after Ctrl+W the saved size is $(saved_size)"

# Closing the window goes through the same exit path.
start_game
xdotool windowsize "$win" 900 600
sleep 0.5
"$close_window" "$win"
wait_exit
[ "$(saved_size)" = "900 600" ] || fail "closing the window saved $(saved_size), expected 900 600"

# A damaged save file is kept aside and the game starts from the defaults.
printf 'x\234 damaged' >"$settings"
start_game
send_quit_key ctrl+q
wait_exit
ls "$save_home"/globaro/settings.dz.damaged-* >/dev/null 2>&1 || fail "the damaged save was not kept aside"
[ "$(saved_size)" = "960 640" ] || fail "after a damaged save the game did not start from the defaults"
echo "ok"
