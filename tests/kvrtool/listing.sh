#!/usr/bin/env bash
# kvrtool check, list and print: the check's JSON contract, the listing's
# rows, the printed PDF and the exit statuses.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A program that passes.
out="$("$tool" check "$data/kvrtool_t.kvr" --json)"
python3 -c '
import json, sys
j = json.loads(sys.argv[1])
assert j == {"ok": True, "errors": {}, "messages": []}, j
' "$out"
[ "$("$tool" check "$data/kvrtool_t.kvr")" = " Kontrolle beendet ohne Fehler ! " ]

# The same program with "Ende" on step 1, twice the feed (2 mm at 3000 rpm)
# and a last step that does not end.
python3 - "$data/kvrtool_t.kvr" "$work/bad.kvr" <<'PY'
import struct, sys
b = bytearray(open(sys.argv[1], "rb").read())
b[68 + 1] = 0                                   # step 1: cycle "Ende"
b[68 + 20:68 + 24] = struct.pack("<i", 65536)  # step 1: feed 2.0 mm
b[3 * 68 + 1] = 1                               # step 3: cycle "Stop"
open(sys.argv[2], "wb").write(b)
PY
status=0
out="$("$tool" check "$work/bad.kvr" --json)" || status=$?
[ "$status" = 0 ] || { echo "check with errors ended with $status"; exit 1; }
python3 -c '
import json, sys
j = json.loads(sys.argv[1])
assert j["ok"] is False, j
assert j["errors"] == {"1": "Err-23, Err-4 max. 1.600,  ", "3": "Err-24, "}, j
assert j["messages"] == [], j
' "$out"
text="$("$tool" check "$work/bad.kvr")"
[ "$text" = "$(printf 'Schritt 1: Err-23, Err-4 max. 1.600,  \nSchritt 3: Err-24, ')" ] || { echo "check text: $text"; exit 1; }

# The listing: the headers, the step columns, the check's marks.
out="$("$tool" list "$work/bad.kvr" --json)"
python3 -c '
import json, sys
rows = json.loads(sys.argv[1])
assert len(rows) == 4 and all(len(r) == 11 for r in rows), rows
assert rows[0] == ["Schr.", "  Schrittart  ", "   Wert   ", "  Windungen   ", " Drehz/Richt ", " Bes/Abb ",
                   " Vors/Richt ", "  Zyklusart   ", " L.Punkt ", " R.Punkt ", " VORSCHLAGFEHLER "], rows[0]
assert rows[1] == [" 1", " WICKLUNG", "  123.45", " löschen ", "  3000   L", "   23", " 2.000  >", " Ende",
                   " 10.00", " 50.00", "Err-23, Err-4 max. 1.600,  "], rows[1]
assert rows[2][1] == " SPRUNG" and rows[2][6] == "        <", rows[2]
assert rows[3][1] == " PAUSE" and rows[3][7] == " Stop" and rows[3][10] == "Err-24, ", rows[3]
' "$out"
[ "$("$tool" list "$work/bad.kvr" | wc -l)" = 4 ]
"$tool" list "$work/bad.kvr" | head -1 | grep -q '^Schr\.|  Schrittart  |'

# The printed listing.
"$tool" print "$work/bad.kvr" "$work/listing.pdf"
python3 - "$work/listing.pdf" <<'PY'
import re, sys
pdf = open(sys.argv[1], "rb").read()
assert pdf.startswith(b"%PDF-"), pdf[:16]
pages = len(re.findall(rb"/Type\s*/Page(?!s)", pdf))
assert pages == 1, pages
PY

# Exit statuses: usage 1, a refused input 2, an output not written 3.
expect() {
  local want="$1"; shift
  local got=0
  "$@" >/dev/null 2>&1 || got=$?
  [ "$got" = "$want" ] || { echo "$* ended with $got, not $want"; exit 1; }
}
expect 1 "$tool" check
expect 1 "$tool" list "$data/kvrtool_t.kvr" "$data/kvrtool_t.kvr"
expect 1 "$tool" print "$data/kvrtool_t.kvr"
expect 1 "$tool" print "$data/kvrtool_t.kvr" "$work/x.pdf" --json
expect 2 "$tool" check "$work/missing.kvr" --json
expect 2 "$tool" print "$data/kvrtool_3bytes.kvr" "$work/y.pdf"
expect 3 "$tool" print "$data/kvrtool_t.kvr" "$work/no/such/folder/z.pdf"
echo ok
