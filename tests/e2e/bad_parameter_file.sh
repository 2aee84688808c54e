#!/usr/bin/env bash
# The parameter file is the one piece of data the game cannot run without: a
# missing or broken one gives one clear line and exit status 1, and no window.
set -euo pipefail
game=$1
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/save
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/devdata"
cp "$game" "$work/globaro"
for entry in "$source_dir"/devdata/*; do
  [ "$(basename "$entry")" = params.json ] || ln -s "$entry" "$work/devdata/"
done

run() {
  status=0
  timeout 20 "$work/globaro" >"$work/out.txt" 2>"$work/err.txt" || status=$?
  [ "$status" -eq 1 ] || fail "$1: exit status $status, expected 1"
}

printf '{\n "game": {\n  "time": [60, 60, oops]\n }\n}\n' >"$work/devdata/params.json"
run "syntax error"
grep -q 'params.json: syntax error at line 3' "$work/err.txt" || fail "no line naming the file and line: $(cat "$work/err.txt")"
[ "$(grep -cv XGetInputFocus "$work/err.txt")" -eq 1 ] || fail "expected one line, got: $(cat "$work/err.txt")"

rm "$work/devdata/params.json"
run "missing file"
grep -q 'params.json' "$work/err.txt" || fail "the message does not name the file: $(cat "$work/err.txt")"
[ ! -e "$XDG_DATA_HOME/globaro/settings.dz" ] || fail "a failed start wrote the settings"
echo ok
