#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine, only when missing: the
# native and MinGW-w64 (i686 and x86_64) toolchains, 64-bit Wine, and 32-bit Wine where this
# machine runs 32-bit programs (cmake/x86-support.sh asks the kernel, whatever KELVO_NO_X86
# says); Xvfb; and, for the release package, the manual's PDF and the zip archive.
here=$(dirname "$0")
packages="cmake ninja-build g++ googletest clang libclang-rt-14-dev llvm locales xvfb xauth"
packages="$packages g++-mingw-w64-i686-posix binutils-mingw-w64-i686"
packages="$packages g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64"
packages="$packages rst2pdf zip"
if KELVO_NO_X86= "$here/x86-support.sh" >/dev/null; then
    x86=yes
    packages="$packages wine32:i386"
fi
installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
missing=""
for p in $packages; do
    installed "$p" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
fail() {
    echo "install-deps.sh: $1 failed (apt's messages are above)." >&2
    echo "Try: $sudo apt-get update && $sudo apt-get install$missing" >&2
    exit 1
}
if [ -n "$x86" ]; then
    case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
        *" i386 "*) ;;
        *) $sudo dpkg --add-architecture i386 || fail "dpkg --add-architecture i386" ;;
    esac
fi
$sudo apt-get update -qq || fail "apt-get update"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing || fail "apt-get install"
still=""
for p in $missing; do
    installed "$p" || still="$still $p"
done
[ -z "$still" ] || fail "installing$still"
