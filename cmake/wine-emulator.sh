#!/bin/sh
# Runs a Windows test program under wine64 (CTest's cross-compiling emulator).
# The caller (scripts/test) provides WINEPREFIX and DISPLAY.
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exec /usr/lib/wine/wine64 "$@"
