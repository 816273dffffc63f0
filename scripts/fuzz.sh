#!/usr/bin/env bash
# make fuzz: builds the engine build (clang-14 with libFuzzer, ASan and UBSan,
# in build/fuzz) and runs a campaign: every harness for MINUTES minutes, JOBS
# harnesses at a time. Each harness starts from its committed seeds
# (tests/fuzz/corpus/NAME) and the working corpus of earlier campaigns
# (build/fuzz/corpus/NAME); the inputs it finds that add coverage are merged
# into that working corpus, never into the repository. A crash, timeout or
# out-of-memory input is copied to tests/fuzz/reproducers/NAME/, where the
# native build's replay test (make test) picks it up. A harness stops at its
# first finding.
#
# Usage: scripts/fuzz.sh [NAME...]      (no names: every harness)
#   MINUTES      minutes per harness (default 3)
#   JOBS         harnesses at a time (default 2, one per core)
#   GROW_EVERY   one input in this many also gets the time-bound check
#                (default 32; 1 checks every input, as the replay does)
#   RUNS         when set: every harness runs this many inputs instead of
#                MINUTES minutes (a campaign of a fixed size)
#   MAX_LEN      when set: the longest input libFuzzer makes (its default
#                is 4096 bytes; shorter inputs run faster; the linear-time
#                check still grows them to 32 KiB)
#   SANITIZE     1 (default): ASan and UBSan in build/fuzz; 0: the volume
#                build build/fuzz-fast without them, several times faster,
#                for long campaigns (its findings replay under ASan and
#                UBSan in the native build, as every reproducer does)
# Prints one line per harness (executions, executions per second, findings)
# and exits non-zero when anything was found.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

minutes=${MINUTES:-3}
jobs=${JOBS:-2}
grow_every=${GROW_EVERY:-32}
sanitize=${SANITIZE:-1}
runs=${RUNS:-0}
limit=(-max_total_time=$((minutes * 60)))
[[ $runs -gt 0 ]] && limit=(-runs="$runs" -max_total_time=0)
[[ -n ${MAX_LEN:-} ]] && limit+=(-max_len="$MAX_LEN")
build=build/fuzz
sanitize_option=ON
if [[ $sanitize == 0 ]]; then
    build=build/fuzz-fast
    sanitize_option=OFF
fi

if [[ $# -gt 0 ]]; then
    harnesses=("$@")
else
    mapfile -t harnesses < <(sed -n 's/^brevaro_fuzz_harness(\([a-z_]*\) .*/\1/p' tests/fuzz/Harnesses.cmake)
fi

scripts/install-deps.sh || exit 1
if [[ ! -f $build/build.ninja ]]; then
    cmake -S tests/fuzz/engine -B $build -G Ninja \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DBREVARO_FUZZ_SANITIZE=$sanitize_option >/dev/null || exit 1
fi
cmake --build $build --target "${harnesses[@]}" || exit 1

# campaign NAME: one harness's run; leaves its summary in run/NAME/summary.
campaign() {
    local name=$1
    local program=$root/$build/bin/$name
    local run=$root/$build/run/$name
    local corpus=$root/$build/corpus/$name
    local reproducers=$root/tests/fuzz/reproducers/$name
    rm -rf "$run"
    mkdir -p "$run/new" "$run/findings" "$corpus"
    local dictionary=()
    [[ -f $root/tests/fuzz/dicts/$name.dict ]] && dictionary=(-dict="$root/tests/fuzz/dicts/$name.dict")

    BREVARO_FUZZ_GROW_EVERY=$grow_every "$program" "${dictionary[@]}" \
        "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$run/findings/" \
        "$run/new" "$corpus" "$root/tests/fuzz/corpus/$name" >"$run/log" 2>&1
    # What this run found that adds coverage joins the working corpus.
    "$program" -merge=1 "$corpus" "$run/new" >"$run/merge.log" 2>&1

    local findings=0
    for finding in "$run"/findings/*; do
        [[ -f $finding ]] || continue
        case $(basename "$finding") in
            crash-* | timeout-* | oom-* | leak-*)
                mkdir -p "$reproducers"
                cp "$finding" "$reproducers/"
                findings=$((findings + 1))
                ;;
        esac
    done
    local executions rate
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$run/log")
    printf '%-18s %10s executions %7s exec/s %3d findings\n' \
        "$name" "${executions:-?}" "${rate:-?}" "$findings" >"$run/summary"
    if [[ $findings -gt 0 ]]; then
        echo "    log: $build/run/$name/log; reproducers: tests/fuzz/reproducers/$name/" >>"$run/summary"
    fi
}

if [[ $runs -gt 0 ]]; then
    echo "fuzz: ${#harnesses[@]} harnesses, $runs inputs each, $jobs at a time"
else
    echo "fuzz: ${#harnesses[@]} harnesses, $minutes min each, $jobs at a time"
fi
running=0
for name in "${harnesses[@]}"; do
    campaign "$name" &
    running=$((running + 1))
    if [[ $running -ge $jobs ]]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

echo
echo "==== make fuzz summary ===="
found=0
for name in "${harnesses[@]}"; do
    summary=$build/run/$name/summary
    if [[ -f $summary ]]; then
        cat "$summary"
        grep -q ' 0 findings$' "$summary" || found=1
    else
        echo "$name: no summary (the run failed)"
        found=1
    fi
done
exit $found
