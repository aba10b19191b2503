#!/usr/bin/env bash
# kvrtool's temporary drive root goes on every exit: done, refused, a reader
# of its output that went away, and a signal while it is writing.
set -uo pipefail
ulimit -c 0  # SIGQUIT must leave no core file behind
set -m  # background jobs keep SIGINT, as a job started from a terminal does
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"
fail=0

left_behind() {  # left_behind CASE
  if [ -n "$(ls -A "$TMPDIR")" ]; then
    echo "$1: left behind: $(ls -A "$TMPDIR")"
    fail=1
    rm -rf "${TMPDIR:?}"/*
  fi
}

# 350 pause steps (stop cycle) behind a header, and a trailer naming the
# model: its JSON listing is far more than a pipe holds.
big="$work/big.kvr"
{
  head -c 68 /dev/zero
  for _ in $(seq 350); do printf '\x04\x01'; head -c 66 /dev/zero; done
  printf '\x08KVR - 22'
  head -c 1189 /dev/zero
  printf 'TCN\x03'
} >"$big"
[ "$(wc -c <"$big")" -eq $((68 * 351 + 1202)) ] || { echo "fixture has the wrong size"; exit 1; }

"$tool" info "$data/kvrtool_t.kvr" >/dev/null 2>&1 || { echo "info failed"; fail=1; }
left_behind "done"
"$tool" info "$data/kvrtool_3bytes.kvr" >/dev/null 2>&1
[ $? -eq 2 ] || { echo "a refused file did not give status 2"; fail=1; }
left_behind "refused"

"$tool" info "$big" --json 2>/dev/null | head -c 1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq 3 ] || { echo "output to a closed pipe: status $status, expected 3"; fail=1; }
left_behind "closed pipe"

mkfifo "$work/out"
for sig in TERM HUP INT QUIT; do
  "$tool" info "$big" --json >"$work/out" 2>/dev/null &
  pid=$!
  exec 3<"$work/out"
  # Its output has begun, so its drive root exists; nobody reads further, so
  # it stays blocked in a write until the signal comes.
  head -c 1 <&3 >/dev/null
  kill -s "$sig" "$pid"
  wait "$pid"
  status=$?
  exec 3<&-
  want=$((128 + $(kill -l "$sig")))
  [ "$status" -eq "$want" ] || { echo "SIG$sig: status $status, expected $want"; fail=1; }
  left_behind "SIG$sig"
done
exit $fail
