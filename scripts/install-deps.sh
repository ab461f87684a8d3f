#!/usr/bin/env bash
# Installs the Debian packages a job needs; does nothing when all are present.
# Usage: install-deps.sh main   the native build of the library and ulvxnpp (the main job)
#        install-deps.sh all    also the tests: sanitizers, fuzzing, benchmarks, the Windows
#                               cross builds and wine, what makes the .deb, what tests the
#                               Python package and what builds the manual's site (default)
set -euo pipefail

job=${1:-all}
packages=(
  cmake ninja-build g++ pkg-config libreadline-dev libcli11-dev
  libcairo2-dev libstb-dev fonts-dejavu-core
)
case "$job" in
  main) ;;
  all)
    packages+=(
      clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev libmuparser-dev
      mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64
      wine wine64 wine32:i386 xvfb xauth
      bc time
      dpkg-dev file
      python3-pytest python3-venv python3-setuptools python3-wheel python3-numpy python3-numexpr
      mkdocs doxygen
    )
    ;;
  *) echo "usage: $0 [main|all]" >&2; exit 2 ;;
esac

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ "$job" = all ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "== adding the i386 architecture (needed by wine32)"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "== all packages of the $job job are installed"
  exit 0
fi

echo "== installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A mirror in mid-sync fails one index now and then: try again, and install from what the
# indexes that did arrive know rather than give up on a transient fault.
for attempt in 1 2 3; do
  "${sudo_cmd[@]}" apt-get update -q && break
  echo "== apt-get update failed (attempt $attempt of 3)" >&2
  sleep $((attempt * 5))
done
install() { "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "$@"; }
if ! install "${missing[@]}"; then
  # The 32-bit wine needs the i386 indexes to match the amd64 ones; when they do not (a
  # mirror in mid-sync), the rest is still worth having: the 32-bit tests then say they
  # could not run.
  rest=()
  for p in "${missing[@]}"; do [[ "$p" == *:i386 ]] || rest+=("$p"); done
  [ ${#rest[@]} -lt ${#missing[@]} ] || exit 1
  echo "== installing without the i386 packages" >&2
  install "${rest[@]}"
fi
