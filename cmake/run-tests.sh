#!/bin/sh
# `make test`: builds each tree and runs its suite through CTest, one job per core: native,
# native-asan (sanitizers and short fuzz runs), win32 and win64 (the Windows-side suites under
# Wine, each test in a Wine session of its own). Where this machine cannot run 32-bit programs
# (cmake/x86-support.sh), or KELVO_NO_X86=1 is set, the win32 tree is still built and its
# static checks run (the module's file: size, imports, exports, version resource; the release
# package), and one line says why its Windows-side suite was not run. Every suite runs even when
# an earlier one failed; a summary names each with its result, and the exit status is 1 when
# any failed.
# Usage: run-tests.sh [SUITE...] (default: all four)
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
cd "$root" || exit 1
jobs=$(nproc)
summary=
failures=0
suites=0

# Records suite $1's result (status $2, note $3) for the summary.
record() {
    suites=$((suites + 1))
    if [ "$2" -eq 0 ]; then result=passed; else result=FAILED; failures=$((failures + 1)); fi
    summary="$summary$(printf '  %-12s %s%s' "$1" "$result" "${3:+ ($3)}")
"
}

# The Windows-side suite of tree $1, in one Wine session per core.
wine_suite() {
    "$here/wine-session.sh" --xvfb "$jobs" "$root/build/$1" sh -c \
        'exec ctest --preset "$1" --parallel "$2" --resource-spec-file "$KELVO_WINE_SESSIONS"' \
        sh "$1" "$jobs"
}

for suite in ${*:-native native-asan win32 win64}; do
    echo "== $suite"
    note=
    case $suite in
        native | native-asan)
            "$here/build-tree.sh" "$suite" && ctest --preset "$suite" --parallel "$jobs" ;;
        win32)
            if reason=$("$here/x86-support.sh"); then
                "$here/build-tree.sh" win32 && wine_suite win32
            else
                note="static checks only; the x86 Windows-side suite was not run: $reason"
                echo "run-tests.sh: $note"
                "$here/build-tree.sh" win32 && ctest --preset win32 --parallel "$jobs" -L static
            fi
            ;;
        win64)
            "$here/build-tree.sh" win64 && wine_suite win64 ;;
        *)
            echo "run-tests.sh: no suite named $suite (native, native-asan, win32, win64)" >&2
            false ;;
    esac
    record "$suite" $? "$note"
done

echo
echo "Summary:"
printf '%s' "$summary"
echo "Suites: $((suites - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
