#!/usr/bin/env bash
# The command line without a display: help and version print and succeed, an
# unknown option prints the usage and fails with 2, and starting the game with
# no display says so in one line and fails with 1.
set -uo pipefail
game=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { env -u DISPLAY "$game" "$@" >"$out" 2>"$err"; echo $?; }
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

[ "$(run --help)" = 0 ] || fail "--help did not exit with 0"
grep -q "^Usage: globaro" "$out" || fail "--help printed no usage"
[ "$(run --version)" = 0 ] || fail "--version did not exit with 0"
[ "$(cat "$out")" = "globaro 1.00" ] || fail "--version printed '$(cat "$out")'"
[ "$(run --frobnicate)" = 2 ] || fail "an unknown option did not exit with 2"
grep -q -- "--frobnicate" "$err" && grep -q "^Usage: globaro" "$err" || fail "an unknown option gave no usage"
[ "$(run --lang)" = 2 ] || fail "--lang without a code did not exit with 2"
grep -q "^globaro: --lang needs a language code" "$err" || fail "--lang without a code: $(head -n1 "$err")"
[ "$(run)" = 1 ] || fail "without a display the game did not exit with 1"
[ "$(wc -l <"$err")" -eq 1 ] && grep -q "no display" "$err" || fail "without a display: $(cat "$err")"
[ "$(run --windowed)" = 1 ] || fail "--windowed without a display did not exit with 1"
echo ok
