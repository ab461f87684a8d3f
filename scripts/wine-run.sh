#!/usr/bin/env bash
# Runs a Windows test program under wine without dialogs or noise; used as CMake's emulator.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
