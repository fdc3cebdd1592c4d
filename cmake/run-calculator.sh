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
[ -n "$build" ] && [ -f "$host" ] || fail "no $host" "" "make win32 or make win64 first"

# An X client can open the display (xdpyinfo or xset, if installed), or, without them, the
# socket of a local display is there.
display_works() {
    [ -n "$DISPLAY" ] || return 1
    for client in xdpyinfo "xset q"; do
        command -v ${client% *} >/dev/null && { $client >/dev/null 2>&1; return; }
    done
    number=${DISPLAY#*:}
    case $DISPLAY in :*) [ -S "/tmp/.X11-unix/X${number%%.*}" ] ;; esac
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
what="the scripted run failed (exit code $status; the host's messages, if any, are above)"
[ $status -eq 0 ] && [ -f "$shots/calculator.png" ] || fail "$what" "" "WINEDEBUG=err+all make run"
echo "Calculator screenshot: $shots/calculator.png"
[ -f "$shots/gallery.png" ] && echo "Control gallery screenshot: $shots/gallery.png"
exit 0
