#!/usr/bin/env bash
# Runs a Windows program under wine without dialogs or noise; CMake's emulator for the Windows
# builds.
# Usage: wine-run.sh PROGRAM [ARGS...]
#        wine-run.sh --can-run-32bit    prints yes or no and why; exit status 0 for yes
#        wine-run.sh --can-run PROGRAM  silent with status 0 where PROGRAM would start; else the
#                                       "not run" line below and status 1
#
# Each program starts through the loader of its own architecture. Debian's `wine` launcher
# always takes the 32-bit loader, itself a 32-bit Linux program that some machines cannot
# execute ("Exec format error"); the 64-bit loader runs 64-bit programs there all the same.
# Commands that are not a program file (wineboot, reg) go through the 64-bit loader too.
#
# MORVANE_RUN_32BIT=yes|no forces the answer to "can this machine execute 32-bit programs?";
# unset, it is probed. Where the answer is no, a 32-bit program is not started: the runner
# prints a line the tests recognise as "not run" (CTest reports them skipped) and fails.
set -euo pipefail

loader32=/usr/lib/wine/wine
loader64=/usr/lib/wine/wine64
not_run_marker="NOT RUN (32-bit)"

# Whether this machine executes 32-bit programs; `why` tells how that was decided.
can_run_32bit() {
  case "${MORVANE_RUN_32BIT:-}" in
    yes|no) why="MORVANE_RUN_32BIT=$MORVANE_RUN_32BIT"; [ "$MORVANE_RUN_32BIT" = yes ]; return ;;
  esac
  local answer status=0
  answer=$("$loader32" --version 2>&1) || status=$?
  answer=$(printf '%s' "$answer" | head -n 1)
  why="$loader32: ${answer##*"$loader32": }"
  return $status
}

# The PE machine of a Windows program file: 014c (i386), 8664 (x86-64), or nothing.
pe_machine() {
  local file=$1 header
  [ -f "$file" ] || return 0
  [ "$(head -c 2 "$file")" = "MZ" ] || return 0
  header=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
  [ "$(od -An -c -j"$header" -N4 "$file" | tr -d ' ')" = 'PE\0\0' ] || return 0
  od -An -tx2 -j$((header + 4)) -N2 "$file" | tr -d ' '
}

if [ "${1:-}" = "--can-run-32bit" ]; then
  if can_run_32bit; then echo "yes ($why)"; exit 0; fi
  echo "no ($why)"
  exit 1
fi

# The line and status for a 32-bit program on a machine that cannot execute it.
refuse_32bit() {
  echo "$not_run_marker: $(basename "$1") is a 32-bit Windows program and this machine cannot execute 32-bit programs ($why)"
  exit 1
}

if [ "${1:-}" = "--can-run" ]; then
  if [ "$(pe_machine "$2")" = 014c ] && ! can_run_32bit; then refuse_32bit "$2"; fi
  exit 0
fi

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

case "$(pe_machine "${1:-}")" in
  014c)
    can_run_32bit || refuse_32bit "$1"
    exec "$loader32" "$@"
    ;;
  *)
    export WINELOADER=$loader64
    exec "$loader64" "$@"
    ;;
esac
