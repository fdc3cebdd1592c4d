#!/bin/sh
# Answers "does this machine run 32-bit (i386) programs?" for every command that starts Wine, by
# its exit code: 0 yes; 1 no, and why not on one line; 2 it cannot tell, and why on one line
# (callers take that as a failure). Some kernels have 32-bit user mode switched off (IA-32
# emulation off): there every i386 executable fails with "Exec format error", 32-bit Wine cannot
# start, and only the x64 tree can run. KELVO_NO_X86=1 answers no on any machine, to try the
# x64-only path. The answer comes from running the smallest i386 program there is (93 bytes,
# written into build/ and removed on every way out: an ELF header, one program header, and
# exit(0) through int 0x80), which takes about a millisecond.
# Usage: x86-support.sh
if [ "${KELVO_NO_X86:-0}" != 0 ]; then
    echo "KELVO_NO_X86=$KELVO_NO_X86 is set"
    exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/jobs.sh"
probe=
cleanup() { rm -f "$probe"; }
unknown() {
    echo "cannot tell whether this machine runs 32-bit programs: $1 (build/ must be writable" \
        "and allow programs to run)"
    exit 2
}
# In the build folder, which must allow programs to run anyway (/tmp may be mounted noexec).
error=$(mkdir -p "$here/../build" 2>&1) || unknown "$error"
file=$(mktemp "$here/../build/.x86-probe.XXXXXX" 2>&1) || unknown "$file"
probe=$file
error=$({
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0'
    printf '\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135'
    printf '\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\61\333\315\200'
} 2>&1 >"$probe" && chmod +x "$probe" 2>&1) || unknown "$error"
error=$("$probe" 2>&1) && exit 0
case $error in
    *"Exec format error"*) echo "this kernel runs no 32-bit programs (IA-32 emulation is off)" ;;
    *) unknown "a 32-bit test program did not run: ${error:-no message}" ;;
esac
exit 1
