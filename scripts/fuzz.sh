#!/usr/bin/env bash
# Builds the libFuzzer target of tests/fuzz in build-fuzz and runs it for SECONDS seconds
# (default 30) on a copy of its seed corpus. (The ordinary native build replays the corpus
# once as the CTest test fuzz_doc_corpus.) Prints the
# executions and the coverage reached per target. A crash, sanitizer report or violated
# property leaves its input in tests/fuzz/crashes/ and makes the script exit with 1.
#
# usage: scripts/fuzz.sh [SECONDS]
#
# Without clang++ it says so and exits with 0; the caller decides what that means.
set -u

seconds=${1:-30}
case $seconds in
  '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
crashes="$root/tests/fuzz/crashes"
targets="fuzz_doc"

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ not found; the fuzz targets need clang with libFuzzer. Nothing run."
  exit 0
fi

c_compiler=()
if command -v clang >/dev/null 2>&1; then c_compiler=(-DCMAKE_C_COMPILER=clang); fi
mkdir -p "$build/fuzz-logs" "$crashes"
logs="$build/fuzz-logs"

echo "fuzz.sh: building the fuzz targets in $build"
if ! cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ "${c_compiler[@]}" \
      -DVELMOR_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      >"$logs/configure.log" 2>&1; then
  cat "$logs/configure.log" >&2
  echo "fuzz.sh: configuring failed" >&2
  exit 2
fi
if ! cmake --build "$build" -j1 --target fuzzers >"$logs/build.log" 2>&1; then
  cat "$logs/build.log" >&2
  echo "fuzz.sh: building failed" >&2
  exit 2
fi

# The last "cov: N ft: M" that libFuzzer printed.
coverage() {
  grep -E '^#[0-9]+.* cov: ' "$1" | tail -n 1 |
    sed -E 's/.* cov: ([0-9]+) ft: ([0-9]+).*/\1 \2/'
}

failed=0
rows=()
for target in $targets; do
  max_len=4096
  [ "$target" = fuzz_doc ] && max_len=100100
  work="$build/fuzz-corpus/$target"
  rm -rf "$work"
  mkdir -p "$work"
  cp "$root/tests/fuzz/corpus/$target/"* "$work/"
  dict=()
  [ -f "$root/tests/fuzz/$target.dict" ] && dict=(-dict="$root/tests/fuzz/$target.dict")
  log="$logs/$target.log"
  echo "fuzz.sh: $target for ${seconds}s"
  "$build/tests/fuzz/$target" "$work" -max_total_time="$seconds" -max_len="$max_len" \
      "${dict[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$crashes/$target-" >"$log" 2>&1
  status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  read -r cov ft <<<"$(coverage "$log")"
  result=ok
  if [ "$status" -ne 0 ]; then
    failed=1
    unit=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
    result="FAILED (${unit:-no input kept}; log $log)"
    grep -E 'property violated|ERROR: |SUMMARY: ' "$log" | head -n 3 | sed 's/^/    /'
  fi
  rows+=("$(printf '%-15s %12s %6s %7s  %s' "$target" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result")")
done

echo
printf '%-15s %12s %6s %7s  %s\n' target executions cov ft result
for row in "${rows[@]}"; do echo "$row"; done
exit $failed
