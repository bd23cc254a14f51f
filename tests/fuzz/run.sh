#!/usr/bin/env bash
# Builds a fuzz harness with clang and runs it for a bounded time on its seed
# corpus: the input reader (readin) on the input fixtures and the inputs of
# tests/fuzz/readin_seeds (each once a crash of the engine), or the plate model
# (platedeck) on the plate decks of tests/fuzz/plate_seeds. Every input that
# crashes is kept in the harness's regressions directory and the script
# exits non-zero.
#
#   tests/fuzz/run.sh [SECONDS [HARNESS]]  (default 60 and readin; at most
#                                           120 of fuzzing, and the build
#                                           counts against the budget)
set -u -o pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${DRELM_FUZZ_BUILD:-$root/build-fuzz}"

budget="${1:-60}"
harness="${2:-readin}"
case "$harness" in
  readin)
    target=readin_fuzz regressions="$here/regressions" what="the input stage"
    seeds=("$root"/tests/data/*.inp "$here"/readin_seeds/*) ;;
  platedeck)
    target=platedeck_fuzz regressions="$here/regressions_platedeck" what="the plate model on its deck"
    seeds=("$here"/plate_seeds/*) ;;
  *) budget=x ;;
esac
if ! [[ "$budget" =~ ^[0-9]+$ ]] || [ "$budget" -lt 1 ]; then
  echo "usage: $0 SECONDS [readin|platedeck]" >&2
  exit 2
fi
[ "$budget" -gt 120 ] && budget=120
start=$SECONDS

jobs="$(nproc 2>/dev/null || echo 2)"
echo "== building the fuzz harness in $build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRELM_FUZZ=ON -DDRELM_TESTS=OFF -DDRELM_BENCH=OFF >/dev/null || exit 1
cmake --build "$build" --target "$target" -j "$jobs" || exit 1

# Whatever the build took comes off the fuzzing time, so that the whole run
# stays within the budget; a few seconds of fuzzing always remain.
left=$((budget - (SECONDS - start)))
[ "$left" -lt 10 ] && left=10

corpus="$build/fuzz-corpus-$harness"
rm -rf "$corpus"
mkdir -p "$corpus" "$regressions"
cp "${seeds[@]}" "$corpus"/ 2>/dev/null
# Earlier crashes are seeds too, so that a fault that came back shows at once.
find "$regressions" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$corpus"/ \;

echo "== fuzzing $what for ${left}s"
"$build/bin/$target" -max_total_time="$left" -timeout=10 -rss_limit_mb=8192 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$regressions/" "$corpus"
status=$?
if [ "$status" -ne 0 ]; then
  echo "== the fuzz harness failed (exit $status); the input is kept in $regressions" >&2
  exit 1
fi
echo "== no crash"
