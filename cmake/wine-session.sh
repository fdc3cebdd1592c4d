#!/bin/sh
# Runs a command with one persistent wineserver for the given prefix, so that each Wine
# process of the command starts in hundredths of a second instead of seconds.
# Usage: wine-session.sh PREFIX COMMAND [ARGS...]
prefix=$1
shift
here=$(dirname "$0")
"$here/wine-prefix.sh" "$prefix" || exit 1
. "$here/wine-env.sh"
wineserver -k >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1 &
sleep 0.2
# The first Wine process of a fresh server starts Wine's background services, which keep the
# standard streams of that process open: start them here, with nothing to hold on to, so that
# a test runner that captures a test's output does not wait on them.
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
status=$?
wineserver -k >/dev/null 2>&1
exit $status
