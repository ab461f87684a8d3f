#!/usr/bin/env bash
# Runs the evaluator fuzz target for a bounded time, seeded with the formulas of the unit
# tests. Usage: run-fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
corpus=build/fuzz/corpus
mkdir -p "$corpus" fuzz-artifacts
# Every u"..." literal of the engine tests becomes one seed file.
grep -ho 'u"[^"]*"' tests/engine/*.cpp | sed 's/^u"//; s/"$//' | sort -u | head -2000 |
  while IFS= read -r formula; do
    printf '%s' "$formula" > "$corpus/seed-$(printf '%s' "$formula" | md5sum | cut -c1-12)"
  done
echo "fuzzing for ${seconds}s with $(ls "$corpus" | wc -l) corpus entries"
build/fuzz/tests/fuzz/eval_fuzz "$corpus" -max_total_time="$seconds" -max_len=4096 \
  -rss_limit_mb=2048 -timeout=10 -artifact_prefix=fuzz-artifacts/ -print_final_stats=1 2>&1 | tail -n 12
