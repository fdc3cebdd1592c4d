#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix, or, for a test that CTest
# gave a Wine session (see wine-session.sh), in that session's prefix and on its display. The
# trees use it as CMake's cross-compiling emulator.
# Usage: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
build=$1
shift
. "$(dirname "$0")/jobs.sh"
. "$(dirname "$0")/wine-env.sh"
session=${CTEST_RESOURCE_GROUP_0_WINE_SESSION#id:}
session=${session%%,*}
if [ -n "$session" ]; then
    enter_session "$session"
    DISPLAY=$(cat "$WINEPREFIX.display") || exit 1
    export DISPLAY
fi
exec "$WINELOADER" "$@"
