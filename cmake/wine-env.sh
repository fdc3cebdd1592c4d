# The environment of every Wine process of a build tree, sourced (after jobs.sh) by the Wine
# scripts with $build set to the tree (absolute). The tree's prefix is $build/wineprefix; its
# architecture (win32 or win64, from the tree's CMake cache) picks the Wine loader, which is
# called directly: Debian's `wine` runs the 32-bit loader whenever wine32 is installed, even on a
# kernel that cannot run it. Quiet unless WINEDEBUG asks otherwise, no Mono or Gecko installer
# prompts, and no crash debugger (a crash must fail, not hang).
prefix=$build/wineprefix
winearch=$(sed -n 's/^KELVO_WINEARCH:INTERNAL=//p' "$build/CMakeCache.txt" 2>/dev/null)
case $winearch in
    win32) loader=/usr/lib/wine/wine ;;
    win64) loader=/usr/lib/wine/wine64 ;;
    *) fail "$build is not a configured Windows tree (no KELVO_WINEARCH in its cache)" "" \
        "make win32 or make win64" ;;
esac
[ -x "$loader" ] || fail "the Wine loader for $winearch, $loader, is not installed" "" \
    "cmake/install-deps.sh"
export WINEARCH="$winearch" WINELOADER="$loader" WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Wine session $1 (see wine-session.sh): its prefix (session 0 uses the tree's) in WINEPREFIX;
# beside the prefix, its files: display name (.display), settings (.settings), logs (.log).
enter_session() {
    WINEPREFIX=$prefix
    [ "$1" -eq 0 ] || WINEPREFIX=$prefix-$1
}
