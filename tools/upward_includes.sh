#!/bin/sh
# Lists every include under src/ that names a header of a folder above the
# including file's own folder in the layering (lowest first).
cd "$(dirname "$0")/../src" || exit 1
ORDER="model report numeric input soil transfer prep pile results cap capstiff fecap analysis run"
grep -n '^#include "[a-z]*/' */*.h */*.cpp | awk -v order="$ORDER" '
  BEGIN { n = split(order, f, " "); for (i = 1; i <= n; i++) rank[f[i]] = i }
  {
    split($0, p, ":"); from = p[1]; sub(/\/.*/, "", from)
    to = $0; sub(/^[^"]*"/, "", to); sub(/\/.*/, "", to)
    rf = (from in rank) ? rank[from] : 99; rt = (to in rank) ? rank[to] : 99
    if (rt > rf) print
  }'
