# Sourced by every script that starts processes, so that it stops them on every way out.
# `run COMMAND...` runs a command in the background, with no input, in a process group of its own
# (setsid, unless the script empties $group), and waits for it, so that a signal is handled at
# once. On INT, TERM or HUP the script exits (130, 143, 129); on any exit it signals the running
# command's whole group (TERM), runs its own `cleanup` if it has one, and waits for every child.
# `timed LABEL COMMAND...` adds "LABEL SECONDS" to the file $KELVO_TIMINGS, if set (the summary).
# `fail WHAT LOG TRY` ends the script: what failed, the messages in LOG (if any), what to try.
group=setsid child=""
run() {
    $group "$@" &
    child=$!
    wait $child
    set -- $? && child= && return "$1"
}
cleanup() { :; }
finish() {
    status=$?
    set +e
    trap '' HUP INT TERM
    [ -z "$child" ] || kill -TERM -"$child" 2>/dev/null || kill -TERM "$child" 2>/dev/null
    cleanup
    wait
    exit "$status"
}
trap finish EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
timed() {
    label=$1 since=$(date +%s)
    shift
    "$@"
    set -- $?
    [ -z "$KELVO_TIMINGS" ] || echo "$label $(($(date +%s) - since))" >>"$KELVO_TIMINGS"
    return "$1"
}
fail() {
    echo "$(basename "$0"): $1${2:+. Its messages ($2):}" >&2
    [ -z "$2" ] || sed 's/^/    /' "$2" >&2
    echo "Try: $3" >&2
    exit 1
}
