#!/bin/sh
# Runs the benchmarks under Wine and prints their tables with the machine they ran on.
# Usage: run-benchmarks.sh BUILD_WIN32_DIR (absolute), inside Xvfb and a Wine session.
set -e
build=$1
here=$(dirname "$0")
prefix="$build/wineprefix"
"$here/wine-prefix.sh" "$prefix"
model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
echo "Machine: $model, $(nproc) cores available, $(wine --version), $(uname -sr)"
echo
status=0
# Each benchmark is a stand-in host, Orbiter.exe, in its own folder next to the module.
for bench in "$build"/bench*/Orbiter.exe; do
    echo "== $(basename "$(dirname "$bench")")"
    "$here/wine-run.sh" "$prefix" "$bench" || status=1
    echo
done
exit $status
