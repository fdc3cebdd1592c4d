#!/bin/sh
# `make test`: builds each tree and runs its suite through CTest, one job per core: native (with
# the workshop's own test), native-asan (sanitizers and short fuzz runs), win32 and win64 (the
# Windows-side suites under Wine, each test in a Wine session of its own). Where this machine
# cannot run 32-bit programs (cmake/x86-support.sh, or KELVO_NO_X86=1), the win32 tree runs only
# its static checks (the module's file, the release package) and one line says why; where that
# cannot be told, the win32 suite fails with the reason. Every suite runs even when an earlier
# one failed; a summary gives each one's result and the seconds spent building, making Wine
# prefixes and testing, and the exit status is 1 when any failed.
# Usage: run-tests.sh [SUITE...] (default: all four)
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.." && mkdir -p build || exit 1
. "$here/jobs.sh"
jobs=$(nproc)
summary="" failures=0 suites=0 start=$(date +%s)
KELVO_TIMINGS=$PWD/build/.kelvo-timings
export KELVO_TIMINGS

# The seconds that step $1 of the last suite took.
took() { awk -v step="$1" '$1 == step { s += $2 } END { print s + 0 }' "$KELVO_TIMINGS"; }

# Builds tree $1 and runs CTest there with the options after it, after --wine in Wine sessions.
suite() {
    tree=$1
    shift
    if [ "$1" = --wine ]; then
        shift
        set -- "$here/wine-session.sh" --xvfb "$jobs" "$PWD/build/$tree" sh -c \
            'exec ctest "$@" --resource-spec-file "$KELVO_WINE_SESSIONS"' sh "$@"
    else
        set -- ctest "$@"
    fi
    run "$here/build-tree.sh" "$tree" "$@" --preset "$tree" --parallel "$jobs"
}

for name in ${*:-native native-asan win32 win64}; do
    echo "== $name"
    note=
    : >"$KELVO_TIMINGS"
    case $name in
        native | native-asan) suite "$name" ;;
        win64) suite win64 --wine ;;
        win32)
            reason=$("$here/x86-support.sh")
            case $? in
                0) suite win32 --wine ;;
                1)
                    note="static checks only; the x86 Windows-side suite was not run: $reason"
                    echo "run-tests.sh: $note"
                    suite win32 -L static ;;
                *)
                    note="not run: $reason"
                    echo "run-tests.sh: win32 $note" >&2
                    false ;;
            esac ;;
        *)
            echo "run-tests.sh: no suite named $name (native, native-asan, win32, win64)" >&2
            false ;;
    esac
    if [ $? -eq 0 ]; then result=passed; else result=FAILED failures=$((failures + 1)); fi
    suites=$((suites + 1))
    prefixes=$(took prefixes)
    summary="$summary$(printf '  %-12s %-7s build %s s, Wine prefixes %s s, tests %s s%s' \
        "$name" "$result" "$(took build)" "$prefixes" "$(($(took tests) - prefixes))" \
        "${note:+ ($note)}")
"
done

echo
echo "Summary:"
printf '%s' "$summary"
echo "All in $(($(date +%s) - start)) s."
echo "Suites: $((suites - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
