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
build/release/vartolik-bench-phonetic "$data" build/release/russform.dat

largest=$(ls -S "$data"/dictiona-*mb.dat | head -1)
work="$data/cli"
mkdir -p "$work"
ln -sf "$largest" "$work/dictiona.dat"
echo
echo "vartolik-cli search vs grep -F -c over $(basename "$largest"), processes, page cache warm:"
build/release/vartolik-bench --processes "$root/build/release/vartolik-cli" "$work"
