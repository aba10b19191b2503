#!/usr/bin/env bash
# kvrtool run: an operator builds a program from the step kinds on an empty
# station, adds a layer stop expanded into one step per layer, writes one step
# over and takes that back, and saves it as KVR-T; the state and the saved
# file are checked byte for byte.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" run "$data/run_new_steps.txt" --save "$work/out.kvr" --to t --json >"$work/out.json"
cmp "$work/out.json" "$data/run_new_steps.json"
cmp "$work/out.kvr" "$data/run_new_steps_saved.kvr"
