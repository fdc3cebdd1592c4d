#!/bin/sh
# Runs a command with persistent Wine sessions of a build tree, so that each Wine process of the
# command starts in hundredths of a second instead of seconds. With --xvfb COUNT there are COUNT
# sessions, each with an X display (Xvfb), a prefix and a wineserver of its own: a program in
# one session meets no window, focus, capture or keyboard of a program in another, so tests can
# run side by side. Without it there is one session, on the current display.
#
# Session 0 uses the tree's prefix, made once (wineboot, then wine-settings.reg; about 10 s);
# session i uses a copy of it with "-i" added, its files hard links (Wine replaces a registry
# file that it saves, and nothing writes into a prefix's files in place). A prefix is made anew
# when the settings or Wine change. The command runs in session 0, with KELVO_WINE_SESSIONS
# naming a file that lists the sessions for CTest as the resource "wine_session" (one slot
# each); wine-run.sh enters the session that CTest gave a test. However the script ends (the
# command's end, a failure, a signal at any step), it stops the command, then the wineservers
# (and with them every Wine program) and X servers that it started, and waits for them.
# Usage: wine-session.sh [--xvfb COUNT] BUILD_DIR COMMAND [ARGS...]
count=1
xvfb=
if [ "$1" = --xvfb ]; then
    xvfb=yes
    count=$2
    shift 2
fi
build=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/jobs.sh"
. "$here/wine-env.sh"
sessions=$(seq 0 $((count - 1)))
settings="$(cksum <"$here/wine-settings.reg") $("$WINELOADER" --version 2>&1)"
xvfb_start_limit=10 # seconds
servers=
xvfb_pids=
cleanup() {
    for i in $servers; do
        enter_session "$i"
        wineserver -k
    done
    [ -z "$xvfb_pids" ] || kill $xvfb_pids 2>/dev/null # some may have ended already
}

# Starts the wineserver of session $1: in the foreground it returns once it holds the prefix's
# lock; it outlives its programs until stopped. One left by a run killed outright goes first.
start_server() {
    enter_session "$1"
    wineserver -k
    wineserver -p </dev/null >>"$WINEPREFIX.log" 2>&1 9>&- ||
        fail "the wineserver of $WINEPREFIX did not start" "$WINEPREFIX.log" \
            "remove $WINEPREFIX and run again"
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
    for i in $sessions; do
        enter_session "$i"
        [ "$(cat "$WINEPREFIX.settings" 2>/dev/null)" = "$settings" ] && continue
        rm -rf "$WINEPREFIX" "$WINEPREFIX.settings"
        : >"$WINEPREFIX.log"
        if [ "$i" -ne 0 ]; then
            step "copying $prefix" cp -al "$prefix" "$WINEPREFIX"
        else
            mkdir -p "$WINEPREFIX" || exit 1
            start_server 0
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

# Starts the X server of the session in WINEPREFIX: it picks a free display number and writes it
# to the session's display file when it is ready.
start_xvfb() {
    rm -f "$WINEPREFIX.display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WINEPREFIX.display" \
        >"$WINEPREFIX.xvfb.log" 2>&1 9>&- &
    xvfb_pids="$xvfb_pids $!"
    run timeout $xvfb_start_limit sh -c \
        'while kill -0 "$1" 2>/dev/null && [ ! -s "$2" ]; do sleep 0.05; done' sh $! \
        "$WINEPREFIX.display"
    what="the X server (Xvfb) for $WINEPREFIX did not start within $xvfb_start_limit s"
    try="cmake/install-deps.sh (package xvfb), or Xvfb :99 by hand to see why it cannot start"
    [ -s "$WINEPREFIX.display" ] || fail "$what" "$WINEPREFIX.xvfb.log" "$try"
    echo ":$(cat "$WINEPREFIX.display")" >"$WINEPREFIX.display"
}

slots=
for i in $sessions; do
    enter_session "$i"
    if [ -n "$xvfb" ]; then start_xvfb; else echo "$DISPLAY" >"$WINEPREFIX.display"; fi
    DISPLAY=$(cat "$WINEPREFIX.display")
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
