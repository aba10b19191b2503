#!/usr/bin/env bash
# kvrtool's exit status: 1 for usage errors, 2 for a refused file (with the
# station's message on standard error), 3 when the output cannot be written.
set -uo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail=0

expect() {  # expect STATUS STDERR-PATTERN -- ARGS...
  local want="$1" pattern="$2"
  shift 3
  "$tool" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "kvrtool $*: status $got, expected $want"; cat "$work/err"; fail=1
  elif [ -n "$pattern" ] && ! grep -qF -- "$pattern" "$work/err"; then
    echo "kvrtool $*: standard error lacks \"$pattern\""; cat "$work/err"; fail=1
  fi
}

expect 1 "usage" --
expect 1 "unknown command" -- frobnicate x
expect 1 "info needs one FILE" -- info
expect 1 "--to needs" -- convert "$data/kvrtool_t.kvr" "$work/x" --to pdf
expect 1 "convert needs --to" -- convert "$data/kvrtool_t.kvr" "$work/x"
expect 1 "--gear needs" -- info "$data/kvrtool_t.kvr" --gear 4
expect 1 "unknown model" -- info "$data/kvrtool_t.kvr" --model "KVR - 1"
expect 1 "unknown option" -- info "$data/kvrtool_t.kvr" --jsn

expect 2 "Ausgewählte Datei enthält nicht Spulenbeschreibung !" -- info "$data/kvrtool_3bytes.kvr" --json
expect 2 "Ausgewählte Datei enthält nicht Spulenbeschreibung !" -- info "$data/kvrtool_unknown.kvr"
expect 2 " Kann man nicht öffnen: \"$work/missing.kvr\"" -- info "$work/missing.kvr"
# Refused before they are opened, with one message: a pipe would block for ever.
mkdir "$work/folder.kvr"
mkfifo "$work/pipe.kvr"
expect 2 " Keine Datei: \"$work/folder.kvr\"" -- info "$work/folder.kvr"
expect 2 " Keine Datei: \"$work/pipe.kvr\"" -- convert "$work/pipe.kvr" "$work/never.kvr" --to t
expect 2 " Kein Dateiname !" -- info ""
[ "$(wc -l <"$work/err")" -eq 1 ] || { echo "an empty path gave more than one message"; cat "$work/err"; fail=1; }
expect 2 " Altes Dateiformat ist nicht lesbar für Modell KVR - 60 !" -- info "$data/kvrtool_old1.kvr" --model "KVR - 60"
expect 2 "" -- convert "$data/kvrtool_3bytes.kvr" "$work/never.kvr" --to t
[ -e "$work/never.kvr" ] && { echo "refused input still wrote its output"; fail=1; }

expect 3 " Kann man nicht speichern: \"$work/no/such/folder.kvr\"" -- convert "$data/kvrtool_t.kvr" "$work/no/such/folder.kvr" --to t

expect 0 "" -- info "$data/kvrtool_t.kvr"
expect 0 "" -- --help
exit $fail
