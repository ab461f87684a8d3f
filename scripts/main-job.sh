#!/usr/bin/env bash
# Installs what is missing, builds the Linux library and the ulvxnpp program, and runs the
# main job: formulas evaluated on the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== checking build dependencies"
./scripts/install-deps.sh

echo "== building (preset linux)"
cmake --preset linux -DMORVANE_TESTS=OFF >/dev/null
cmake --build --preset linux

ulvxnpp=build/linux/apps/ulvxnpp/ulvxnpp
echo "== running formulas through $ulvxnpp"
status=0
for formula in "2*pi" "sqrt(16)+2^10" "sum(1;2;3;4)/count(1;2;3;4)" "(1<2) and (3>2)" "&FF + !1010" "1/0"; do
  printf '%-30s => ' "$formula"
  "$ulvxnpp" -e "$formula" || status=$?
done
echo "== done (the last formula fails on purpose: exit status $status)"
