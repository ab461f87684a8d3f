#!/usr/bin/env bash
# Installs what is missing, builds the Linux library and the ulvxnpp program, and runs the
# main job: the example scripts, their output shown.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== checking build dependencies"
./scripts/install-deps.sh main

echo "== building (preset linux, without tests and benchmarks)"
cmake --preset linux -DMORVANE_TESTS=OFF -DMORVANE_BENCH=OFF >/dev/null
cmake --build --preset linux

ulvxnpp=build/linux/apps/ulvxnpp/ulvxnpp
plots=build/linux/example-plots
mkdir -p "$plots"
status=0
for script in examples/*.ulv; do
  echo
  echo "== $ulvxnpp $script --save-plots $plots --plot-format png"
  "$ulvxnpp" "$script" --save-plots "$plots" --plot-format png || status=$?
done
echo
echo "== a single formula: $ulvxnpp -e \"2*pi\""
"$ulvxnpp" -e "2*pi"
echo "== done (exit status of the last failing script: $status)"
