#!/usr/bin/env bash
# Usage: build-wheel.sh LIBRARY SONAME OUTDIR
# The Python package with LIBRARY inside (under SONAME, the name the package loads), as a wheel
# for this platform in OUTDIR/dist, built offline from Debian's setuptools and wheel. The package
# reaches the library through ctypes, so one wheel serves every Python 3.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 LIBRARY SONAME OUTDIR" >&2; exit 2; }
library=$1
soname=$2
out=$3
source=$(cd "$(dirname "$0")" && pwd)

# A python3 of pyenv or the like may come first on PATH without Debian's packages.
python=
for candidate in ${PYTHON:+"$PYTHON"} python3 /usr/bin/python3; do
  if "$candidate" -c "import setuptools, wheel" 2>/dev/null; then python=$candidate; break; fi
done
if [ -z "$python" ]; then
  echo "no python3 with setuptools and wheel (scripts/install-deps.sh all installs" \
       "python3-setuptools and python3-wheel)" >&2
  exit 1
fi

# Staged away from the sources, which setuptools would otherwise fill with its build folders.
stage=$out/stage
rm -rf "$stage"
mkdir -p "$stage" "$out/dist"
cp -r "$source/morvane" "$source/pyproject.toml" "$source/README.md" "$stage/"
cp -L "$library" "$stage/morvane/$soname"
# Without its debugging sections the library is a tenth of the size.
strip --strip-unneeded "$stage/morvane/$soname"
platform=$("$python" -c "import sysconfig; print(sysconfig.get_platform().replace('-', '_').replace('.', '_'))")
rm -f "$out"/dist/morvane-*.whl
cd "$stage"
if ! "$python" -c "from setuptools import setup; setup()" -q bdist_wheel \
     --python-tag py3 --plat-name "$platform" --dist-dir "$out/dist" >"$stage/build.log" 2>&1; then
  cat "$stage/build.log" >&2
  exit 1
fi
ls "$out"/dist/morvane-*.whl
