#!/usr/bin/env bash
# kvrtool run: parameters changed in the step dialog opened from the main
# window's buttons, and a template edited from the menu, checked byte for
# byte; a panel the dialog does not light cannot be clicked.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" run "$data/run_step_dialog.txt" "$data/kvrtool_run.kvr" --json >"$work/out.json"
cmp "$work/out.json" "$data/run_step_dialog.json"

printf 'up TProg.SpinButton1\nclick TProg.bKryt\nclick TParam.pZavity\n' >"$work/unlit.txt"
set +e
"$tool" run "$work/unlit.txt" "$data/kvrtool_run.kvr" 2>"$work/err.txt" >/dev/null
rc=$?
set -e
[ "$rc" -eq 4 ] || { echo "unlit panel: exit $rc, expected 4"; exit 1; }
grep -q 'unlit.txt:3: TParam.pZavity is disabled' "$work/err.txt" || { cat "$work/err.txt"; exit 1; }
