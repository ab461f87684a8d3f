#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: Linux, Linux under AddressSanitizer
# and UndefinedBehaviorSanitizer, a bounded fuzz run, and both Windows builds under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${FUZZ_SECONDS:-15}

step() { echo; echo "== $*"; }

step "checking build and test dependencies"
./scripts/install-deps.sh

for preset in linux linux-asan; do
  step "building and testing preset $preset"
  cmake --preset "$preset" -DMORVANE_TESTS=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

step "fuzzing the evaluator, differentiator, interpreter and batch options for ${fuzz_seconds}s each (clang + libFuzzer)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
./scripts/run-fuzz.sh "$fuzz_seconds"

step "preparing wine"
./scripts/wine-run.sh wineboot --init >/dev/null 2>&1 || true

for preset in win32 win64; do
  step "building and testing preset $preset under wine"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

step "all tests passed"
