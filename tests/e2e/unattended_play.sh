#!/usr/bin/env bash
# Unattended play: the real binary with the shipped data, fed random X events
# for GLOBARO_SOAK_SECONDS (default 180): clicks, drags, right-drags, presses
# released outside the window, held and tapped keys (never Ctrl+Q or Ctrl+W,
# which quit), and now and then a click where the title's play button or the
# continue button stands, so the game keeps going round title, demonstration,
# game, results and ranking. Quiet spells (every other title, and every two and
# a half minutes) let the title's attract cycle start and a game's clock run out
# on their own.
# It must not crash (alive at the end, and a clean exit with status 0 on
# Ctrl+Q, so a sanitized build's leak check passes too), must not get stuck
# (the game names each screen it opens; none may stay up longer than
# GLOBARO_SOAK_STUCK seconds, and the picture must keep moving), and its
# memory must stay flat: resident size at the end within 10 % of the size
# after the first minute.
# The events come from a fixed seed (GLOBARO_SOAK_SEED), printed at the start.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$work/save
export GLOBARO_TRACE_SCENES=1
# Under AddressSanitizer every freed block waits in a quarantine (256 MB by
# default) before it is reused, so resident size creeps up for half an hour
# whatever the game does. A small quarantine fills in the first minute and
# leaves the memory check measuring the game.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16"
seconds=${GLOBARO_SOAK_SECONDS:-180}
stuck=${GLOBARO_SOAK_STUCK:-180}
seed=${GLOBARO_SOAK_SEED:-1313}
scale=${GLOBARO_TIME_SCALE:-1}
shots=${GLOBARO_SHOTS:-}
RANDOM=$seed
echo "unattended play: $seconds s, seed $seed"

stderr=$work/stderr.txt
fail() {
  echo "FAIL: $*" >&2
  grep -v XGetInputFocus "$stderr" | tail -n 60 >&2 || true
  exit 1
}
sanitizer_report() { grep -q -E 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: (Address|UndefinedBehavior)Sanitizer' "$stderr"; }
alive() {
  kill -0 "$pid" 2>/dev/null || fail "the game died after $events events (seed $seed)"
  ! sanitizer_report || fail "a sanitizer report after $events events (seed $seed)"
}
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }

events=0
"$game" 2>"$stderr" &
pid=$!
win=""
for _ in $(seq $((100 * scale))); do
  win=$(xdotool search --name '^GLOBARO:1\.00$' 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  alive
  sleep 0.1
done
[ -n "$win" ] || fail "no window"
eval "$(xdotool getwindowgeometry --shell "$win")"
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
param() { python3 -c "import json; p=json.load(open('$source_dir/devdata/params.json')); print($1)"; }
read -r play_x play_y < <(param "' '.join(str(v) for v in p['title']['start_widgets']['play']['pos'])")
read -r agree_x agree_y < <(param "' '.join(str(v) for v in p['agree']['widget']['pos'])")
layout_to_screen() { echo $((X + WIDTH / 2 + $1 * WIDTH / 960)) $((Y + HEIGHT / 2 + $2 * HEIGHT / 640)); }
read -r play_sx play_sy < <(layout_to_screen "$play_x" "$play_y")
read -r agree_sx agree_sy < <(layout_to_screen "$agree_x" "$agree_y")

# Both set px and py (screen pixels); no subshell, so the seeded sequence stays one.
inside() { px=$((X + RANDOM % WIDTH)); py=$((Y + RANDOM % HEIGHT)); }
outside() {  # a point of the screen beside the window (left, right, above or below it)
  local right=$((screen_w - X - WIDTH)) below=$((screen_h - Y - HEIGHT))
  case $((RANDOM % 4)) in
    0) px=$((RANDOM % (X > 0 ? X : 1))); py=$((RANDOM % screen_h)) ;;
    1) px=$((X + WIDTH + RANDOM % (right > 0 ? right : 1))); py=$((RANDOM % screen_h)) ;;
    2) px=$((RANDOM % screen_w)); py=$((RANDOM % (Y > 0 ? Y : 1))) ;;
    *) px=$((RANDOM % screen_w)); py=$((Y + HEIGHT + RANDOM % (below > 0 ? below : 1))) ;;
  esac
}
pause() { sleep "0.$((RANDOM % 4))$((RANDOM % 10))"; }
# Keys a player might press; Control is never held, so no quit or window reset.
keys=(Left Right Up Down Return KP_Enter Escape space Tab BackSpace plus minus equal KP_Add KP_Subtract
      Page_Up Page_Down Home End a d s w x z p q r m 1 2 3 0 F1 F2 F5 Delete Insert)
x11() { xdotool "$@" 2>/dev/null || true; }

drag() {  # $1: button; from a point inside to a point inside or, with $2 = out, outside
  local x0 y0
  inside; x0=$px; y0=$py
  if [ "${2:-}" = out ]; then outside; else inside; fi
  x11 mousemove "$x0" "$y0" mousedown "$1" sleep 0.05 \
    mousemove $(((x0 + px) / 2)) $(((y0 + py) / 2)) sleep 0.05 mousemove "$px" "$py" sleep 0.05 mouseup "$1"
}

random_event() {
  local r=$((RANDOM % 100)) key
  if [ $r -lt 30 ]; then
    inside; x11 mousemove "$px" "$py" click 1
  elif [ $r -lt 40 ]; then
    drag 1
  elif [ $r -lt 50 ]; then
    drag 3
  elif [ $r -lt 55 ]; then
    drag 1 out
  elif [ $r -lt 58 ]; then
    drag 3 out
  elif [ $r -lt 61 ]; then
    outside; x11 mousemove "$px" "$py" click 1
  elif [ $r -lt 66 ]; then
    inside; x11 mousemove "$px" "$py"
  elif [ $r -lt 78 ]; then
    key=${keys[$((RANDOM % ${#keys[@]}))]}; x11 key --window "$win" "$key"
  elif [ $r -lt 83 ]; then
    key=${keys[$((RANDOM % 4))]}; x11 keydown --window "$win" "$key" sleep "0.$((RANDOM % 9 + 1))" keyup --window "$win" "$key"
  elif [ $r -lt 86 ]; then
    inside; x11 mousemove "$px" "$py" click 1 sleep 0.08 click 1
  elif [ $r -lt 94 ]; then
    x11 mousemove "$agree_sx" "$agree_sy" click 1
  else
    x11 mousemove "$play_sx" "$play_sy" click 1
  fi
  events=$((events + 1))
}

scenes() { grep -o 'globaro: scene .*' "$stderr" | cut -d' ' -f3- || true; }
scene_lines=0
titles=0
scene_changed=$SECONDS
last_hash=""
same_shots=0
rss_first=""
start=$SECONDS
next_check=$((start + 10))
quiet_until=0
next_quiet=$((start + 150))
next_report=$((start + 300))
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  now=$SECONDS
  if [ "$now" -ge "$next_check" ]; then
    next_check=$((now + 10))
    alive
    n=$(scenes | wc -l)
    if [ "$n" -ne "$scene_lines" ]; then
      scene_lines=$n
      scene_changed=$now
      # Every other time the title opens, leave it alone long enough for its
      # attract cycle (the demonstration and a showcase ranking) to start.
      if [ "$(scenes | tail -n1)" = title ]; then
        titles=$((titles + 1))
        if [ $((titles % 2)) -eq 1 ]; then quiet_until=$((now + 40)); fi
      fi
    fi
    [ $((now - scene_changed)) -le "$stuck" ] ||
      fail "the screen \"$(scenes | tail -n1)\" stayed up more than $stuck s (seed $seed)"
    # A hung main loop shows the same picture: the globe always moves on some screen.
    hash=$(xwd -id "$win" -silent 2>/dev/null | md5sum | cut -c1-32)
    if [ "$hash" = "$last_hash" ]; then same_shots=$((same_shots + 1)); else same_shots=0; fi
    last_hash=$hash
    [ "$same_shots" -lt 6 ] || fail "the picture has not changed for a minute (seed $seed)"
    if [ -z "$rss_first" ] && [ $((now - start)) -ge 60 ]; then
      rss_first=$(rss_kb)
      echo "resident after the first minute: $rss_first kB"
    fi
    if [ "$now" -ge "$next_report" ]; then
      echo "$((now - start)) s: $events events, $(scenes | wc -l) screens, resident $(rss_kb) kB"
      next_report=$((next_report + 300))
    fi
    [ -n "$shots" ] && xwd -id "$win" -silent | convert xwd:- "$shots/soak-$((now - start)).png" || true
    # Every two and a half minutes a quiet spell: the title's attract cycle
    # starts, a game's clock runs out, a ranking closes by itself.
    if [ "$now" -ge "$next_quiet" ]; then
      quiet_until=$((now + 30))
      next_quiet=$((next_quiet + 150))
    fi
  fi
  if [ "$now" -lt "$quiet_until" ]; then sleep 1; continue; fi
  random_event
  pause
done

alive
rss_last=$(rss_kb)
seen=$(scenes | sort | uniq -c | sort -rn | awk '{c=$1; $1=""; printf "%s%s x%d", sep, substr($0, 2), c; sep=", "}')
echo "events: $events; screens opened: $(scenes | wc -l) ($seen)"
echo "resident: ${rss_first:-?} kB after the first minute, $rss_last kB at the end"

xdotool key --window "$win" ctrl+q 2>/dev/null || true
status=0
for _ in $(seq $((300 * scale))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit on Ctrl+Q"
wait "$pid" || status=$?
pid=""
! sanitizer_report || fail "a sanitizer report at exit"
[ "$status" -eq 0 ] || fail "the game exited with status $status"

[ "$(scenes | wc -l)" -ge 3 ] || fail "fewer than three screens opened in $seconds s"
if [ -n "$rss_first" ]; then
  [ $((rss_last * 10)) -le $((rss_first * 11)) ] ||
    fail "memory grew from $rss_first kB after the first minute to $rss_last kB"
fi
echo ok
