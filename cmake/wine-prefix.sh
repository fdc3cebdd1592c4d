#!/bin/sh
# Creates the Wine prefix once (about 7 s), before any test races to create it.
# Usage: wine-prefix.sh PREFIX
set -e
prefix=$1
. "$(dirname "$0")/wine-env.sh"
settings=3
if [ "$(cat "$prefix/.kelvo-settings" 2>/dev/null)" != "$settings" ]; then
    mkdir -p "$prefix"
    [ -f "$prefix/system.reg" ] || wineboot --init >/dev/null 2>&1
    wineserver -w
    # A crashing test ends at once instead of opening the crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d "" /f >/dev/null 2>&1
    # Windows that no window manager looks after: under a bare Xvfb, destroying a managed
    # window waits two seconds for a window manager that never answers.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # Wine draws the title bar's buttons with the Marlett font, which this Wine build does not
    # find by itself: without it they show as the letters of their glyph codes.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
    fi
    wineserver -w
    echo "$settings" > "$prefix/.kelvo-settings"
fi
