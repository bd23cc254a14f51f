#!/usr/bin/env bash
# Builds the reader fuzz harness with clang and runs it for a bounded time on
# a seed corpus of the input fixtures. Every input that crashes is kept in
# tests/fuzz/regressions/ and the script exits non-zero.
#
#   tests/fuzz/run.sh [SECONDS]     (default 60; at most 120 of fuzzing, and
#                                    the build counts against the budget)
set -u -o pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${DRELM_FUZZ_BUILD:-$root/build-fuzz}"
regressions="$here/regressions"

budget="${1:-60}"
if ! [[ "$budget" =~ ^[0-9]+$ ]] || [ "$budget" -lt 1 ]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
[ "$budget" -gt 120 ] && budget=120
start=$SECONDS

jobs="$(nproc 2>/dev/null || echo 2)"
echo "== building the fuzz harness in $build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRELM_FUZZ=ON -DDRELM_TESTS=OFF -DDRELM_BENCH=OFF >/dev/null || exit 1
cmake --build "$build" --target readin_fuzz -j "$jobs" || exit 1

# Whatever the build took comes off the fuzzing time, so that the whole run
# stays within the budget; a few seconds of fuzzing always remain.
left=$((budget - (SECONDS - start)))
[ "$left" -lt 10 ] && left=10

corpus="$build/fuzz-corpus"
rm -rf "$corpus"
mkdir -p "$corpus" "$regressions"
cp "$root"/tests/data/*.inp "$corpus"/ 2>/dev/null
# Earlier crashes are seeds too, so that a fault that came back shows at once.
find "$regressions" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$corpus"/ \;

echo "== fuzzing the input stage for ${left}s"
"$build/bin/readin_fuzz" -max_total_time="$left" -timeout=10 -rss_limit_mb=8192 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$regressions/" "$corpus"
status=$?
if [ "$status" -ne 0 ]; then
  echo "== the fuzz harness failed (exit $status); the input is kept in $regressions" >&2
  exit 1
fi
echo "== no crash"
