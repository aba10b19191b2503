#!/usr/bin/env bash
# kvrtool info --json: the keys that scripts rely on, for a KVR-T file with
# warnings and for an old-format file.
set -euo pipefail
tool="$1"
data="$2"

"$tool" info "$data/kvrtool_tw.kvr" --json >"${TMPDIR:-/tmp}/kvrtool_info_$$.json"
trap 'rm -f "${TMPDIR:-/tmp}/kvrtool_info_$$.json"' EXIT

python3 - "${TMPDIR:-/tmp}/kvrtool_info_$$.json" <<'PY'
import json, sys
j = json.load(open(sys.argv[1], encoding="utf-8"))
def check(cond, what):
    if not cond:
        sys.exit("info --json: " + what + ": " + json.dumps(j)[:400])
for key in ["format", "marker", "Model", "Prevod", "MenoKostricky", "Kostricka", "CelkovaKorekcia",
            "HlavParam1", "HlavParam2", "HlavParam3", "PocetKrokov", "KrokEnde", "Warningy", "messages", "steps"]:
    check(key in j, "missing key " + key)
check(j["format"] == "KVR-T+W", "format")
check(j["marker"] == 0x014E5257, "marker")
check(j["Model"] == "KVR - 22" and j["Prevod"] == 1, "model and gear")
check(j["Kostricka"] == "00" * 502, "bobbin record")
check(j["CelkovaKorekcia"] == 1234.5, "total correction")
check((j["HlavParam1"], j["HlavParam2"], j["HlavParam3"]) == (7, 3, 1), "header values")
check(j["PocetKrokov"] == 3 and len(j["steps"]) == 3, "step count")
check(j["KrokEnde"] == 3, "end step")
check(j["Warningy"] == {"1": "Drahtspannung prüfen", "3": "Körper wechseln"}, "warnings")
check(j["messages"] == [], "messages")
s1, s2 = j["steps"][0], j["steps"][1]
check(s1["index"] == 1 and s1["Druh"] == 1 and s1["Otacky"] == 3000 and s1["PosuvMM"] == 1, "step 1")
check(abs(s1["Hodnota"] - 123.45) < 1e-9 and s1["LRev"] == 10 and s1["PRev"] == 50, "step 1 values")
check(s1["Vstup"] == [0] * 6 and len(s1["Vystup"]) == 6 and set(s1["Vystup"][0]) == {"Stav", "Oneskorenie"}, "I/O")
check(len(s1["raw"]) == 280 and s1["raw"] == s1["raw"].lower(), "raw record")
check(s2["Druh"] == 3 and s2["Hodnota"] == 25 and s2["SmerPosuvu"] == 1, "step 2")
for name in ["TypCyklu", "LRev", "PRev", "RychPresun", "PosuvImp", "SmerOtac", "Rozbeh", "Dobeh", "Kryt", "Vrstvy",
             "VrstvaStop", "VrstvaKoniec", "AutKorekcia", "AutManual", "Nulovat", "GCHodnotaA", "GCHodnotaB",
             "GCPriznak", "AutKorL", "AutKorP", "TrapezL", "TrapezLZnamienko", "TrapezP", "TrapezPZnamienko",
             "RezervaT", "PrevodOtacok"]:
    check(name in s1, "step field " + name)
PY

# Old format 1 decoded with the default model "KVR - 22", gear 1.
out="$("$tool" info "$data/kvrtool_old1.kvr" --json)"
python3 -c '
import json, sys
j = json.loads(sys.argv[1])
s = j["steps"][0]
assert j["format"] == "OLD1" and j["PocetKrokov"] == 2, j
assert s["Druh"] == 1 and s["Otacky"] == 3000 and abs(s["PosuvMM"] - 0.11) < 1e-9 and abs(s["Hodnota"] - 123.4) < 1e-9, s
assert j["HlavParam2"] == 1 and j["Warningy"] == {}, j
' "$out"

# The gear option reaches the decoding: speed code 30 of gear 2 is 6000 rpm.
out="$("$tool" info "$data/kvrtool_old1.kvr" --json --gear 2)"
python3 -c '
import json, sys
j = json.loads(sys.argv[1])
assert j["Prevod"] == 2 and j["steps"][0]["Otacky"] == 6000, j
' "$out"

# The plain listing names the format and the steps.
text="$("$tool" info "$data/kvrtool_t.kvr")"
grep -q '^Format: *KVR-T (0x034E4354)' <<<"$text"
grep -q 'SPRUNG' <<<"$text"
