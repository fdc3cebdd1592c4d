#!/bin/sh
# Runs a command with persistent Wine sessions, so that each Wine process of the command starts
# in hundredths of a second instead of seconds. With --xvfb COUNT there are COUNT sessions, each
# with an X display (Xvfb), a prefix and a wineserver of its own: a program in one session meets
# no window, focus, capture or keyboard of a program in another, so tests can run side by side.
# Without it there is one session, on the current display.
#
# Session 0 uses PREFIX, session i uses PREFIX-i (made on first use, about 7 s each). The command
# runs in session 0; for CTest it writes PREFIX.sessions.json, which lists the sessions as the
# resource "wine_session" (one slot each), and wine-run.sh enters the session that CTest gave a
# test.
# Usage: wine-session.sh [--xvfb COUNT] PREFIX COMMAND [ARGS...]
count=1
xvfb=
if [ "$1" = --xvfb ]; then
    xvfb=yes
    count=$2
    shift 2
fi
base=$1
shift
here=$(cd "$(dirname "$0")" && pwd)

session_prefix() {
    if [ "$1" -eq 0 ]; then echo "$base"; else echo "$base-$1"; fi
}

stop() {
    for i in $(seq 0 $((count - 1))); do
        WINEPREFIX=$(session_prefix "$i") wineserver -k >/dev/null 2>&1
    done
    [ -n "$xvfb_pids" ] && kill $xvfb_pids 2>/dev/null
}
trap stop EXIT

# The prefixes, side by side.
pids=
for i in $(seq 0 $((count - 1))); do
    "$here/wine-prefix.sh" "$(session_prefix "$i")" &
    pids="$pids $!"
done
for pid in $pids; do
    wait "$pid" || exit 1
done

slots=
xvfb_pids=
for i in $(seq 0 $((count - 1))); do
    prefix=$(session_prefix "$i")
    if [ -n "$xvfb" ]; then
        # The server picks a free display number and writes it to the file.
        rm -f "$prefix/.kelvo-display"
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$prefix/.kelvo-display" \
            >/dev/null 2>&1 &
        xvfb_pids="$xvfb_pids $!"
        while [ ! -s "$prefix/.kelvo-display" ]; do sleep 0.05; done
        echo ":$(cat "$prefix/.kelvo-display")" >"$prefix/.kelvo-display"
    else
        echo "$DISPLAY" >"$prefix/.kelvo-display"
    fi
    (
        DISPLAY=$(cat "$prefix/.kelvo-display")
        export DISPLAY
        . "$here/wine-env.sh"
        wineserver -k >/dev/null 2>&1
        wineserver -p </dev/null >/dev/null 2>&1 &
        sleep 0.2
        # The first Wine process of a fresh server starts Wine's background services, which
        # keep the standard streams of that process open: start them here, with nothing to hold
        # on to, so that a test runner that captures a test's output does not wait on them.
        wine cmd /c exit </dev/null >/dev/null 2>&1
    )
    slots="$slots${slots:+,}{\"id\": \"$i\", \"slots\": 1}"
done
echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine_session\": [$slots]}]}" \
    >"$base.sessions.json"

prefix=$base
DISPLAY=$(cat "$base/.kelvo-display")
export DISPLAY
. "$here/wine-env.sh"
"$@"
status=$?
exit $status
