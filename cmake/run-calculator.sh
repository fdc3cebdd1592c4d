#!/bin/sh
# `make run`: the calculator in the stand-in host.
# With a working display the host opens with the calculator window for you to use. Without
# one, a scripted run under Xvfb types 12 + 34 X 2 =, prints the display, and saves
# screenshots of the calculator and of the control gallery.
# Usage: run-calculator.sh BUILD_DIR (absolute: build/win32, or build/win64)
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/jobs.sh"
host=$build/bin/Orbiter.exe
if [ -z "$build" ] || [ ! -f "$host" ]; then
    echo "run-calculator.sh: no $host; build the tree first (make win32 or make win64)" >&2
    exit 1
fi

display_works() {
    [ -n "$DISPLAY" ] || return 1
    if command -v xdpyinfo >/dev/null 2>&1; then
        xdpyinfo >/dev/null 2>&1
    elif command -v xset >/dev/null 2>&1; then
        xset q >/dev/null 2>&1
    else
        # A local display without the X utilities: its socket must be there.
        number=${DISPLAY#*:}
        number=${number%%.*}
        case $DISPLAY in
            :*) [ -S "/tmp/.X11-unix/X$number" ] ;;
            *) return 0 ;;
        esac
    fi
}

if display_works; then
    echo "Opening the calculator in the stand-in host (close the host window to end)."
    exec "$here/wine-session.sh" "$build" "$here/wine-run.sh" "$build" "$host" \
        --run 'command "Calculator Kelvo"'
fi

shots=$build/screenshots
mkdir -p "$shots"
rm -f "$shots/calculator.png" "$shots/gallery.png" "$shots/output.txt"
script='
command "Calculator Kelvo"
click 1; click 2; click +; click 3; click 4; click X; click 2; click =
text 102 -1
screenshot current calculator.png
command "Control gallery"
mouse down 101 160 10; mouse up 101 160 10
mouse down 102 5 10; wait 400; mouse up 102 5 10
mouse down 106 10 100; mouse move 106 10 60; mouse up 106 10 60
mouse down 201 20 45
mouse down 203 20 10
mouse down 301 5 345
screenshot gallery gallery.png
quit'
echo "No display: running the calculator under Xvfb."
# Into a file, not a pipe: Wine's background processes may hold a pipe open long after.
cd "$shots" && run "$here/wine-session.sh" --xvfb 1 "$build" \
    "$here/wine-run.sh" "$build" "$host" --run "$script" >output.txt
status=$?
# The calculator's display is the dialog's static control -1.
sed 's/^text: /display: /' "$shots/output.txt"
if [ $status -ne 0 ] || [ ! -f "$shots/calculator.png" ]; then
    echo "run-calculator.sh: the scripted run failed (exit code $status; the host's own" \
        "messages, if any, are above). Try: WINEDEBUG=err+all make run for Wine's." >&2
    exit 1
fi
echo "Calculator screenshot: $shots/calculator.png"
[ -f "$shots/gallery.png" ] && echo "Control gallery screenshot: $shots/gallery.png"
exit 0
