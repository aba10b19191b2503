#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each, one after the other.
# Usage: fuzz/run.sh BUILD_DIR SECONDS
#   corpus (kept and grown between runs): BUILD_DIR/corpus/<target>/
#   seeds (written afresh by fuzz_seeds):   BUILD_DIR/seeds/<target>/
#   a crash or broken invariant:             BUILD_DIR/crashes/<target>/crash-*
# Inputs once found failing live in fuzz/regressions/<target>/ and run first.
# Exits 1 when any target finds a failure.
set -uo pipefail
build=$1
seconds=$2
src=$(cd "$(dirname "$0")/.." && pwd)
targets=(fuzz_program fuzz_records fuzz_bobbin fuzz_constants fuzz_desktop
         fuzz_warnings_ini fuzz_ini_update fuzz_errors_text fuzz_keypad fuzz_link)
targets+=(fuzz_script)
# The targets' scratch files go to memory when the system has it.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
rm -rf "$build/seeds"
"$build/fuzz_seeds" "$build/seeds" "$src" || exit 1
failed=()
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/crashes/$t" "$build/seeds/$t"
  log="$build/crashes/$t/last-run.log"
  regressions=()
  [ -d "$src/fuzz/regressions/$t" ] && regressions=("$src/fuzz/regressions/$t")
  if [ ${#regressions[@]} -gt 0 ] && ! "$build/$t" -runs=0 "${regressions[@]}" >"$log" 2>&1; then
    echo "$t: a regression input fails again (see $log)"
    failed+=("$t")
    continue
  fi
  if "$build/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/crashes/$t/" "$build/corpus/$t" "$build/seeds/$t" >"$log" 2>&1; then
    echo "$t: ${seconds}s, $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') inputs, corpus $(ls "$build/corpus/$t" | wc -l) files, nothing found"
  else
    echo "$t: FOUND a failure; input in $build/crashes/$t/, log $log"
    grep -m3 -E 'ERROR|invariant broken|runtime error' "$log" | sed 's/^/    /'
    failed+=("$t")
  fi
done
echo "corpus: $build/corpus/<target>   crashes and logs: $build/crashes/<target>"
[ ${#failed[@]} -eq 0 ] || { echo "failures in: ${failed[*]}"; exit 1; }
