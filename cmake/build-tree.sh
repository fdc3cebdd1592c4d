#!/bin/sh
# Configures and builds the tree of a CMake preset. The configure step's output is kept in
# build/PRESET.configure.log and shown when it fails; the build's messages are shown as they
# come. Says what failed.
# Usage: build-tree.sh PRESET
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
mkdir -p build || exit 1
log=build/$1.configure.log
if ! cmake --preset "$1" >"$log" 2>&1; then
    cat "$log"
    echo "build-tree.sh: configuring the $1 tree failed (its output is above, kept in $log)." >&2
    exit 1
fi
if ! cmake --build --preset "$1"; then
    echo "build-tree.sh: building the $1 tree failed (the messages are above)." >&2
    exit 1
fi
