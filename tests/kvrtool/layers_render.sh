#!/usr/bin/env bash
# kvrtool layers and render: the layer list of a repaint as the station
# computes it, and the paint box as a PNG image of the right size.
set -uo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail=0

# The fixture winds 3 layers from 0, jumps back 25 mm and pauses.
"$tool" layers "$data/kvrtool_t.kvr" --json >"$work/layers.json" 2>"$work/err" || { echo "layers failed"; cat "$work/err"; fail=1; }
python3 - "$work/layers.json" <<'PY' || fail=1
import json, sys
d = json.load(open(sys.argv[1]))
def check(what, got, want):
    if got != want:
        print(f"{what}: {got!r}, expected {want!r}")
        sys.exit(1)
check("window", (d["OknoLava"], d["OknoPrava"]), (0, 60))
check("messages", d["messages"], [])
layers = d["layers"]
check("entries", [l["index"] for l in layers], [1, 2, 3])
check("kinds", [l["Druh"] for l in layers], [1, 3, 4])
check("directions", [l["Smer"] for l in layers], [0, 1, 0])
check("layer counts", [l["PocetVrstiev"] for l in layers], [3, 0, 0])
check("heights", [l["BodY"] for l in layers], [64, 86, 108])
check("x pixels", [l["BodX"] for l in layers], [313, 142, 142])
check("pause keeps the position", layers[2]["PolohaRaw"], layers[1]["PolohaRaw"])
check("raw height", layers[0]["VyskaRaw"], "870000000000")  # 64.0
for l in layers:
    for k in ("PolohaRaw", "VyskaRaw"):
        if len(l[k]) != 12 or l[k] != l[k].lower():
            print(f"{k} of step {l['index']} is not 6 bytes of lowercase hex: {l[k]}")
            sys.exit(1)
PY

"$tool" layers "$data/kvrtool_t.kvr" >"$work/layers.txt" 2>&1 || fail=1
grep -q "^1 1 0 43.4" "$work/layers.txt" || { echo "text layer list lacks step 1"; cat "$work/layers.txt"; fail=1; }

png_size() {  # width and height from the PNG header
  python3 -c 'import struct,sys; b=open(sys.argv[1],"rb").read(24); assert b[:8]==b"\x89PNG\r\n\x1a\n"; print(*struct.unpack(">II", b[16:24]))' "$1"
}
for z in 100 200; do
  "$tool" render "$data/kvrtool_t.kvr" "$work/coil$z.png" --zoom "$z" 2>"$work/err" || { echo "render --zoom $z failed"; cat "$work/err"; fail=1; continue; }
  want="$((427 * z / 100)) $((649 * z / 100))"
  got="$(png_size "$work/coil$z.png")"
  [ "$got" = "$want" ] || { echo "render --zoom $z: size $got, expected $want"; fail=1; }
done

"$tool" render "$data/kvrtool_t.kvr" "$work/coil.png" --zoom 50 >/dev/null 2>&1
[ $? -eq 1 ] || { echo "a zoom below 100 is not a usage error"; fail=1; }
"$tool" render "$data/kvrtool_3bytes.kvr" "$work/never.png" >/dev/null 2>&1
[ $? -eq 2 ] || { echo "a refused file does not give status 2"; fail=1; }
[ -e "$work/never.png" ] && { echo "a refused file still wrote an image"; fail=1; }
"$tool" render "$data/kvrtool_t.kvr" "$work/no/such/folder.png" >/dev/null 2>&1
[ $? -eq 3 ] || { echo "an unwritable image does not give status 3"; fail=1; }

exit $fail
