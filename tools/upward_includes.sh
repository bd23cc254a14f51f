#!/bin/sh
# Lists every include under src/ that names a header of a folder above the
# including file's own folder in the layering (lowest first).
cd "$(dirname "$0")/../src" || exit 1
ORDER="model report numeric input soil transfer prep pile results cap capstiff fecap analysis run"
rank() { i=0; for f in $ORDER; do [ "$f" = "$1" ] && { echo $i; return; }; i=$((i+1)); done; echo 99; }
for file in */*.h */*.cpp; do
  from=${file%%/*}
  grep -n '^#include "[a-z]*/' "$file" | while IFS= read -r line; do
    to=$(echo "$line" | sed 's/.*#include "\([a-z]*\)\/.*/\1/')
    if [ "$(rank "$to")" -gt "$(rank "$from")" ]; then echo "$file:$line"; fi
  done
done
