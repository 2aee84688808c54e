#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs every test headless, as scripts/test.sh does. Any
# sanitizer finding fails the run: the process that finds it stops, and every
# report is also written to a file, so a finding in a game run by an end-to-end
# script (whose exit status the script may not look at) fails the run as well.
# Usage: scripts/test-sanitized.sh [ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh test

start=$(date +%s)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOBARO_TESTS=ON -DGLOBARO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"${GLOBARO_JOBS:-2}"
built=$(date +%s)
echo "sanitized build: $((built - start)) s"

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
# -noreset: by default the server resets whenever its last client leaves, and a
# test connecting during that moment fails to open the display.
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
save_home=$(mktemp -d)
reports=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$save_home" "$reports"' EXIT
# Ready when a client can talk to it, not merely when its socket appears.
for _ in $(seq 100); do
  DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done

export DISPLAY=":$display" LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="$save_home"
# Leaks inside the GL driver, X and font libraries that the game cannot free are
# suppressed by library name only (see the file); the game's own code never is.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"
# The unattended-play test stretches its waits for start-up and quitting by this
# factor: the sanitized game starts, and checks for leaks at exit, more slowly.
export GLOBARO_TIME_SCALE=${GLOBARO_TIME_SCALE:-2}

status=0
# A test that fails is run once more: LeakSanitizer's own tracer now and then
# crashes while it stops the GL driver's many threads on a loaded machine. A
# real finding still fails the run through its report below.
(cd build-asan && ctest --output-on-failure -j"${GLOBARO_JOBS:-2}" --repeat until-pass:2 "$@") || status=$?
echo "sanitized tests: $(($(date +%s) - built)) s"

# The tracer's crash is not a finding about the program: set it aside, loudly.
for report in "$reports"/*; do
  [ -f "$report" ] || continue
  if grep -q 'LeakSanitizer has encountered a fatal error' "$report" &&
     ! grep -q 'ERROR: AddressSanitizer\|ERROR: LeakSanitizer: detected\|runtime error' "$report"; then
    echo "note: the leak checker itself failed in process $(basename "$report"), not a finding:" >&2
    cat "$report" >&2
    rm "$report"
  fi
done
if compgen -G "$reports/*" >/dev/null; then
  for report in "$reports"/*; do
    echo "=== sanitizer report $(basename "$report")" >&2
    cat "$report" >&2
  done
  echo "FAIL: the sanitizers reported $(ls "$reports" | wc -l) finding(s)" >&2
  status=1
fi
exit "$status"
