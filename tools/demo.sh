#!/usr/bin/env bash
# Sets up, builds and starts the client under Wine against the stand-in service.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${MB_BUILD_DIR:-$src/build}
"$src/tools/setup.sh"
"$src/tools/build.sh"

demo="$out/demo"
mkdir -p "$demo"
bin="$out/windows/bin"

# The stand-in service, when it has been built.
standin="$out/native/tools/standin/mb_standin"
if [ -x "$standin" ]; then
  "$standin" --port 18080 --log "$demo/requests.jsonl" >"$demo/standin.log" 2>&1 &
  standin_pid=$!
  trap 'kill $standin_pid 2>/dev/null || true' EXIT
fi

rig="$out/windows/wine-rig.sh"
if [ -z "${DISPLAY:-}" ]; then
  "$rig" start
  headless=1
else
  # Use the caller's display; the prefix still comes from the rig.
  export MB_KEEP_DISPLAY=1
  "$rig" start
  headless=0
fi

if [ "$headless" = 1 ]; then
  "$out/windows/wine-run.sh" "$bin/muralbox.exe" &
  client=$!
  sleep 8
  display=":$(cat "$out/windows/rig/display")"
  import -display "$display" -window root "$demo/screen.png" && echo "demo: screenshot in $demo/screen.png"
  kill "$client" 2>/dev/null || true
  "$rig" stop
else
  "$out/windows/wine-run.sh" "$bin/muralbox.exe"
fi
