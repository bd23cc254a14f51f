#!/usr/bin/env bash
# Run every example and fixture through the host, with the default thread
# count and with one thread, into SNAPDIR, for comparing reports before and
# after a change:
#   tools/snapshot_reports.sh BUILD_DIR SNAPDIR
#   diff -r SNAPDIR_BEFORE SNAPDIR_AFTER
# The inputs are copied to one fixed place first so that the paths printed in
# the reports do not depend on the work tree; the date, time and execution
# time lines and the lock file are dropped.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
snap="$2"
stage=/tmp/drelm_snapshot_inputs
# One snapshot at a time: they share the staging folder.
exec 9>/tmp/drelm_snapshot.lock
flock 9
rm -rf "$stage" "$snap"
mkdir -p "$stage" "$snap"
cp "$root"/examples/*.inp "$root"/tests/data/*.inp "$stage"/
for inp in "$stage"/*.inp; do
  name="$(basename "$inp" .inp)"
  for threads in default 1; do
    out="$stage/out_$name"
    rm -rf "$out"
    if [ "$threads" = default ]; then
      "$build/bin/drelm" "$inp" --out "$out" >"$stage/stdout" 2>"$stage/stderr" </dev/null
    else
      OMP_NUM_THREADS=1 "$build/bin/drelm" "$inp" --out "$out" >"$stage/stdout" 2>"$stage/stderr" </dev/null
    fi
    rc=$?
    dest="$snap/$name.$threads"
    mkdir -p "$dest"
    echo "$rc" >"$dest/exit"
    for f in "$out"/* "$stage/stdout" "$stage/stderr"; do
      [ -f "$f" ] || continue
      case "$(basename "$f")" in drelm.lock) continue ;; esac
      grep -v -E 'Date: .* Time: |Execution Time|Number Processors|Serial processing|Paral. processing|Print. processing' "$f" >"$dest/$(basename "$f")" || true
    done
  done
done
echo "$(find "$snap" -type f | wc -l) files in $snap"
