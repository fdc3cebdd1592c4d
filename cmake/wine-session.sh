#!/bin/sh
# Runs a command with persistent Wine sessions of a build tree, so that each Wine process of the
# command starts in hundredths of a second instead of seconds. With --xvfb COUNT there are COUNT
# sessions, each with an X display (Xvfb), a prefix and a wineserver of its own: a program in
# one session meets no window, focus, capture or keyboard of a program in another, so tests can
# run side by side. Without it there is one session, on the current display.
#
# Session 0 uses the tree's prefix, session i the prefix with "-i" added (made on first use,
# about 7 s each). The command runs in session 0, with KELVO_WINE_SESSIONS naming a file that
# lists the sessions for CTest as the resource "wine_session" (one slot each); wine-run.sh
# enters the session that CTest gave a test. Whatever way the script ends (the command's end,
# a failure, Ctrl+C or SIGTERM), it stops the sessions' wineservers and X servers.
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
. "$here/wine-env.sh"
# Seconds that an X server may take to start.
xvfb_start_limit=10

xvfb_pids=
started=
stop() {
    for i in $started; do
        WINEPREFIX=$(session_prefix "$i") wineserver -k
    done
    if [ -n "$xvfb_pids" ]; then
        kill $xvfb_pids 2>/dev/null # some may have ended already
        wait $xvfb_pids
    fi
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The prefixes, side by side; each prints its own failure.
pids=
for i in $(seq 0 $((count - 1))); do
    "$here/wine-prefix.sh" "$build" "$i" &
    pids="$pids $!"
done
failed=
for pid in $pids; do
    wait "$pid" || failed=yes
done
[ -z "$failed" ] || exit 1

# Starts an X server for session $1 and writes its display name to the session's file.
start_xvfb() {
    display_file=$1/.kelvo-display
    log=$1/.kelvo-xvfb.log
    rm -f "$display_file"
    # The server picks a free display number and writes it to the file.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >"$log" 2>&1 &
    xvfb_pid=$!
    xvfb_pids="$xvfb_pids $xvfb_pid"
    waited=0
    while [ ! -s "$display_file" ]; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [ "$waited" -ge $((xvfb_start_limit * 20)) ]; then
            echo "wine-session.sh: the X server (Xvfb) for $1 did not start within" \
                "$xvfb_start_limit s. Its log ($log):" >&2
            sed 's/^/    /' "$log" >&2
            echo "Try: cmake/install-deps.sh (package xvfb), or run Xvfb :99 by hand to see" \
                "why it cannot start." >&2
            return 1
        fi
        sleep 0.05
        waited=$((waited + 1))
    done
    echo ":$(cat "$display_file")" >"$display_file"
}

slots=
for i in $(seq 0 $((count - 1))); do
    WINEPREFIX=$(session_prefix "$i")
    if [ -n "$xvfb" ]; then
        start_xvfb "$WINEPREFIX" || exit 1
    else
        echo "$DISPLAY" >"$WINEPREFIX/.kelvo-display"
    fi
    DISPLAY=$(cat "$WINEPREFIX/.kelvo-display")
    export DISPLAY WINEPREFIX
    wineserver -k
    log=$WINEPREFIX/.kelvo-session.log
    wineserver -p </dev/null >"$log" 2>&1 &
    started="$started $i"
    sleep 0.2
    # The first Wine process of a fresh server starts Wine's background services, which keep the
    # standard streams of that process open: start them here, with nothing to hold on to, so
    # that a test runner that captures a test's output does not wait on them.
    if ! "$WINELOADER" cmd /c exit </dev/null >>"$log" 2>&1; then
        echo "wine-session.sh: Wine did not start in $WINEPREFIX ($WINEARCH, $WINELOADER)" \
            "on display $DISPLAY. Its messages ($log):" >&2
        sed 's/^/    /' "$log" >&2
        echo "Try: WINEDEBUG=err+all for more; remove $WINEPREFIX to make it anew." >&2
        exit 1
    fi
    slots="$slots${slots:+,}{\"id\": \"$i\", \"slots\": 1}"
done
KELVO_WINE_SESSIONS=$prefix.sessions.json
echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine_session\": [$slots]}]}" \
    >"$KELVO_WINE_SESSIONS"
export KELVO_WINE_SESSIONS

WINEPREFIX=$prefix
DISPLAY=$(cat "$prefix/.kelvo-display")
export DISPLAY WINEPREFIX
"$@"
