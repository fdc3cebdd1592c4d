#!/bin/sh
# Runs a command with persistent Wine sessions of a build tree, so that each Wine process of the
# command starts in hundredths of a second. With --xvfb COUNT there are COUNT sessions, each
# with an X display (Xvfb), a prefix and a wineserver of its own, so that tests run side by side
# without meeting each other's windows, focus or keyboard; without it, one on the current display.
# Session 0 uses the tree's prefix, made once (wineboot, then wine-settings.reg); session i a
# copy of it with "-i" added, made of hard links (Wine replaces a registry file that it saves;
# nothing writes into a prefix's files in place); both made anew when the settings or Wine
# change. The command runs in session 0, with KELVO_WINE_SESSIONS naming the sessions' file for
# CTest (resource "wine_session", one slot each); wine-run.sh enters the session of a test.
# However the script ends, it stops the command, then its wineservers (and with them every Wine
# program) and X servers, and waits for them.
# Usage: wine-session.sh [--xvfb COUNT] BUILD_DIR COMMAND [ARGS...]
count=1 xvfb=""
[ "$1" != --xvfb ] || { xvfb=yes count=$2 && shift 2; }
build=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/jobs.sh"
. "$here/wine-env.sh"
settings="$(cksum <"$here/wine-settings.reg") $("$WINELOADER" --version 2>&1)"
xvfb_start_limit=10 # seconds
servers="" xvfbs=""
cleanup() {
    for i in $servers; do enter_session "$i" && wineserver -k; done
    [ -z "$xvfbs" ] || kill $xvfbs 2>/dev/null # some may have ended already
}

# Starts the wineserver of session $1: in the foreground it returns once it holds the prefix's
# lock, and it lives until stopped. One left by a run killed outright goes first.
start_server() {
    enter_session "$1"
    wineserver -k
    wineserver -p </dev/null >>"$WINEPREFIX.log" 2>&1 9>&- ||
        fail "the wineserver of $WINEPREFIX did not start" "$WINEPREFIX.log" "rm -r $WINEPREFIX"
    servers="$servers $1"
}

# One step of making a prefix, its messages in the prefix's log; a failed step ends the script.
step() {
    what=$1
    shift
    run "$@" >>"$WINEPREFIX.log" 2>&1 && return
    try="remove $WINEPREFIX and run again; WINEDEBUG=err+all shows more"
    [ "$WINEARCH" = win64 ] || reason=$("$here/x86-support.sh") ||
        try="make test, which takes the x64 tree by itself where x86 cannot run ($reason)"
    fail "$what failed for the $WINEARCH prefix $WINEPREFIX, with $WINELOADER" \
        "$WINEPREFIX.log" "$try"
}

make_prefixes() {
    for i in $(seq 0 $((count - 1))); do
        enter_session "$i"
        [ "$(cat "$WINEPREFIX.settings" 2>/dev/null)" != "$settings" ] || continue
        rm -rf "$WINEPREFIX" "$WINEPREFIX.settings" && : >"$WINEPREFIX.log" || exit 1
        if [ "$i" -ne 0 ]; then
            step "copying $prefix" cp -al "$prefix" "$WINEPREFIX"
        else
            mkdir "$WINEPREFIX" && start_server 0
            step "wineboot --init" "$WINELOADER" wineboot --init
            step "reg import" "$WINELOADER" reg import "Z:$here/wine-settings.reg"
            # Wine draws the title bar's buttons with the Marlett font, which this Wine build
            # does not find by itself: without it they show as the letters of their glyph codes.
            font=/usr/share/wine/fonts/marlett.ttf
            [ ! -f $font ] || step "copying $font" cp $font "$WINEPREFIX/drive_c/windows/Fonts/"
            step "stopping the wineserver, which saves the registry" wineserver -k
            servers=
        fi
        echo "$settings" >"$WINEPREFIX.settings"
    done
}
timed prefixes make_prefixes

slots=
for i in $(seq 0 $((count - 1))); do
    enter_session "$i"
    display=$WINEPREFIX.display
    if [ -z "$xvfb" ]; then
        echo "$DISPLAY" >"$display"
    else
        rm -f "$display"
        # It picks a free display number and writes it when it is ready.
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display" \
            >"$WINEPREFIX.xvfb.log" 2>&1 9>&- &
        xvfbs="$xvfbs $!"
        run timeout $xvfb_start_limit sh -c \
            'while kill -0 "$1" 2>/dev/null && [ ! -s "$2" ]; do sleep 0.05; done' sh $! "$display"
        [ -s "$display" ] || fail "Xvfb for $WINEPREFIX did not start in $xvfb_start_limit s" \
            "$WINEPREFIX.xvfb.log" "cmake/install-deps.sh, or Xvfb :99 by hand to see why"
        echo ":$(cat "$display")" >"$display"
    fi
    DISPLAY=$(cat "$display")
    export DISPLAY
    : >"$WINEPREFIX.log"
    start_server "$i"
    # The first Wine process of a fresh server starts Wine's background services, which keep the
    # standard streams of that process open: start them here, with nothing to hold on to, so
    # that a test runner that captures a test's output does not wait on them.
    run "$WINELOADER" cmd /c exit >>"$WINEPREFIX.log" 2>&1 9>&- ||
        fail "Wine did not start in $WINEPREFIX ($WINEARCH, $WINELOADER) on display $DISPLAY" \
            "$WINEPREFIX.log" "WINEDEBUG=err+all for more; remove $WINEPREFIX to make it anew"
    slots="$slots${slots:+,}{\"id\": \"$i\", \"slots\": 1}"
done
KELVO_WINE_SESSIONS=$prefix.sessions.json
echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine_session\": [$slots]}]}" \
    >"$KELVO_WINE_SESSIONS"
export KELVO_WINE_SESSIONS
enter_session 0
DISPLAY=$(cat "$WINEPREFIX.display")
run "$@"
