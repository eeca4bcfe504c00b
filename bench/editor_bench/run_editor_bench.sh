#!/usr/bin/env bash
# Editor benchmark: a 12-megapixel JPEG handed to a freshly started Hoistly.exe the client's way
# (WM_SETTEXT and 2023) until its editor's canvas shows it, against a bare Win32 program of the
# same window tree asked the same way and against the image layer's decode of the same file, in
# the same run; best and median of ROUNDS (5). Goal: the editor at most 1.2 times the bare program.
# Prints which Windows tree ran it (tools/windows-test-tree.sh: the i686 "windows" tree, or
# windows64 where 32-bit programs do not run). The stand-in service answers Hoistly meanwhile.
#   bench/editor_bench/run_editor_bench.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/bench_common.sh"
build=$(cd "${1:-$src/build}" && pwd)
pick_windows_tree "$build"
rounds=${2:-5}
work=$tree/editor_bench_run
mkdir -p "$work" "$work/standin"
# Hoistly's picture settings pane asks the service for the member's albums when it opens: the
# stand-in answers, as the service would.
port=$(sed -n 's/^MB_SERVICE_HTTP_PORT:[A-Z]*=//p' "$tree/CMakeCache.txt")
"$src/tools/standin-rig.sh" start "$build/native/tools/standin/standin" "${port:-18080}" \
  "$work/standin/requests.jsonl" "$work/standin" >/dev/null
"$tree/wine-rig.sh" start >/dev/null 2>&1
cleanup() {
  "$tree/wine-rig.sh" stop >/dev/null 2>&1 || true
  "$src/tools/standin-rig.sh" stop "$work/standin" >/dev/null 2>&1 || true
}
trap cleanup EXIT
"$tree/wine-run.sh" "$tree/bin/editor_bench.exe" "Z:${work//\//\\}" "$rounds"
