#!/usr/bin/env bash
# Runs the fuzz targets (evaluator, differentiator, interpreter, batch options, and the UTF-8
# interface's texts against their compiled formulas) for a bounded time each, seeded with the
# formulas of the unit tests. Usage: run-fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-30}
corpus=build/fuzz/corpus
mkdir -p "$corpus" fuzz-artifacts
# Every u"..." literal of the unit tests becomes one seed file, plus a few inputs that define
# matrices before evaluating formulas on them.
grep -rho --include='*_test.cpp' 'u"[^"]*"' tests | sed 's/^u"//; s/"$//' | sort -u |
  while IFS= read -r formula; do
    printf '%s' "$formula" > "$corpus/seed-$(printf '%s' "$formula" | md5sum | cut -c1-12)"
  done
printf '[mA];2;2;1;2;3;4\002det([mA]*[mA]T)' > "$corpus/seed-matrix-det"
printf '[v];3;1;1;2;3\002[v]T*[v]+2' > "$corpus/seed-matrix-vector"
printf '[mB];3;3;2;0;1;1;3;2;1;1;1\002syst([mB];[mB]D)/[mB]I^-2' > "$corpus/seed-matrix-syst"
for target in eval_fuzz diff_fuzz script_fuzz options_fuzz api_fuzz; do
  echo "fuzzing $target for ${seconds}s with $(ls "$corpus" | wc -l) seed inputs"
  # Each target works on a copy, so the shared seeds stay as they are.
  rm -rf "build/fuzz/corpus-$target" && cp -r "$corpus" "build/fuzz/corpus-$target"
  # The interpreter's commands write files where they run: not in the sources.
  mkdir -p "build/fuzz/run-$target"
  # A long input is cancelled by the target after a second, but what it made by then is still
  # written out (a million-point table takes seconds under the sanitizers): only a unit that
  # outlives a minute is a hang.
  (cd "build/fuzz/run-$target" && "$root/build/fuzz/tests/fuzz/$target" "$root/build/fuzz/corpus-$target" \
    -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -timeout=60 -artifact_prefix="$root/fuzz-artifacts/" \
    -print_final_stats=1 2>&1 | tail -n 6)
done
