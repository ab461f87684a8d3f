#!/usr/bin/env bash
# Usage: check_python.sh LIBRARY WHEELS   (a built libmorvane without sanitizers, and the folder
#                                         the python_wheel target writes)
# The Python package in python/: its tests against LIBRARY, then its wheel installed offline into
# a new virtual environment, as the README says, evaluating formulas from there with the library
# the wheel carries.
set -euo pipefail
library=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
wheels=$2
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

step "the wheel installed into a new virtual environment, offline"
wheel=$(ls "$wheels"/morvane-*.whl)
[ "$(echo "$wheel" | wc -l)" -eq 1 ] || fail "expected one wheel in $wheels, found: $wheel"
# The README's two commands, and nothing else: no library path, no system packages.
unset MORVANE_LIBRARY
"$python" -m venv "$work/v"
"$work/v/bin/pip" install -q --no-index --no-cache-dir "$wheel"
# Away from the sources, so that the installed copy is the one imported.
cd "$work"
result=$("$work/v/bin/python" -c 'import morvane; f = morvane.Evaluator().compile("x*7", "x"); print(f(6))')
[ "$result" = 42.0 ] || fail "the installed package evaluated 6*7 as '$result'"
location=$("$work/v/bin/python" -c 'import morvane._native as n; print(n.library()._name)')
[[ $location == "$work/v/"* ]] || fail "the library was loaded from $location, not from the wheel"
echo "installed wheel evaluates 6*7 = $result with $location"
