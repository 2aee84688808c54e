#!/usr/bin/env bash
# Takes the README's screenshots from the real game under Xvfb: the title, a
# question, a correct answer with its ring, the results and the ranking. They
# come from the end-to-end scripts, which save their frames when GLOBARO_SHOTS
# names a folder. Needs a built game (scripts/build.sh) and the test packages.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(mktemp -d)
display=""
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$shots"' EXIT
sleep 1
export DISPLAY=":$display" LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null GLOBARO_SHOTS=$shots
for script in ${GLOBARO_SCRIPTS:-title_attract_cycle play_a_game game_to_ranking}; do
  bash "tests/e2e/$script.sh" build/globaro . build/tests/close_window
done
mkdir -p docs
cp "$shots/menu.png" docs/title.png
cp "$shots/first-question.png" docs/question.png
cp "$shots/correct.png" docs/correct.png
cp "$shots/first-results.png" docs/results.png
cp "$shots/first-ranking.png" docs/ranking.png
echo "docs/: title, question, correct, results, ranking"
