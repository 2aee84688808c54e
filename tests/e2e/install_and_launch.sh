#!/usr/bin/env bash
# Installs the build into a throw-away prefix, moves that prefix elsewhere, and
# starts the installed game from / : it must find its data beside itself
# (bin/../share/globaro) with no environment variable and whatever the working
# directory. Also checks the desktop launcher, metainfo and icons that go with it.
set -euo pipefail
game=$1
build_dir=$(dirname "$game")
id=io.github.pebblecrest.Globaro
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stderr.txt" ] && grep -v XGetInputFocus "$work/stderr.txt" >&2
  exit 1
}

cmake --install "$build_dir" --prefix "$work/staged" >"$work/install.log" || fail "cmake --install failed: $(cat "$work/install.log")"
# A prefix chosen at install time and then moved: nothing may point back at it.
mv "$work/staged" "$work/moved"
prefix=$work/moved

[ -x "$prefix/bin/globaro" ] || fail "no bin/globaro in the installed tree"
[ -f "$prefix/share/globaro/devdata/params.json" ] || fail "the data is not under share/globaro/devdata"
[ -f "$prefix/share/applications/$id.desktop" ] || fail "no desktop launcher installed"
[ -f "$prefix/share/metainfo/$id.metainfo.xml" ] || fail "no metainfo installed"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon installed"
for size in 16 24 32 48 64 128 256 512; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || fail "no ${size}x${size} icon installed"
  # The PNG header holds the width and height as big-endian words at bytes 16..23.
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $dims"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate --no-hints "$prefix/share/applications/$id.desktop" || fail "the desktop launcher does not validate"
else
  echo "note: desktop-file-validate not installed, launcher not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    fail "the metainfo does not validate: $(cat "$work/appstream.log")"
else
  echo "note: appstreamcli not installed, metainfo not validated"
fi

save_home=$work/save
mkdir -p "$save_home"
launch() {
  # The working directory is / and the process's environment names no data folder.
  (cd / && XDG_DATA_HOME="$save_home" exec "$prefix/bin/globaro") 2>"$work/stderr.txt" &
  pid=$!
}

launch
win=""
for _ in $(seq 100); do
  win=$(xdotool search --name '^GLOBARO:1\.00$' 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the installed game exited at start"
  sleep 0.1
done
[ -n "$win" ] || fail "the installed game opened no window titled GLOBARO:1.00"
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed game did not stay up"
# The installed icon theme gives the window its icon.
if command -v xprop >/dev/null; then
  # A slow start (a loaded machine, a sanitized build) may set it a little later.
  icon_set=""
  for _ in $(seq 50); do
    xprop -id "$win" _NET_WM_ICON 2>/dev/null | grep -q 'Icon (64 x 64)' && { icon_set=1; break; }
    sleep 0.2
  done
  [ -n "$icon_set" ] || fail "the window has no 64 x 64 icon"
fi
xdotool key --window "$win" ctrl+q 2>/dev/null || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not quit the installed game"
status=0; wait "$pid" || status=$?; pid=""
[ "$status" -eq 0 ] || fail "the installed game exited with status $status"

# Proof that the data came from the prefix: without it the game refuses to
# start — unless the build's compiled-in data folder exists on this machine.
builtin_prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build_dir/CMakeCache.txt")
if [ -e "$builtin_prefix/share/globaro/devdata" ]; then
  echo "note: $builtin_prefix/share/globaro exists here, so the missing-data check is skipped"
else
  mv "$prefix/share/globaro" "$prefix/share/globaro-away"
  status=0
  (cd / && XDG_DATA_HOME="$save_home" timeout 20 "$prefix/bin/globaro") 2>"$work/stderr.txt" || status=$?
  [ "$status" -eq 1 ] || fail "with its data moved away the installed game exited with $status, expected 1"
fi
echo "ok"
