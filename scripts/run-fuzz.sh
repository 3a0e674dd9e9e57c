#!/usr/bin/env bash
# Runs fuzz targets for a bounded time each: scripts/run-fuzz.sh BUILD_DIR SECONDS TARGET...
# Seeds come from fuzz/corpus/<name>/ (name = target without "_fuzz"); new inputs stay in the build tree.
# Prints one line per target; the fuzzer's log only when it finds something.
set -euo pipefail
build=$1 seconds=$2
shift 2
for target in "$@"; do
    name=${target%_fuzz}
    work="$build/corpus/$name"
    mkdir -p "$work" "$build/findings"
    log="$build/$target.log"
    # The target's own temporary files go to a folder of the build tree, emptied after each run.
    scratch="$build/tmp/$target"
    rm -rf "$scratch" && mkdir -p "$scratch"
    if TMPDIR="$scratch" "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/" "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
        rm -rf "$scratch"
        echo "fuzz $target: no finding in ${seconds}s ($runs runs)"
    else
        tail -n 60 "$log"
        echo "fuzz $target: FINDING (inputs in $build/findings/)"
        exit 1
    fi
done
