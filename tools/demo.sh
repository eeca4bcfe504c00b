#!/usr/bin/env bash
# Sets up, builds and starts the client under Wine against the stand-in service.
# Without DISPLAY it runs headless on the rig's Xvfb, leaves a screenshot of the screen in
# build/demo/screen.png and ends; with DISPLAY the client runs on that display until it is closed.
# MB_BUILD_DIR picks another build root (default build/).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${MB_BUILD_DIR:-$src/build}
"$src/tools/setup.sh"
"$src/tools/build.sh"

demo="$out/demo"
mkdir -p "$demo"
bin="$out/windows/bin"
rig="$out/windows/wine-rig.sh"

# The client was built to reach the service at this port; the stand-in is started on it.
port=$(sed -n 's/^MB_SERVICE_HTTP_PORT:[A-Z]*=//p' "$out/windows/CMakeCache.txt")
"$src/tools/standin-rig.sh" start "$out/native/tools/standin/standin" "${port:-18080}" \
  "$demo/requests.jsonl" "$demo"

client=""
headless=0
finish() {
  if [ -n "$client" ]; then kill "$client" 2>/dev/null || true; fi
  if [ "$headless" = 1 ]; then "$rig" stop >/dev/null || true; fi
  "$src/tools/standin-rig.sh" stop "$demo" >/dev/null || true
}
trap finish EXIT

if [ -n "${DISPLAY:-}" ]; then
  # Use the caller's display; the prefix still comes from the rig.
  export MB_KEEP_DISPLAY=1
  "$rig" start
  "$out/windows/wine-run.sh" "$bin/muralbox.exe"
  exit 0
fi

headless=1
"$rig" start
display=":$(cat "$out/windows/rig/display")"
rm -f "$demo/screen.png"
"$out/windows/wine-run.sh" "$bin/muralbox.exe" </dev/null >"$demo/client.log" 2>&1 &
client=$!
# The main window is there once X has a mapped window with the client's title.
title="墨岚屏"
shown=0
for _ in $(seq 1 60); do
  if LC_ALL=C.UTF-8 xwininfo -display "$display" -root -tree 2>/dev/null | grep -q "\"$title\""; then
    shown=1
    break
  fi
  kill -0 "$client" 2>/dev/null || break
  sleep 0.5
done
if [ "$shown" != 1 ]; then
  echo "demo: the client's main window did not appear (see $demo/client.log)" >&2
  exit 1
fi
sleep 1  # let it finish painting
import -display "$display" -window root "$demo/screen.png"
echo "demo: screenshot in $demo/screen.png"
