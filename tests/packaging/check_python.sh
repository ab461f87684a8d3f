#!/usr/bin/env bash
# Usage: check_python.sh LIBRARY   (a built libmorvane without sanitizers)
# The Python package in python/: its tests against LIBRARY, then pip installing it offline into a
# new virtual environment and evaluating a formula from there.
set -euo pipefail
library=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source=$(cd "$(dirname "$0")/../../python" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAILED: $*"; exit 1; }
step() { echo "== $*"; }

# Nothing is left behind in the sources, and pip neither looks for a newer self nor caches.
export MORVANE_LIBRARY=$library PYTHONDONTWRITEBYTECODE=1 PIP_DISABLE_PIP_VERSION_CHECK=1

# A python3 of pyenv or the like may come first on PATH without Debian's packages; the first
# interpreter that has pytest is the one install-deps.sh provided for.
python=
for candidate in ${PYTHON:+"$PYTHON"} python3 /usr/bin/python3; do
  if "$candidate" -c "import pytest" 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || fail "no python3 with pytest (scripts/install-deps.sh all installs python3-pytest)"

step "pytest with $python against $library"
"$python" -m pytest -q -p no:cacheprovider "$source/tests"

step "pip install into a virtual environment, offline"
# From a copy, since setuptools builds in the tree it is given.
cp -r "$source" "$work/python"
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install -q --no-index --no-build-isolation --no-cache-dir "$work/python"
# Away from the sources, so that the installed copy is the one imported.
cd "$work"
result=$("$work/venv/bin/python" -c 'import morvane; print(morvane.Evaluator().eval("6*7"))')
[ "$result" = 42.0 ] || fail "the installed package evaluated 6*7 as '$result'"
location=$("$work/venv/bin/python" -c 'import morvane; print(morvane.__file__)')
[[ $location == "$work/venv/"* ]] || fail "morvane was imported from $location, not the venv"
echo "installed package evaluates 6*7 = $result"
