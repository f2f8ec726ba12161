#!/usr/bin/env bash
# Reproduces the search figures: builds an optimised, sanitizer-free copy of the core in
# build/bench, generates dictionaries of 4, 64 and 256 MB under build/bench-data (once), prints
# production search vs byte-at-a-time reference vs `grep -F -c`, the Phonetic search beside
# `grep -F -c`, then the peak memory of
# vartolik-cli searching the 256 MB dictionary. Usage: bench/run.sh [SIZE_MB...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVARTOLIK_SANITIZE=OFF >/dev/null
cmake --build build/bench -j2 --target vartolik-bench vartolik-bench-phonetic vartolik-cli >/dev/null
data="$root/build/bench-data"
mkdir -p "$data"
build/bench/vartolik-bench "$data" "$@"
echo
build/bench/vartolik-bench-phonetic "$data"

largest=$(ls -S "$data"/dictiona-*mb.dat | head -1)
work="$data/cli"
mkdir -p "$work"
ln -sf "$largest" "$work/dictiona.dat"
echo
echo "peak memory of vartolik-cli search over $(basename "$largest"):"
for q in "щёлкнуть" "ёжик" "дело"; do
  cd "$work"
  kb=$( { /usr/bin/time -v "$root/build/bench/vartolik-cli" search "$q" >/dev/null; } 2>&1 |
        awk -F': ' '/Maximum resident set size/ {print $2}')
  echo "  $q: ${kb} KiB"
done
