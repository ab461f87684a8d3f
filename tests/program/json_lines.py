#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Every example run with --json: each line of standard output is a JSON object, and together
they carry every line the output text shows, in its order."""
import json
import pathlib
import subprocess
import sys
import tempfile

program, examples = sys.argv[1], pathlib.Path(sys.argv[2])
failed = False
for script in sorted(examples.glob("*.ulv")):
    def run(*options):
        # Pictures are numbered on from those in the folder: each run saves into one of its own.
        with tempfile.TemporaryDirectory() as plots:
            done = subprocess.run([program, str(script), "--no-header", "--save-plots=" + plots, *options],
                                  cwd=examples.parent, capture_output=True, text=True, encoding="utf-8")
            return done.stdout.replace(plots, "<plots>"), done.returncode
    text, text_status = run()
    lines, json_status = run("--json")
    shown = []
    for number, line in enumerate(lines.splitlines(), 1):
        try:
            record = json.loads(line)
        except json.JSONDecodeError as error:
            print(f"{script.name}: line {number} is not JSON ({error}): {line}")
            failed = True
            continue
        if "error" in record and not {"code", "message"} <= record["error"].keys():
            print(f"{script.name}: an error without its code and message: {line}")
            failed = True
        shown += record.get("comment", record.get("output", "")).splitlines()
    expected = [line for line in text.splitlines() if line.strip()]
    if [line for line in shown if line.strip()] != expected or text_status != json_status:
        print(f"{script.name}: the JSON lines do not carry the output text (exit {json_status} vs {text_status})")
        failed = True
print("the JSON lines carry every output" if not failed else "JSON lines differ")
sys.exit(1 if failed else 0)
