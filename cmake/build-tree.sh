#!/bin/sh
# Configures and builds the tree of a CMake preset, then runs COMMAND in it if one is given,
# holding the tree's lock (flock on build/PRESET/.kelvo-lock) throughout: a second command on
# the same tree waits until the first has ended, after one line that names the first and how to
# stop waiting. CMake's warnings, notes and errors are shown as they come, its status lines kept
# in build/PRESET.configure.log and shown when configuring fails; so are the build's messages.
# Says what failed.
# Usage: build-tree.sh PRESET [COMMAND [ARGS...]]
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.." || exit 1
. "$here/jobs.sh"
preset=$1
shift
lock=build/$preset/.kelvo-lock
mkdir -p "build/$preset" && exec 9>>"$lock" || exit 1
if ! flock -n 9; then
    echo "build-tree.sh: build/$preset is in use by $(cat "$lock"); waiting until that ends" \
        "(Ctrl+C stops waiting)." >&2
    run flock 9 || exit 1
fi
echo "${KELVO_COMMAND:-build-tree.sh $preset $*} (pid $$)" >"$lock"

log=build/$preset.configure.log
configure_and_build() {
    try="mend the first error, then run again"
    run cmake --preset "$preset" 2>&1 >"$log" ||
        fail "configuring the $preset tree failed (its errors are above)" "$log" "$try"
    run cmake --build --preset "$preset" ||
        fail "building the $preset tree failed (its messages are above)" "" "$try"
}
timed build configure_and_build
[ $# -eq 0 ] || timed tests run "$@"
