#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/, seeds each from the
# shipped files and runs it for a while. One line per target: executions and
# crashes. Exits 1 when any target crashed; its input is kept under
# build-fuzz/fuzz-crashes/<target>/ (add it under tests/ as a regression case).
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]
#   targets: JsonDocument DzFile SettingsStore WavFile PngImage OutlineReader Replay RankingStore
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(JsonDocument DzFile SettingsStore WavFile PngImage OutlineReader Replay
                                     RankingStore)
build=${GLOBARO_FUZZ_BUILD:-build-fuzz}
corpus_root=$build/fuzz-corpus
crash_root=$build/fuzz-crashes

CXX=${GLOBARO_FUZZ_CXX:-clang++} cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="${GLOBARO_FUZZ_CXX:-clang++}" -DGLOBARO_FUZZ=ON -DGLOBARO_TESTS=OFF >/dev/null
cmake --build "$build" -j"${GLOBARO_JOBS:-2}" --target "${targets[@]/%/_fuzz}" >/dev/null

# Seeds are small versions of the shipped files: the fuzzer mutates small
# inputs far faster, and the structure is what matters. Corpora live in the
# build folder and grow between runs; they are never committed.
seed() {
  local target=$1 dir=$corpus_root/$1
  mkdir -p "$dir"
  /usr/bin/python3 - "$target" "$dir" <<'PY'
import glob, io, os, sys, wave, zlib
target, out = sys.argv[1], sys.argv[2]
def put(name, data):
    with open(os.path.join(out, "seed-" + name), "wb") as f:
        f.write(data)
def read(path):
    with open(path, "rb") as f:
        return f.read()
def smallest(pattern, n):
    return sorted(glob.glob(pattern), key=os.path.getsize)[:n]
if target in ("JsonDocument", "DzFile"):
    for p in ["devdata/settings.json", "devdata/results.json"] + smallest("devdata/place/*.json", 4):
        put(os.path.basename(p), read(p))
        put(os.path.basename(p) + ".dz", zlib.compress(read(p)))
    put("params.json", read("devdata/params.json"))
if target == "DzFile":
    put("replay.dz", read("devdata/replay.dz"))
if target == "SettingsStore":
    put("settings.json", read("devdata/settings.json"))
    put("settings.dz", zlib.compress(read("devdata/settings.json")))
if target == "RankingStore":
    put("results.json", read("devdata/results.json"))
    put("results.dz", zlib.compress(read("devdata/results.json")))
if target == "OutlineReader":
    for p in smallest("devdata/place/*.json", 12) + sorted(glob.glob("devdata/place/*.json"))[::60]:
        put(os.path.basename(p), read(p)[:16384])
    put("outline.dz", zlib.compress(read(smallest("devdata/place/*.json", 1)[0])))
if target == "Replay":
    text = zlib.decompress(read("devdata/replay.dz"))
    put("replay.rep", b"\n".join(text.split(b"\n")[:40]) + b"\n")
    put("replay.dz", zlib.compress(b"\n".join(text.split(b"\n")[:200]) + b"\n"))
if target == "WavFile":
    for p in sorted(glob.glob("devdata/sound/*.wav")):
        with wave.open(p) as w:
            params, frames = w.getparams(), w.readframes(64)
        buf = io.BytesIO()
        with wave.open(buf, "wb") as w:
            w.setparams(params)
            w.writeframes(frames)
        put(os.path.basename(p), buf.getvalue())
if target == "PngImage":
    from PIL import Image
    for p in [p for p in glob.glob("devdata/*.png") + glob.glob("packaging/icons/*.png") +
              glob.glob("tests/gfx/fixtures/*.png") if os.path.getsize(p) < 8192]:
        put(os.path.basename(p), read(p))
    photo = Image.open("devdata/earth_01.png").resize((24, 12))
    for mode in ["RGB", "RGBA", "L", "LA", "P", "1"]:
        buf = io.BytesIO()
        photo.convert(mode).save(buf, "PNG")
        put("earth-" + mode + ".png", buf.getvalue())
    buf = io.BytesIO()
    photo.convert("L").convert("I").point(lambda v: v * 257).save(buf, "PNG")
    put("earth-16bit.png", buf.getvalue())
PY
}

# Readers that take a path get each input as a file in a scratch folder;
# a memory-backed one keeps that from dominating the run.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

# Inputs libFuzzer kept for a crash, a leak, a hang or running out of memory
# (not its "slow-unit" notes, which a busy machine produces).
findings() { find "$1" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l; }

failed=0
for target in "${targets[@]}"; do
  seed "$target"
  crashes=$crash_root/$target
  mkdir -p "$crashes"
  before=$(findings "$crashes")
  log=$build/fuzz-$target.log
  # A crash stops the run with a non-zero status; the log says what it was.
  status=0
  # Stderr is closed for the reader's own one-line messages; libFuzzer and the
  # sanitizers still report on a copy of it.
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -max_len=8192 \
    -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus_root/$target" >"$log" 2>&1 ||
    status=$?
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  [ -n "$runs" ] || runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
  found=$(( $(findings "$crashes") - before ))
  [ "$status" -ne 0 ] && [ "$found" -eq 0 ] && found=1
  echo "$target: $seconds s, ${runs:-0} executions, $found crashes"
  if [ "$found" -ne 0 ]; then
    failed=1
    grep -E 'ERROR|SUMMARY|runtime error' "$log" | head -3 | sed 's/^/  /'
    echo "  log: $log"
  fi
done
exit $failed
