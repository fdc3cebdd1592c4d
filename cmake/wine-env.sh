# The environment of every Wine process of a build tree, sourced by the Wine scripts with
# $prefix set: the tree's own 32-bit prefix, quiet unless WINEDEBUG asks otherwise, no Mono or
# Gecko installer prompts, and no crash debugger (a crash must fail, not hang).
export WINEPREFIX="$prefix" WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
