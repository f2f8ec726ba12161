#!/usr/bin/env bash
# Reproduces the search figures: builds the release preset (optimised, no sanitizers) in
# build/release, generates dictionaries of 4, 64 and 256 MB under build/bench-data (once),
# prints the production search vs the byte-at-a-time reference vs `grep -F -c` in one process,
# the Phonetic search beside `grep -F -c`,
# then vartolik-cli against `LC_ALL=C grep -F -c` as whole processes over the largest file
# (median of alternated pairs, the CLI's peak memory). Usage: bench/run.sh [SIZE_MB...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
data="$root/build/bench-data"
mkdir -p "$data"
build/release/vartolik-bench "$data" "$@"
echo
build/release/vartolik-bench-phonetic "$data" build/release/russform.dat build/release/common.dat

largest=$(ls -S "$data"/dictiona-*mb.dat | head -1)
work="$data/cli"
mkdir -p "$work"
ln -sf "$largest" "$work/dictiona.dat"
echo
echo "vartolik-cli search vs grep -F -c over $(basename "$largest"), processes, page cache warm:"
build/release/vartolik-bench --processes "$root/build/release/vartolik-cli" "$work"

# The gloss of a 10 000-word real text (the held-out Hindi texts of data/coverage_texts.tsv,
# the first 10 000 words) with the release CLI and the real dictionary: tables built once,
# then a look-up per word. Median wall time of 5 runs and the peak memory.
text="$data/gloss-10000.txt"
if [ ! -s "$text" ]; then
  python3 - "$text" <<'PY'
import sys
sys.path.insert(0, "data")
import hindi_texts
strings, _ = hindi_texts.part_strings(hindi_texts.read_manifest(), hindi_texts.texts_dir())
words = [w for s in strings["held-out"] for w in hindi_texts.WORD_RE.findall(s)][:10000]
open(sys.argv[1], "w", encoding="utf-8").write(" ".join(words) + "\n")
PY
fi
echo
echo "vartolik-cli gloss of $(wc -w < "$text") words (build/release/dictiona.dat):"
for i in 1 2 3 4 5; do
  /usr/bin/time -f "%e %M" build/release/vartolik-cli gloss --dictionary build/release/dictiona.dat \
    < "$text" 2>&1 >/dev/null | tail -1
done | sort -n | awk 'NR == 3 { printf "  median %.2f s, peak %d KiB\n", $1, $2 }'
