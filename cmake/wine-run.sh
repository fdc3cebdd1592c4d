#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
prefix=$1
shift
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
