#!/bin/sh
# `make test`: builds each tree and runs its suite through CTest, one job per core: native,
# native-asan (sanitizers and short fuzz runs), win32 and win64 (the Windows-side suites under
# Wine, each test in a Wine session of its own). Where this machine cannot run 32-bit programs
# (cmake/x86-support.sh), or KELVO_NO_X86=1 is set, the win32 tree is still built and its
# static checks run (the module's file: size, imports, exports, version resource; the release
# package), and one line says why its Windows-side suite was not run; where that cannot be told,
# the win32 suite fails with the reason. Every suite runs even when an earlier one failed; a
# summary names each with its result and the seconds spent building, making Wine prefixes and
# testing, and the exit status is 1 when any failed.
# Usage: run-tests.sh [SUITE...] (default: all four)
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.." || exit 1
. "$here/jobs.sh"
jobs=$(nproc)
summary=
failures=0
suites=0
mkdir -p build || exit 1
KELVO_TIMINGS=$PWD/build/.kelvo-timings
export KELVO_TIMINGS

# The seconds that step $1 of the last suite took.
took() { awk -v step="$1" '$1 == step { s += $2 } END { print s + 0 }' "$KELVO_TIMINGS"; }

# Records suite $1's result (status $2, note $3) and its times for the summary.
record() {
    suites=$((suites + 1))
    if [ "$2" -eq 0 ]; then result=passed; else result=FAILED; failures=$((failures + 1)); fi
    times="build $(took build) s, Wine prefixes $(took prefixes) s"
    summary="$summary$(printf '  %-12s %-7s %s, tests %s s%s' "$1" "$result" "$times" \
        "$(($(took tests) - $(took prefixes)))" "${3:+ ($3)}")
"
}

# Builds tree $1 and runs its Windows-side suite in one Wine session per core.
wine_suite() {
    run "$here/build-tree.sh" "$1" "$here/wine-session.sh" --xvfb "$jobs" "$PWD/build/$1" sh -c \
        'exec ctest --preset "$1" --parallel "$2" --resource-spec-file "$KELVO_WINE_SESSIONS"' \
        sh "$1" "$jobs"
}

start=$(date +%s)
for suite in ${*:-native native-asan win32 win64}; do
    echo "== $suite"
    note=
    : >"$KELVO_TIMINGS"
    case $suite in
        native | native-asan)
            run "$here/build-tree.sh" "$suite" ctest --preset "$suite" --parallel "$jobs" ;;
        win32)
            reason=$("$here/x86-support.sh")
            case $? in
                0) wine_suite win32 ;;
                1)
                    note="static checks only; the x86 Windows-side suite was not run: $reason"
                    echo "run-tests.sh: $note"
                    run "$here/build-tree.sh" win32 ctest --preset win32 --parallel "$jobs" -L static
                    ;;
                *)
                    note="not run: $reason"
                    echo "run-tests.sh: win32 $note" >&2
                    false
                    ;;
            esac
            ;;
        win64)
            wine_suite win64 ;;
        *)
            echo "run-tests.sh: no suite named $suite (native, native-asan, win32, win64)" >&2
            false ;;
    esac
    record "$suite" $? "$note"
done

echo
echo "Summary:"
printf '%s' "$summary"
echo "All in $(($(date +%s) - start)) s."
echo "Suites: $((suites - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
