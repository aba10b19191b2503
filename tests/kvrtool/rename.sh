#!/usr/bin/env bash
# kvrtool rename: a folder run (dry and real) with every kind of outcome, the
# extension kept, the JSON form, and the exit status; output checked byte for
# byte, files on disk checked after each run.
set -uo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail=0
cd "$work" || exit 1

# run STATUS EXPECTED-STDOUT -- ARGS...
run() {
  local want="$1" expected="$2"
  shift 3
  "$tool" "$@" >out 2>err
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "kvrtool $*: status $got, expected $want"; cat err; fail=1
  fi
  if [ -n "$expected" ]; then printf '%s\n' "$expected" >want; else : >want; fi
  if ! cmp -s want out; then
    echo "kvrtool $*: output differs:"; diff want out; fail=1
  fi
}

same() {  # same FIXTURE FILE: the file holds the fixture's bytes
  cmp -s "$data/$1" "$2" || { echo "$2 is not $1 unchanged"; fail=1; }
}

listing() { (cd "$1" && LC_ALL=C ls -A); }

mkdir progs progs/sub
cp "$data/kvrtool_gc_slash.kvr" progs/a_slash.kvr
cp "$data/kvrtool_gc_same.kvr" progs/b_same.kvr
cp "$data/kvrtool_gc_koerper.kvr" progs/c_koerper.kvr
cp "$data/kvrtool_gc_blanks.kvr" progs/d_blanks.kvr
cp "$data/kvrtool_gc_1205.kvr" progs/e_1205.kvr
cp "$data/kvrtool_t.kvr" progs/f_t.kvr
cp "$data/kvrtool_gc_slash.kvr" progs/sub/inner.kvr

folder_run='progs/a_slash.kvr -> progs/Cievka12A
progs/b_same.kvr -> progs/Cievka12A: failed: a file of the new name exists
progs/c_koerper.kvr -> progs/Körper 5
progs/d_blanks.kvr -> progs/   : failed: the coil name is only blanks and points
progs/e_1205.kvr: skipped: not a KVR-G/C winding program
progs/f_t.kvr: skipped: not a KVR-G/C winding program
renamed: 2
failed: 2'

before="$(listing progs)"
run 6 "$folder_run" -- rename progs --dry-run
[ "$(listing progs)" = "$before" ] || { echo "--dry-run changed the folder"; fail=1; }
same kvrtool_gc_slash.kvr progs/a_slash.kvr

run 6 "$folder_run" -- rename progs
after="$(printf '%s\n' 'Cievka12A' 'Körper 5' b_same.kvr d_blanks.kvr e_1205.kvr f_t.kvr sub | LC_ALL=C sort)"
[ "$(listing progs)" = "$after" ] || { echo "folder after the run:"; listing progs; fail=1; }
same kvrtool_gc_slash.kvr progs/Cievka12A
same kvrtool_gc_same.kvr progs/b_same.kvr
same kvrtool_gc_koerper.kvr "progs/Körper 5"
same kvrtool_gc_blanks.kvr progs/d_blanks.kvr
same kvrtool_gc_1205.kvr progs/e_1205.kvr
same kvrtool_t.kvr progs/f_t.kvr
same kvrtool_gc_slash.kvr progs/sub/inner.kvr

# A second run finds the renamed files under their names already.
run 6 'progs/Cievka12A -> progs/Cievka12A
progs/Körper 5 -> progs/Körper 5
progs/b_same.kvr -> progs/Cievka12A: failed: a file of the new name exists
progs/d_blanks.kvr -> progs/   : failed: the coil name is only blanks and points
progs/e_1205.kvr: skipped: not a KVR-G/C winding program
progs/f_t.kvr: skipped: not a KVR-G/C winding program
renamed: 2
failed: 2' -- rename progs/

# Single files: the extension kept; a missing file.
mkdir one
cp "$data/kvrtool_gc_slash.kvr" one/prog.kvr
run 0 'one/prog.kvr -> one/Cievka12A.kvr
one/missing.kvr: skipped: cannot be opened
renamed: 1
failed: 0' -- rename one/prog.kvr one/missing.kvr --keep-extension
same kvrtool_gc_slash.kvr one/Cievka12A.kvr
[ -e one/prog.kvr ] && { echo "one/prog.kvr is still there"; fail=1; }

# JSON: a target that exists, a refused file.
cp "$data/kvrtool_gc_same.kvr" one/other.kvr
run 6 '{"files":[{"file":"one/other.kvr","new":"one/Cievka12A.kvr","result":"failed","why":"a file of the new name exists"},{"file":"one/e.kvr","new":"","result":"skipped","why":"cannot be opened"}],"renamed":0,"failed":1}' \
  -- rename --json --keep-extension one/other.kvr one/e.kvr
same kvrtool_gc_same.kvr one/other.kvr
same kvrtool_gc_slash.kvr one/Cievka12A.kvr

run 1 '' -- rename
run 1 '' -- rename one --keep-extensions
exit $fail
