#!/usr/bin/env bash
# The scenarios in the real editor: a fresh copy of the editor with our plug-in and the driver
# plug-in in plugins\, started under wine (the loader of the editor's architecture) on a virtual
# display and in a wine prefix of its own; the driver writes its report and closes the editor,
# which must exit with status 0.
# Usage: run_real_editor.sh EDITOR_FOLDER PLUGIN_DLL DRIVER_DLL RUN_FOLDER
set -euo pipefail
editor=$1 plugin=$2 driver=$3 run=$4
runner=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh

if [ ! -f "$editor/notepad++.exe" ]; then
  echo "NOT RUN (real editor): there is no editor at $editor (MORVANE_NOTEPADPP_DIR)"
  exit 1
fi
# A 32-bit editor on a machine that cannot execute it is reported not run before anything starts.
"$runner" --can-run "$editor/notepad++.exe" || exit 1

rm -rf "$run/editor" "$run/artifacts"
mkdir -p "$run"
cp -r "$editor" "$run/editor"
chmod -R u+w "$run/editor"
mkdir -p "$run/editor/plugins/ulvXNpp" "$run/editor/plugins/ulvEditorDriver"
cp "$plugin" "$run/editor/plugins/ulvXNpp/ulvXNpp.dll"
cp "$driver" "$run/editor/plugins/ulvEditorDriver/ulvEditorDriver.dll"

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
export WINEPREFIX=$run/prefix
cleanup() {
  "$runner" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"

echo "editor: $run/editor/notepad++.exe on display $DISPLAY, prefix $WINEPREFIX"
status=0
(cd "$run/editor" && timeout 420 "$runner" ./notepad++.exe -nosession) || status=$?
[ -d "$run/editor/artifacts" ] && mv "$run/editor/artifacts" "$run/artifacts"

report=$run/editor/real-editor-report.txt
if [ ! -f "$report" ]; then
  echo "no report from the driver (the editor's exit status: $status)"
  exit 1
fi
tr -d '\r' < "$report"
[ -d "$run/artifacts" ] && echo "screenshots: $run/artifacts"
if [ "$status" -ne 0 ]; then
  echo "the editor's exit status: $status"
  exit 1
fi
tail -n 1 "$report" | tr -d '\r' | grep -Eq '^[1-9][0-9]* passed, 0 failed$'
