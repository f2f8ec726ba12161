#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan) in build/fuzz and runs each for
# SECONDS seconds on its own corpus in build/fuzz/corpus/TARGET; prints every target's
# executions and exits non-zero when any target found a crash or a broken invariant (the
# input that did it is left in build/fuzz as crash-*). Usage: scripts/fuzz.sh SECONDS
set -euo pipefail
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
CXX=clang++ CC=clang cmake -S "$root" -B "$build" -DVARTOLIK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-}" >/dev/null
targets=(search_fuzz layout_fuzz hindi_fuzz query_line_fuzz teacher_fuzz)
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null
status=0
total=0
cd "$build"
for t in "${targets[@]}"; do
  mkdir -p "corpus/$t"
  log="$build/$t.log"
  if TMPDIR=/dev/shm "./$t" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
       "corpus/$t" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log" | tail -1)
  runs=${runs:-0}
  total=$((total + runs))
  printf '%-16s %12s executions  %s\n' "$t" "$runs" "$result"
  [ "$result" = ok ] || grep -E "ERROR|: .*(differs|changed|lost|empty|outside|invalid|past)" "$log" | head -5
done
printf '%-16s %12s executions\n' all "$total"
exit $status
