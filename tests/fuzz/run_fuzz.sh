#!/bin/sh
# Runs one fuzz target from its committed seeds: RUNS inputs with a fixed random seed in a
# fresh working corpus, so that a failure in `make test` repeats; or, with KELVO_FUZZ_SECONDS
# set (`make fuzz`), for that many seconds, keeping what it finds for the next run.
# Usage: run_fuzz.sh FUZZER SEEDS WORKDIR RUNS. A failing input is written to WORKDIR.
set -e
fuzzer=$1 seeds=$2 work=$3 runs=$4
if [ -n "$KELVO_FUZZ_SECONDS" ]; then
    corpus=$work/corpus
    limit="-max_total_time=$KELVO_FUZZ_SECONDS"
else
    corpus=$work/bounded
    rm -rf "$corpus"
    limit="-runs=$runs -seed=1"
fi
mkdir -p "$corpus"
exec "$fuzzer" $limit -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" "$corpus" "$seeds"
