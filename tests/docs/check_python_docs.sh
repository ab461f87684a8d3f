#!/usr/bin/env bash
# Usage: check_python_docs.sh WHEELS CHECK_DOCS PAGE
# The manual's Python examples as a user runs them: the wheel installed offline into a new
# virtual environment (NumPy from the system's packages), away from the sources.
set -euo pipefail
wheels=$1 check=$2 page=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PYTHONDONTWRITEBYTECODE=1 PIP_DISABLE_PIP_VERSION_CHECK=1
unset MORVANE_LIBRARY
# Debian's python3 has the NumPy install-deps.sh installed; a pyenv one first on PATH may not.
python=
for candidate in ${PYTHON:+"$PYTHON"} python3 /usr/bin/python3; do
  if "$candidate" -c "import numpy" 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "no python3 with NumPy (scripts/install-deps.sh all installs python3-numpy)"; exit 1; }
"$python" -m venv --system-site-packages "$work/v"
"$work/v/bin/pip" install -q --no-index --no-cache-dir "$wheels"/morvane-*.whl
cd "$work"
"$work/v/bin/python" "$check" python "$work/v/bin/python" "$page"
