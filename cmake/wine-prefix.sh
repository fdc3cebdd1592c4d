#!/bin/sh
# Creates the Wine prefix of a build tree's session once (about 7 s), before any test races to
# create it. A step that fails prints Wine's own messages and what to try.
# Usage: wine-prefix.sh BUILD_DIR [SESSION]
build=$1
. "$(dirname "$0")/wine-env.sh"
WINEPREFIX=$(session_prefix "${2:-0}")
settings=4
[ "$(cat "$WINEPREFIX/.kelvo-settings" 2>/dev/null)" = "$settings" ] && exit 0

mkdir -p "$WINEPREFIX" || exit 1
log=$WINEPREFIX/.kelvo-setup.log
: >"$log"
# Runs one step with its output in the log; on failure shows the log and ends the script.
step() {
    what=$1
    shift
    "$@" >>"$log" 2>&1 && return 0
    status=$?
    echo "wine-prefix.sh: $what failed (exit code $status) for the $WINEARCH prefix" \
        "$WINEPREFIX, with $WINELOADER. Its messages:" >&2
    sed 's/^/    /' "$log" >&2
    if [ "$WINEARCH" = win32 ] && ! reason=$("$(dirname "$0")/x86-support.sh"); then
        echo "This machine cannot run the x86 tree: $reason. Try: make test (it takes the" \
            "x64 tree by itself here), or make win64." >&2
    else
        echo "Try: remove $WINEPREFIX and run again; WINEDEBUG=err+all shows more." >&2
    fi
    exit 1
}

[ -f "$WINEPREFIX/system.reg" ] || step "wineboot --init" "$WINELOADER" wineboot --init
step "waiting for the wineserver" wineserver -w
# A crashing test ends at once instead of opening the crash dialog.
step "reg add ShowCrashDialog" "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' \
    /v ShowCrashDialog /t REG_DWORD /d 0 /f
aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
step "reg add AeDebug Auto" "$WINELOADER" reg add "$aedebug" /v Auto /t REG_SZ /d 1 /f
step "reg add AeDebug Debugger" "$WINELOADER" reg add "$aedebug" /v Debugger /t REG_SZ /d "" /f
# Windows that no window manager looks after: under a bare Xvfb, destroying a managed window
# waits two seconds for a window manager that never answers.
step "reg add Managed" "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f
# Wine draws the title bar's buttons with the Marlett font, which this Wine build does not find
# by itself: without it they show as the letters of their glyph codes.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    step "copying the Marlett font" cp /usr/share/wine/fonts/marlett.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
fi
step "waiting for the wineserver" wineserver -w
echo "$settings" >"$WINEPREFIX/.kelvo-settings"
