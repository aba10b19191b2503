#!/usr/bin/env bash
# kvrtool run: the tap of the special functions window splits a windings step
# at a turn count, twice (the second time in a step that counts on; the split
# part keeps its cycle type, the new step stops), a tap that no step contains
# changes nothing, and the program is saved as KVR-T; the state and the saved
# file are checked byte for byte.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" run "$data/run_tap.txt" "$data/kvrtool_run.kvr" --save "$work/out.kvr" --to t --json >"$work/out.json"
cmp "$work/out.json" "$data/run_tap.json"
cmp "$work/out.kvr" "$data/run_tap_saved.kvr"
