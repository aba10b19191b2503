#!/usr/bin/env bash
# kvrtool send / receive against kvrtool simulate: a program goes to the
# simulated controller and comes back as the same file; a failed transfer
# exits 5 with the link's text.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
sim=""
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT

"$tool" simulate >"$work/device" 2>"$work/sim.err" &
sim=$!
for _ in $(seq 100); do [ -s "$work/device" ] && break; sleep 0.05; done
device="$(head -1 "$work/device")"
[ -c "$device" ] || { echo "no device from simulate: '$device'"; exit 1; }

"$tool" send "$data/kvrtool_t.kvr" --port "$device" 2>"$work/send.err"
grep -q "^ Übertragung OK $" "$work/send.err" || { cat "$work/send.err"; exit 1; }
grep -q "12/12 packets" "$work/send.err" || { echo "no progress"; cat "$work/send.err"; exit 1; }

"$tool" receive "$work/back.kvr" --port "$device" --trace "$work" 2>"$work/receive.err"
grep -q "^ Dateneinnahme $" "$work/receive.err" || { cat "$work/receive.err"; exit 1; }
# Header and step records come back unchanged (the link sends the trailer
# area as zeros, so the uninterpreted trailer bytes of the fixture stay behind).
cmp <(head -c $((68 * 4)) "$data/kvrtool_t.kvr") <(head -c $((68 * 4)) "$work/back.kvr")
"$tool" layers "$data/kvrtool_t.kvr" >"$work/a.txt"
"$tool" layers "$work/back.kvr" >"$work/b.txt"
cmp "$work/a.txt" "$work/b.txt"
[ -s "$work/$(printf 0).trc" ] || { echo "no trace"; exit 1; }

# A device that is not there: the transfer fails.
set +e
"$tool" send "$data/kvrtool_t.kvr" --port "$work/no-such-tty" 2>"$work/fail.err"
rc=$?
"$tool" send "$data/kvrtool_t.kvr" 2>/dev/null
usage=$?
"$tool" send "$data/kvrtool_unknown.kvr" --port "$device" 2>/dev/null
refused=$?
set -e
[ "$rc" -eq 5 ] || { echo "exit $rc for a missing device"; exit 1; }
grep -q "no-such-tty" "$work/fail.err" || { cat "$work/fail.err"; exit 1; }
[ "$usage" -eq 1 ] || { echo "exit $usage without --port"; exit 1; }
[ "$refused" -eq 2 ] || { echo "exit $refused for a refused file"; exit 1; }
