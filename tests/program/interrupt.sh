#!/usr/bin/env bash
# Ctrl+C during a long line: the program exits 130 and its output file holds the lines run so
# far and the comment that says where the run stopped, whole.
# Usage: interrupt.sh ULVXNPP
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'Expr = 1\r\nIntegrate(0;1;2000000000;mid;x) = x*x+rnd(1)*0\r\nExpr = 3\r\n' > "$work/long.ulv"
"$program" "$work/long.ulv" --no-header -o "$work/out.ulv" &
pid=$!
sleep 1
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 130 ] || { echo "exit status $status, not 130"; exit 1; }
grep -q "Result => Number = 1.0000" "$work/out.ulv" || { echo "line 1 missing"; cat "$work/out.ulv"; exit 1; }
grep -q "ERROR n. = 26: Cancelled" "$work/out.ulv" || { echo "line 2 not cancelled"; cat "$work/out.ulv"; exit 1; }
tail -c 40 "$work/out.ulv" | grep -q "'Run cancelled before line 3" || { echo "no closing comment"; cat "$work/out.ulv"; exit 1; }
echo "interrupted as expected"
