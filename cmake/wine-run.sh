#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix, or, for a test that CTest
# gave a Wine session (see wine-session.sh), in that session's prefix and on its display.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
prefix=$1
shift
session=${CTEST_RESOURCE_GROUP_0_WINE_SESSION#id:}
session=${session%%,*}
if [ -n "$session" ]; then
    [ "$session" -eq 0 ] || prefix=$prefix-$session
    DISPLAY=$(cat "$prefix/.kelvo-display")
    export DISPLAY
fi
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
