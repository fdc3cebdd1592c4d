#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine, only when missing: the
# native and MinGW-w64 (i686 and x86_64) toolchains, GoogleTest, locales, 64-bit Wine, 32-bit
# Wine where this machine runs 32-bit programs (cmake/x86-support.sh asks the kernel, whatever
# KELVO_NO_X86 says); Xvfb; and, for the release package, the manual's PDF and the zip archive.
here=$(dirname "$0")
. "$here/jobs.sh"
group= # sudo may ask for a password on this terminal; sudo and apt pass signals on themselves
packages="cmake ninja-build g++ googletest libgtest-dev clang libclang-rt-14-dev llvm locales xvfb"
packages="$packages xauth g++-mingw-w64-i686-posix binutils-mingw-w64-i686"
packages="$packages g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64"
packages="$packages rst2pdf zip"
reason=$(KELVO_NO_X86= "$here/x86-support.sh")
case $? in
    0) x86=yes packages="$packages wine32:i386" ;;
    1) ;;
    *) fail "cannot choose the Wine packages: $reason" "" "make deps once that is mended" ;;
esac
# The packages named that are not installed, on one line.
missing() {
    for p; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done | tr '\n' ' '
}
missing=$(missing $packages)
[ -n "$missing" ] || exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing: $missing"
apt_fail() {
    fail "$1 failed (apt's messages are above)" "" \
        "$sudo apt-get update && $sudo apt-get install $missing"
}
if [ -n "$x86" ]; then
    case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
        *" i386 "*) ;;
        *) run $sudo dpkg --add-architecture i386 || apt_fail "dpkg --add-architecture i386" ;;
    esac
fi
run $sudo apt-get update -qq || apt_fail "apt-get update"
run $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing ||
    apt_fail "apt-get install"
still=$(missing $missing)
[ -z "$still" ] || apt_fail "installing $still"
