#!/usr/bin/env bash
# Builds the manual's site into build/site: the pages of docs/ with MkDocs, the reference of the
# C headers with Doxygen into build/site/reference. Any warning of either fails the build.
# Both tools are Debian packages (mkdocs, doxygen); ./scripts/install-deps.sh all installs them.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in mkdocs doxygen; do
  command -v "$tool" >/dev/null || { echo "no $tool: ./scripts/install-deps.sh all installs it" >&2; exit 1; }
done
# Debian's mkdocs runs on Debian's python3, whatever python3 comes first on PATH.
mkdocs build --strict --clean --quiet
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! doxygen scripts/doxygen/Doxyfile >"$log" 2>&1 || [ -s "$log" ]; then
  cat "$log" >&2
  echo "doxygen warned or failed" >&2
  exit 1
fi
echo "the site is in build/site (index.html; the header reference in reference/index.html)"
