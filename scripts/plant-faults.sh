#!/usr/bin/env bash
# Plants faults one at a time and tells which ones the tests catch.
#
#   scripts/plant-faults.sh [FAULTS] [ID...]
#
# FAULTS (default scripts/faults/campaign.txt) holds one fault a line, "ID@@FILE@@SEARCH@@REPLACE",
# where SEARCH must occur exactly once in FILE and "\n" in SEARCH or REPLACE is a line break;
# blank lines and lines beginning with # are skipped. With IDs, only those faults are planted.
# For each fault: the file is changed, the build folder of its suite is rebuilt incrementally
# (-j2), the suite is run (native ctest for the portable code, the Wine ctest for files ending
# in _win and for src/app and src/monitor), and the file is restored, always, even after a
# failure or Ctrl-C. The outcome of each fault goes to FAULTS.results and a summary is printed.
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
    local dir=$([[ $1 == wine ]] && echo build-win || echo build-native)
    cmake --build "$dir" -j2 >"$log_dir/build.log" 2>&1 || return 2
    if [[ $1 == wine ]]; then
        ctest --test-dir "$dir" --timeout 120 >"$log_dir/test.log" 2>&1
    else
        ctest --test-dir "$dir" -j2 --timeout 120 >"$log_dir/test.log" 2>&1
    fi
}

declare -A caught total
: >"$results"
while IFS= read -r line; do
    [[ -z $line || $line == \#* ]] && continue
    IFS=$'\x1f' read -r id file search replace <<<"${line//@@/$'\x1f'}"
    if (($# > 0)) && [[ " $* " != *" $id "* ]]; then continue; fi
    suite=$(suite_of "$file")
    cp "$file" "$saved_copy"
    if ! plant "$file" "$search" "$replace"; then
        echo "$id|$suite|bad row" | tee -a "$results"
        continue
    fi
    planted_file=$file
    start=$SECONDS
    run_suite "$suite"
    status=$?
    restore
    failed=$(grep -oE '[0-9]+ - [^ ]+' "$log_dir/test.log" 2>/dev/null | cut -d' ' -f3 | paste -sd, -)
    case $status in
        0) outcome=survived ;;
        2) outcome="does not build" ;;
        *) outcome=caught ;;
    esac
    if [[ $outcome != "does not build" ]]; then
        total[$suite]=$((${total[$suite]:-0} + 1))
        [[ $outcome == caught ]] && caught[$suite]=$((${caught[$suite]:-0} + 1))
    fi
    echo "$id|$suite|$outcome|$((SECONDS - start)) s|$failed" | tee -a "$results"
done <"$faults"

# Leaves the build folders built from the restored sources.
for suite in "${!total[@]}"; do
    cmake --build "$([[ $suite == wine ]] && echo build-win || echo build-native)" -j2 >/dev/null 2>&1
done

echo
all=0 hit=0
for suite in "${!total[@]}"; do
    echo "$suite: ${caught[$suite]:-0} of ${total[$suite]} caught"
    all=$((all + total[$suite])) hit=$((hit + ${caught[$suite]:-0}))
done
((all > 0)) && echo "all: $hit of $all caught ($((100 * hit / all))%)"
grep '|survived|' "$results" | cut -d'|' -f1 | sed 's/^/survived: /'
exit 0
