#!/usr/bin/env bash
# kvrtool convert writes what the station's save commands write: files the
# station wrote come back byte for byte.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" convert "$data/kvrtool_t.kvr" "$work/t.kvr" --to t
cmp "$data/kvrtool_t.kvr" "$work/t.kvr"

# With warnings: the warnings the open split off go back behind the program.
"$tool" convert "$data/kvrtool_tw.kvr" "$work/tw.kvr" --to tw
cmp "$data/kvrtool_tw.kvr" "$work/tw.kvr"

# A file without warnings saved "with warnings" is plain KVR-T.
"$tool" convert "$data/kvrtool_t.kvr" "$work/t2.kvr" --to tw
cmp "$data/kvrtool_t.kvr" "$work/t2.kvr"

# KVR-T+W saved as KVR-T drops the warnings and nothing else.
"$tool" convert "$data/kvrtool_tw.kvr" "$work/t3.kvr" --to t
cmp "$data/kvrtool_t.kvr" "$work/t3.kvr"

# KVR-G/C: 64-byte records, its own marker, and stable once written.
"$tool" convert "$data/kvrtool_t.kvr" "$work/g.kvr" --to gc
size=$(wc -c <"$work/g.kvr")
[ "$size" -eq $((64 * 4 + 1202)) ] || { echo "KVR-G/C size $size"; exit 1; }
[ "$(tail -c 4 "$work/g.kvr" | od -An -tx1 | tr -d ' \n')" = "55434e02" ] || { echo "KVR-G/C marker"; exit 1; }
# (same name: the KVR-G/C header carries the file's own name)
mkdir "$work/again"
"$tool" convert "$work/g.kvr" "$work/again/g.kvr" --to gc
cmp "$work/g.kvr" "$work/again/g.kvr"
[ "$(head -c 25 "$work/g.kvr" | tail -c 5)" = "g.kvr" ] || { echo "KVR-G/C header name"; exit 1; }

# Old formats are read, never written: converted they become KVR-T.
"$tool" convert "$data/kvrtool_old1.kvr" "$work/o.kvr" --to t
[ "$(wc -c <"$work/o.kvr")" -eq $((68 * 3 + 1202)) ] || { echo "old format as KVR-T"; exit 1; }

# The run's own drive root (where the warnings went) is gone afterwards.
mkdir "$work/tmp"
TMPDIR="$work/tmp" "$tool" info "$data/kvrtool_tw.kvr" >/dev/null
[ -z "$(ls -A "$work/tmp")" ] || { echo "temporary drive root left behind"; exit 1; }
