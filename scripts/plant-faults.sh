#!/usr/bin/env bash
# Plants faults one at a time and tells which ones the tests catch.
#
#   scripts/plant-faults.sh [FAULTS] [ID...]
#
# FAULTS (default scripts/faults/campaign.txt) holds one fault a line,
# "ID@@FILE@@SEARCH@@REPLACE", where SEARCH must occur exactly once in FILE and "\n" in
# SEARCH or REPLACE is a line break;
# blank lines and lines beginning with # are skipped. With IDs, only those faults are planted.
# For each fault: the file is changed, the build folder of its suite is rebuilt incrementally
# (-j2), the suite is run (native ctest for the portable code, the Wine ctest for files ending
# in _win and for src/app and src/monitor; a portable fault the native suite lets through is
# then run under Wine too, as scripts/test.sh would), and the file is restored, always, even
# after a failure or Ctrl-C. The outcome of each fault goes to FAULTS.results (ID, code,
# outcome, the suite that caught it, time, failing tests) and a summary is printed.
# The build folders are the ordinary ones (build-native, build-win), configured beforehand.
set -uo pipefail
cd "$(dirname "$0")/.."

faults=${1:-scripts/faults/campaign.txt}
shift $(($# > 0 ? 1 : 0))
results=${faults%.txt}.results
log_dir=build-faults
mkdir -p "$log_dir"

planted_file="" saved_copy="$log_dir/original"
restore() {
    if [[ -n $planted_file ]]; then
        cat "$saved_copy" >"$planted_file"  # new contents, new time: the next build rebuilds it
        planted_file=""
    fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

# Replaces the one occurrence of SEARCH in FILE; fails when there is none or more than one.
plant() {
    python3 - "$1" "$2" "$3" <<'PY'
import sys
path, search, replace = sys.argv[1], sys.argv[2].replace("\\n", "\n"), sys.argv[3].replace("\\n", "\n")
text = open(path, encoding="utf-8").read()
if text.count(search) != 1:
    sys.exit(f"{path}: the search text occurs {text.count(search)} times")
open(path, "w", encoding="utf-8").write(text.replace(search, replace))
PY
}

suite_of() {
    case $1 in
        *_win.* | src/app/* | src/monitor/*) echo wine ;;
        *) echo native ;;
    esac
}

run_suite() {
    local dir=$([[ $1 == wine ]] && echo build-win || echo build-native) jobs=-j2
    [[ $1 == wine ]] && jobs=-j1  # the Wine suites run one at a time
    cmake --build "$dir" -j2 >"$log_dir/build.log" 2>&1 || return 2
    ctest --test-dir "$dir" $jobs --timeout 120 >"$log_dir/test.log" 2>&1 || return 1
}

declare -A caught total
: >"$results"
while IFS= read -r line <&3; do
    [[ -z $line || $line == \#* ]] && continue
    IFS=$'\x1f' read -r id file search replace <<<"${line//@@/$'\x1f'}"
    if (($# > 0)) && [[ " $* " != *" $id "* ]]; then continue; fi
    suite=$(suite_of "$file")
    kind=$([[ $suite == wine ]] && echo window || echo portable)
    cp "$file" "$saved_copy"
    if ! plant "$file" "$search" "$replace"; then
        echo "$id|$kind|bad row" | tee -a "$results"
        continue
    fi
    planted_file=$file
    start=$SECONDS
    rm -f "$log_dir/test.log"
    run_suite "$suite"
    status=$?
    # What the native suite lets through of the portable code may still fail the Wine suite.
    if ((status == 0)) && [[ $suite == native && -d build-win ]]; then
        run_suite wine
        status=$?
        ((status == 1)) && suite="wine (not native)"
    fi
    restore
    failed=$(grep -oE '[0-9]+ - [^ ]+' "$log_dir/test.log" 2>/dev/null | cut -d' ' -f3 | paste -sd, -)
    case $status in
        0) outcome=survived ;;
        2) outcome="does not build" ;;
        *) outcome=caught ;;
    esac
    if [[ $outcome != "does not build" ]]; then
        total[$kind]=$((${total[$kind]:-0} + 1))
        [[ $outcome == caught ]] && caught[$kind]=$((${caught[$kind]:-0} + 1))
    fi
    echo "$id|$kind|$outcome|$suite|$((SECONDS - start)) s|$failed" | tee -a "$results"
done 3<"$faults"

# Leaves the build folders built from the restored sources.
for dir in build-native build-win; do [[ -d $dir ]] && cmake --build "$dir" -j2 >/dev/null 2>&1; done

echo
all=0 hit=0
for kind in "${!total[@]}"; do
    echo "$kind code: ${caught[$kind]:-0} of ${total[$kind]} caught"
    all=$((all + total[$kind])) hit=$((hit + ${caught[$kind]:-0}))
done
((all > 0)) && echo "all: $hit of $all caught ($((100 * hit / all))%)"
grep '|survived|' "$results" | cut -d'|' -f1 | sed 's/^/survived: /'
exit 0
