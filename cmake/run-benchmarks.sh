#!/bin/sh
# Runs the benchmarks under Wine and prints their tables with the machine they ran on.
# Usage: run-benchmarks.sh BUILD_DIR (absolute), inside Xvfb and a Wine session of that tree.
build=$1
here=$(dirname "$0")
. "$here/jobs.sh"
. "$here/wine-env.sh"
model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
echo "Machine: $model, $(nproc) cores available, $("$WINELOADER" --version) ($WINEARCH)," \
    "$(uname -sr)"
echo
status=0
# Each benchmark is a stand-in host, Orbiter.exe, in its own folder next to the module.
for bench in "$build"/bench*/Orbiter.exe; do
    echo "== $(basename "$(dirname "$bench")")"
    if ! run "$here/wine-run.sh" "$build" "$bench"; then
        echo "run-benchmarks.sh: $bench failed (its messages are above)" >&2
        status=1
    fi
    echo
done
exit $status
