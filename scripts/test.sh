#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: an Xvfb server
# with Mesa's software renderer for anything that opens a window, OpenAL Soft's
# null backend for sound, and a throw-away save directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh

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
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$save_home"' EXIT
# Ready when a client can talk to it, not merely when its socket appears.
for _ in $(seq 100); do
  DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done

export DISPLAY=":$display" LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="$save_home"
cd build
ctest --output-on-failure -j"${GLOBARO_JOBS:-2}" "$@"
