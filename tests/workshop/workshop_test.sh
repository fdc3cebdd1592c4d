#!/bin/sh
# The workshop's own test. A scratch copy of the project's scripts runs a stand-in Windows-side
# suite (a win64 tree whose two tests run Wine's own cmd and ping) as `make test-win64` does, and
# is interrupted while its prefixes are made and while a test runs: SIGINT to the process group,
# as a terminal sends it, and SIGTERM to make alone, as a service manager does. Within 5 s no
# process of the scratch tree may be left (identified by its path in their command line or
# environment), nor a temporary file. Then a second command on the tree must wait for the first,
# which passes; where x86-support.sh cannot tell, its callers must fail with the reason; the
# scripts' temporary files must go on SIGTERM. Stand-in tools in front of PATH block or fail.
# Once the prefixes have been interrupted, the prefix of TREE_DIR (a win64 tree), if made, is
# copied (hard links, as wine-session.sh copies them) instead of being made again.
# Usage: workshop_test.sh SOURCE_DIR WORK_DIR [TREE_DIR]
src=$1
rm -rf "$2"
mkdir -p "$2" && scratch=$(mktemp -d "$2/scratch.XXXXXX") || exit 1
mkdir -p "$scratch/cmake" "$scratch/tmp" "$scratch/block" "$scratch/fail" "$scratch/docs/manual"
cp "$src"/cmake/*.sh "$src/cmake/wine-settings.reg" "$scratch/cmake/" &&
    cp "$src/Makefile" "$src/README.md" "$src/CHANGELOG.md" "$scratch/" || exit 1
: >"$scratch/docs/manual/CalculatorKelvo.rst"
cat >"$scratch/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(StandIn NONE)
set(KELVO_WINEARCH win64 CACHE INTERNAL "")
enable_testing()
set(wine ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${CMAKE_BINARY_DIR})
add_test(NAME Quick COMMAND ${wine} cmd /c exit 0)
add_test(NAME Slow COMMAND sh -c "touch running && exec \"$@\" -n $PINGS 127.0.0.1" sh ${wine} ping)
set_tests_properties(Quick Slow PROPERTIES RESOURCE_GROUPS wine_session:1 TIMEOUT 30)
EOF
preset='{"name": "win64", "configurePreset": "win64"}'
cat >"$scratch/CMakePresets.json" <<EOF
{"version": 6, "configurePresets": [{"name": "win64", "generator": "Ninja",
  "binaryDir": "\${sourceDir}/build/win64"}], "buildPresets": [$preset], "testPresets": [$preset]}
EOF
printf '#!/bin/sh\nexec sleep 2\n' >"$scratch/block/chmod"
printf '#!/bin/sh\nexec sleep 30\n' >"$scratch/block/rst2pdf"
printf '#!/bin/sh\necho "chmod: stand-in failure" >&2\nexit 1\n' >"$scratch/fail/chmod"
chmod +x "$scratch"/block/* "$scratch"/fail/*
tree=$scratch/build/win64
failures=0
checks=0

# The processes of the scratch tree, "pid command", by its path read from standard input, so
# that grep's own command line does not hold it.
procs() {
    for p in $(echo "$scratch" | grep -lsFf - /proc/[0-9]*/environ /proc/[0-9]*/cmdline |
        cut -d/ -f3 | sort -u); do
        echo "$p $(cat "/proc/$p/cmdline" 2>/dev/null | tr '\0' ' ')"
    done
}
# Counts check $1 (a description) as failed when the command after it fails, with what it saw.
check() {
    what=$1
    shift
    checks=$((checks + 1))
    "$@" && return
    failures=$((failures + 1))
    echo "FAILED: $what"
    cat "$scratch/out" 2>/dev/null
}
# Waits up to $1 tenths of a second for the shell condition $2.
within() {
    i=0
    until eval "$2"; do
        [ $i -lt "$1" ] || return 1
        i=$((i + 1))
        sleep 0.1
    done
}
# The scripts' temporary files: the 32-bit probe, and whatever went into TMPDIR.
temporary() {
    find "$scratch/tmp" -mindepth 1
    find "$scratch/build" -maxdepth 1 -name '.x86-probe*'
}
# Nothing of the tree left within 5 s, and no temporary file; what is left is shown, then ended.
clean() {
    within 50 '[ -z "$(procs)" ]' && [ -z "$(temporary)" ] && return
    procs
    temporary
    for p in $(procs | cut -d' ' -f1); do kill -KILL "$p" 2>/dev/null; done
    return 1
}
# Starts `make -C scratch ARGS` in a process group of its own that takes SIGINT as a terminal's;
# the slow test takes a minute (pings 1 s apart) unless PINGS says otherwise.
start() {
    PINGS=${PINGS:-60} setsid env --default-signal=INT make -C "$scratch" "$@" \
        >"$scratch/out" 2>&1 &
    pid=$!
}

for moment in prefixes test; do
    [ $moment = prefixes ] || [ ! -f "$3/wineprefix.settings" ] || { rm -rf "$tree/wineprefix" &&
        cp -al "$3/wineprefix" "$tree/" && cp "$3/wineprefix.settings" "$tree/"; }
    for signal in INT TERM; do
        ready='[ -e "$tree/running" ]'
        [ $moment = test ] || ready='procs | grep -q wineboot'
        start test-win64
        check "the $moment began" within 600 "$ready"
        if [ $signal = INT ]; then kill -INT -$pid; else kill -TERM $pid; fi
        check "SIGINT to the group (terminal) or SIGTERM to make (service) while the $moment" clean
        wait $pid
        rm -f "$tree/running"
    done
done

PINGS=3 start test-win64
first=$pid
within 600 '[ -e "$tree/running" ]'
PINGS=3 make -C "$scratch" test-win64 >"$scratch/out2" 2>&1 &
second=$!
check "the second command says that it waits for the first" \
    within 100 'grep -q "is in use by make test-win64 (pid" "$scratch/out2" && kill -0 $first'
wait $first
check "the first command passes while the second waits" [ $? -eq 0 ]
check "the summary gives the suite's times" \
    grep -q "win64 *passed *build [0-9]* s, Wine prefixes [0-9]* s, tests [0-9]* s" "$scratch/out"
wait $second
check "the second command passes after the first" [ $? -eq 0 ]
check "after both" clean

cmake=$scratch/cmake
tmp=$scratch/tmp
for command in "$cmake/x86-support.sh" "$cmake/run-tests.sh win32" "make -C $scratch -o deps run" \
    "make -C $scratch deps"; do
    PATH=$scratch/fail:$PATH TMPDIR=$tmp KELVO_NO_X86= $command >"$scratch/out" 2>&1
    check "$command fails where x86 support cannot be told" [ $? -ne 0 ]
    check "$command says why" grep -q "cannot tell whether this machine runs 32-bit" "$scratch/out"
    check "$command takes no x64 or static-only path" eval '! grep -q "x64\|static" "$scratch/out"'
done
PATH=$scratch/block:$PATH TMPDIR=$tmp KELVO_NO_X86= "$cmake/x86-support.sh" >"$scratch/out" 2>&1 &
probe=$!
within 50 'procs | grep -q "sleep 2"' && kill -TERM $probe
check "x86-support.sh leaves no probe on SIGTERM" clean
wait $probe
version=$(sed -n 's/^Version \([0-9.]*\),.*/\1/p' "$scratch/README.md")
PATH=$scratch/block:$PATH TMPDIR=$tmp "$cmake/make-dist.sh" "$version" "$scratch/Makefile" \
    "$scratch/out.zip" >"$scratch/out" 2>&1 &
dist=$!
within 50 'procs | grep -q "sleep 30"' && kill -TERM $dist
check "make-dist.sh stops rst2pdf and leaves no staging folder on SIGTERM" clean
wait $dist

echo "Workshop: $((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ] && rm -rf "$scratch"
