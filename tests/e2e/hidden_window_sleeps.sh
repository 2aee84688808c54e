#!/usr/bin/env bash
# Nobody looks, nothing runs: with its window unmapped (what minimising does)
# the game neither steps nor draws, so its CPU time all but stops; mapped again
# it draws at once and goes on.
set -euo pipefail
game=$1
save_home=$(mktemp -d)
trap 'rm -rf "$save_home"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$save_home

fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$save_home/stderr.txt" >&2 || true
  exit 1
}
# Clock ticks of CPU the process (all its threads) has used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
shot() { xwd -id "$win" -silent | md5sum | cut -d' ' -f1; }
# CPU ticks used over a few seconds.
cpu_over() {
  local before after
  before=$(cpu_ticks)
  sleep "$1"
  after=$(cpu_ticks)
  echo $((after - before))
}

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
sleep 2  # the wait screen hands over to the title, which spins the globe

shown=$(cpu_over 3)
[ "$shown" -gt 15 ] || fail "the shown title used only $shown ticks in 3 s: is it drawing at all?"

xdotool windowminimize "$win" 2>/dev/null || true  # needs a window manager; unmapping is what it comes to
xdotool windowunmap --sync "$win"
sleep 0.5
hidden=$(cpu_over 3)
kill -0 "$pid" 2>/dev/null || fail "the game died while hidden"
# A few ticks for the slow timer and the X connection; drawing costs hundreds.
[ "$hidden" -le 10 ] || fail "hidden for 3 s the game still used $hidden ticks (shown: $shown)"

xdotool windowmap --sync "$win"
sleep 0.3
first=$(shot)
sleep 0.5
[ "$(shot)" != "$first" ] || fail "mapped again, the window does not change: the game is not drawing"
again=$(cpu_over 2)
[ "$again" -gt 10 ] || fail "mapped again, the game used only $again ticks in 2 s"

kill -0 "$pid" 2>/dev/null || fail "the game died after being shown again"
xdotool key --window "$win" ctrl+q 2>/dev/null || true
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit on Ctrl+Q after being hidden"
wait "$pid" || fail "the game exited with status $? after being hidden"
pid=""
echo "ok (CPU ticks: shown $shown in 3 s, hidden $hidden in 3 s, shown again $again in 2 s)"
