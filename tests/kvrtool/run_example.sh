#!/usr/bin/env bash
# kvrtool run: the README's example session gives the expected state and the
# expected saved file, byte for byte; the README shows the script as it is.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 - "$data/../../README.md" "$data/run_example.txt" <<'PY'
import sys
readme = open(sys.argv[1], encoding="utf-8").read()
script = open(sys.argv[2], encoding="utf-8").read()
if "```\n" + script + "```\n" not in readme:
    sys.exit("README: the example script differs from tests/data/run_example.txt")
cmd = "kvrtool run tests/data/run_example.txt tests/data/kvrtool_run.kvr --save OUT.kvr --to t --json"
if cmd not in readme:
    sys.exit("README: the example command is missing")
PY

"$tool" run "$data/run_example.txt" "$data/kvrtool_run.kvr" --save "$work/out.kvr" --to t --json >"$work/out.json"
cmp "$work/out.json" "$data/run_example.json"
cmp "$work/out.kvr" "$data/run_example_saved.kvr"
