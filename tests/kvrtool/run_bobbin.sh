#!/usr/bin/env bash
# kvrtool run: a bobbin designed in the editor and drawn, refused by
# "Richten" until it has a file, then aligned; a block's reversal points
# shifted in "Vorschub" with the chamber under it; the bobbin saved from the
# editor and the program saved as KVR-G/C.
# The state, the saved program and the bobbin file are checked byte for byte.
# The bobbin file lies in this test's own temporary folder (the script names
# it relative to the working folder), so its path, in the state and in the
# program's trailer, is compared as "WORK/bobbin.kor".
set -euo pipefail
tool="$(realpath "$1")"
data="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$work" && "$tool" run "$data/run_bobbin.txt" "$data/kvrtool_chambers.kvr" \
  --save out.kvr --to gc --json >raw.json)
cmp "$work/bobbin.kor" "$data/run_bobbin_saved.kor"
python3 - "$work" "$data" <<'PY'
import sys
work, data = sys.argv[1:3]
name = (work + "/bobbin.kor").encode()

state = open(work + "/raw.json", "rb").read()
want = open(data + "/run_bobbin.json", "rb").read()
if state.replace(b'"MenoKostricky":"' + name + b'"', b'"MenoKostricky":"WORK/bobbin.kor"') != want:
    sys.exit("run_bobbin: the state differs from run_bobbin.json")

# The bobbin's name field of the trailer: a short string of up to 80
# characters. The bytes after the string are left as the opened file had
# them and depend on the name's length, so the whole field is set aside once
# its name is checked; the reference holds "WORK/bobbin.kor" there.
def masked(b, path):
    field = len(b) - 4 - 1198 + 63
    n = b[field]
    if b[field + 1:field + 1 + n] != path:
        sys.exit("run_bobbin: the program names the bobbin %r" % b[field + 1:field + 1 + n])
    return b[:field] + b[field + 81:]

out = open(work + "/out.kvr", "rb").read()
ref = open(data + "/run_bobbin_saved.kvr", "rb").read()
if masked(out, name) != masked(ref, b"WORK/bobbin.kor"):
    sys.exit("run_bobbin: the saved program differs from run_bobbin_saved.kvr")
PY
