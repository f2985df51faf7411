#!/usr/bin/env bash
# Long fuzzing runs: builds the fuzz preset and runs each named target (all when
# none is named) until it has run RUNS inputs or MINUTES have passed, one after
# another. The corpus grows in build/fuzz/corpus/<target>, seeded from
# tests/fuzz/corpus/<target>; crashes land in build/fuzz/findings/<target>.
# Usage: scripts/fuzz.sh [-r RUNS] [-m MINUTES] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=10000000 minutes=30
while getopts r:m: option; do
    case $option in
        r) runs=$OPTARG ;;
        m) minutes=$OPTARG ;;
        *) echo "usage: $0 [-r RUNS] [-m MINUTES] [target...]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(ls tests/fuzz/corpus)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target findings=build/fuzz/findings/$target
    mkdir -p "$corpus" "$findings"
    echo "=== $target"
    "build/fuzz/tests/fuzz/$target" -runs="$runs" -max_total_time=$((minutes * 60)) \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$target"
done
