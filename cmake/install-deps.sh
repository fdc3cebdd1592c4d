#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine, only when missing.
set -e
packages="cmake ninja-build g++ googletest clang libclang-rt-14-dev llvm g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth"
# The release package: the manual's PDF and the zip archive.
packages="$packages rst2pdf zip"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
    *" i386 "*) ;;
    *) $sudo dpkg --add-architecture i386 ;;
esac
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
