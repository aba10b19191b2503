#!/usr/bin/env bash
# The heaviest program known (350 trapezoid windings steps whose flank widens
# each layer, about 14 million passes per walk) gives the layer list it always
# gave, byte for byte: the text was written by the pass-by-pass walk.
set -uo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" layers "$data/../../bench/data/flank_350.kvr" --model "KVR - 100" >"$work/layers.txt" 2>"$work/err" || {
  echo "layers failed"
  cat "$work/err"
  exit 1
}
if ! cmp -s "$work/layers.txt" "$data/flank_350_layers.txt"; then
  echo "layer list differs:"
  diff "$data/flank_350_layers.txt" "$work/layers.txt" | head -20
  exit 1
fi
