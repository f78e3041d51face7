#!/usr/bin/env bash
# Times Lirabo's lookups beside a StarDict console client on the same WordNet
# content: a single start plus one lookup, and 1000 lookups in one process
# (cold: every section read for the first time; warm: the same words again,
# best of three runs).
# Prints file sizes and peak memory too.
#   bench/compare_sdcv.sh [BUILD_FOLDER]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

if ! command -v sdcv >/dev/null; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y -qq sdcv >/dev/null
fi
[ -x "$build/bin/makrel" ] && [ -x "$build/bin/ldi_to_stardict" ] || \
  cmake --build "$build" -j2 --target makrel ldi_to_stardict
ldi=$build/bin/Dictionaries/english-wordnet.ldi
[ -f "$ldi" ] || scripts/dictionaries "$build/bin/Dictionaries"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/dic/wordnet"
"$build/bin/ldi_to_stardict" "$ldi" "$work/dic/wordnet" wordnet >/dev/null
# The peer builds an index cache on its first run; let it, outside the timing.
sdcv -n -x -e --data-dir "$work" house >/dev/null 2>&1 || true

python3 - "$build/bin/makrel" "$ldi" "$work" <<'PY'
import os, subprocess, sys, time
makrel, ldi, work = sys.argv[1:4]
sdcv = ["sdcv", "-x", "-e", "--data-dir", work]

def median_ms(command, runs=31):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return sorted(times)[runs // 2] * 1000

def batch_seconds(command, words):
    start = time.perf_counter()
    subprocess.run(command, input=words, text=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start

def peak_kb(command, words=None):
    r = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, input=words, text=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    return int(r.stderr.strip().splitlines()[-1])

listing = subprocess.run([makrel, "search", ldi, "*"], capture_output=True, text=True).stdout.splitlines()
all_words = [line.split("\t", 1)[1] for line in listing]
words = all_words[:: max(1, len(all_words) // 1000)][:1000]
text = "\n".join(words) + "\n"

print(f"files: .ldi {os.path.getsize(ldi) / 1e6:.1f} MB; StarDict "
      f"{sum(os.path.getsize(os.path.join(work, 'dic/wordnet', f)) for f in os.listdir(os.path.join(work, 'dic/wordnet'))) / 1e6:.1f} MB")
print(f"start + one lookup (median of 31): makrel {median_ms([makrel, 'lookup', ldi, 'house']):.2f} ms, "
      f"sdcv {median_ms(['sdcv', '-n', '-x', '-e', '--data-dir', work, 'house']):.2f} ms")
for name, command in [("makrel", [makrel, "lookup", "--batch", ldi]), ("sdcv", sdcv)]:
    once = min(batch_seconds(command, text) for _ in range(3))
    five = min(batch_seconds(command, text * 5) for _ in range(3))
    print(f"{name}: {len(words)} lookups in one process: cold {once * 1e6 / len(words):.1f} us each; "
          f"warm (passes 2 to 5) {(five - once) * 1e6 / (4 * len(words)):.1f} us each")
print(f"peak RSS: makrel lookup {peak_kb([makrel, 'lookup', ldi, 'house']) / 1024:.1f} MB, "
      f"batch of 1000 {peak_kb([makrel, 'lookup', '--batch', ldi], text) / 1024:.1f} MB; "
      f"sdcv lookup {peak_kb(['sdcv', '-n', '-x', '-e', '--data-dir', work, 'house']) / 1024:.1f} MB, "
      f"batch {peak_kb(sdcv, text) / 1024:.1f} MB")
PY
