#!/usr/bin/env bash
# kvrtool run: start-up from the given model, gear, templates and bobbin; the
# text form; usage errors, refused inputs and an output that cannot be written.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 - "$tool" "$data" "$work" <<'PY'
import json, os, struct, subprocess, sys
tool, data, work = sys.argv[1:4]
prog = os.path.join(data, "kvrtool_run.kvr")
empty = os.path.join(work, "empty.txt")
open(empty, "w").close()

def run(*args):
    return subprocess.run([tool, "run", *args], capture_output=True, text=True)

def check(cond, what):
    if not cond:
        sys.exit("run: " + what)

# A bobbin of one chamber, 10 to 50 mm, offset 10 mm (6-byte reals).
ten, fifty = bytes([0x84, 0, 0, 0, 0, 0x20]), bytes([0x86, 0, 0, 0, 0, 0x48])
name = b"Testkoerper"
bobbin = (bytes([len(name)]) + name).ljust(256, b"\0") + ten + fifty + bytes(12 * 19) + ten
assert len(bobbin) == 502
with open(os.path.join(work, "b.kor"), "wb") as f:
    f.write(bobbin)
# Constants: record 0 (template "WINDUNGEN 1") 123.45 turns 10..50 mm, the
# other eight empty.
rec = bytearray(68)
rec[0], rec[1], rec[3] = 1, 1, 0x40
rec[4:8] = struct.pack("<i", 12345)
rec[8:11] = struct.pack("<i", 1000)[:3]
rec[12:16] = struct.pack("<i", 5000)
rec[16:18] = struct.pack("<H", 1023)
rec[18] = 0x21
rec[20:24] = struct.pack("<i", 131072)
with open(os.path.join(work, "k.kvr"), "wb") as f:
    f.write(bytes(rec) + bytes(68 * 8))

r = run(empty, "--model", "KVR - 500", "--gear", "2", "--bobbin", os.path.join(work, "b.kor"),
        "--templates", os.path.join(work, "k.kvr"), "--json")
check(r.returncode == 0, "start-up options: " + r.stderr)
j = json.loads(r.stdout)
check(j["Model"] == "KVR - 500" and j["Prevod"] == 2, "model and gear")
check(j["Kostricka"] == bobbin.hex() and j["MenoKostricky"] == os.path.join(work, "b.kor"), "bobbin")
check("format" not in j and j["PocetKrokov"] == 0 and j["Zmeneny"] == 0 and j["messages"] == [], "no program")
t = j["KonstKroky"]
check(len(t) == 9 and [x["index"] for x in t] == list(range(9)), "nine templates")
check(t[0]["Druh"] == 1 and abs(t[0]["Hodnota"] - 123.45) < 1e-9 and t[0]["LRev"] == 10 and t[0]["PRev"] == 50,
      "template from the constants file: " + json.dumps(t[0])[:300])

# The defaults: the station's nine default templates, the default desktop's
# bobbin (no chambers, offset 10 mm).
d = json.loads(run(empty, "--json").stdout)
check(d["Model"] == "KVR - 22" and d["Prevod"] == 1 and d["Kostricka"] == "00" * 496 + ten.hex(), "defaults")
check(d["MenoKostricky"] == "", "no bobbin file")
check([x["Druh"] for x in d["KonstKroky"]] != [0] * 9 and d["KonstKroky"] != t, "default templates")

# The text form ends with the state of the station.
r = run(empty, prog)
check(r.returncode == 0 and "Format:          KVR-T" in r.stdout and "AktKrok:         0\n" in r.stdout
      and "Vorlage 8 PAUSE" in r.stdout, "text form: " + r.stdout)

# Usage errors (1), refused inputs (2), an output not written (3).
for args in [[], [empty, prog, prog], [empty, "--model", "KVR - 1"], [empty, "--gear", "4"],
             [empty, "--save", os.path.join(work, "o.kvr")], [empty, "--to", "t"], [empty, "--frob"]]:
    r = run(*args)
    check(r.returncode == 1 and "usage: kvrtool run" in r.stderr, "usage error %r: %d" % (args, r.returncode))
for args in [[os.path.join(work, "missing.txt")], [empty, os.path.join(data, "kvrtool_unknown.kvr")],
             [empty, "--bobbin", os.path.join(work, "missing.kor")],
             [empty, "--templates", os.path.join(work, "missing.kvr")],
             [empty, "--bobbin", os.path.join(data, "kvrtool_3bytes.kvr")]]:
    r = run(*args)
    check(r.returncode == 2 and r.stdout == "", "refused %r: %d %s" % (args, r.returncode, r.stderr))
r = run(empty, prog, "--save", os.path.join(work, "no", "such", "o.kvr"), "--to", "gc")
check(r.returncode == 3 and r.stdout == "", "not written: %d" % r.returncode)
PY
