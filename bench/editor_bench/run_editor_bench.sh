#!/usr/bin/env bash
# Editor benchmark: a 12-megapixel JPEG handed to the editor the client's way (WM_SETTEXT and
# 2023) until its first paint, against the image layer's decode of the same file alone, in the
# same Wine process, alternating for a few rounds; the goal is 1.5 times the decode at most.
#   bench/editor_bench/run_editor_bench.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
tree_name=$("$src/tools/windows-test-tree.sh")
tree=$(cd "${1:-$src/build}/$tree_name" && pwd)
rounds=${2:-5}
work=$tree/editor_bench_run
mkdir -p "$work"
"$tree/wine-rig.sh" start >/dev/null 2>&1
trap '"$tree/wine-rig.sh" stop >/dev/null 2>&1 || true' EXIT
"$tree/wine-run.sh" "$tree/bin/editor_bench.exe" "Z:${work//\//\\}" "$rounds"
