#!/usr/bin/env bash
# kvrtool run: blocks selected by dragging in the coil drawing, copied and
# pasted into the other chamber of a two-chamber bobbin, undone, then cut and
# pasted into the first chamber; saved as KVR-G/C. The state and the saved
# file are checked byte for byte (the bobbin's path lies in the run's own
# temporary folder and is compared from its drive root on).
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" run "$data/run_blocks.txt" "$data/kvrtool_chambers.kvr" --bobbin "$data/bobbin_two_chambers.kor" \
  --save "$work/out.kvr" --to gc --json >"$work/raw.json"
sed -E 's#"MenoKostricky":"[^"]*/D/CONST_BOBBIN/#"MenoKostricky":"/D/CONST_BOBBIN/#' "$work/raw.json" >"$work/out.json"
cmp "$work/out.json" "$data/run_blocks.json"
cmp "$work/out.kvr" "$data/run_blocks_saved.kvr"
