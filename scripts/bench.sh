#!/usr/bin/env bash
# Measures Velmor's speed: the document's round trip against plain file I/O of the same
# bytes, the codec alone, listing 10,000 saves (natively and in the window under Wine),
# and velmor-cli set against cp as whole processes. Prints the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh libbenchmark-dev hyperfine
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELMOR_BENCH=ON \
      >/dev/null
cmake --build build-bench -j2 --target velmor_bench velmor-cli
cmake -S . -B build-bench-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELMOR_BENCH=ON >/dev/null
cmake --build build-bench-win -j2 --target velmor_listbench

out=build-bench/bench.json
build-bench/bench/velmor_bench --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_out="$out" \
    --benchmark_out_format=json

python3 - "$out" <<'PY'
import json, sys
runs = {b["run_name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
print("\nround trip (open, decode, encode, save) against the same bytes' raw I/O, medians:")
for size in (660, 10000, 100000):
    rt, raw, durable = (runs[f"BM_{n}/{size}"] for n in ("RoundTrip", "RawReadWrite", "RawDurableWrite"))
    print(f"  {size:>6} B: {rt/1000:8.1f} us; x{rt/raw:5.2f} of plain read+write, "
          f"x{rt/durable:5.2f} of read + durable write")
print(f"  file list of 10,000 saves (native): {runs['BM_ListFolder']:.1f} ms")
PY

echo
scripts/wine-run.sh build-bench-win/bench/velmor_listbench.exe

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build-bench/velmor-cli new Barbar "$work/Rogar.d2s" >/dev/null
echo
hyperfine --warmup 5 --runs 100 --export-json "$work/cli.json" \
    "build-bench/velmor-cli set $work/Rogar.d2s strength=99 --no-backup" \
    "build-bench/velmor-cli set $work/Rogar.d2s strength=99" \
    "cp $work/Rogar.d2s $work/Copy.d2s"
python3 - "$work/cli.json" <<'PY'
import json, sys
r = [x["median"] for x in json.load(open(sys.argv[1]))["results"]]
print(f"velmor-cli set: x{r[0]/r[2]:.2f} of cp without backup, x{r[1]/r[2]:.2f} with its backup")
PY
