#!/usr/bin/env bash
# Sets up, builds and runs every test of every tree; prints CTest's summary.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${MB_BUILD_DIR:-$src/build}
"$src/tools/setup.sh"
"$src/tools/build.sh"
cd "$out"
status=0
ctest --output-on-failure -j "${MB_JOBS:-$(nproc)}" --timeout 300 "$@" || status=$?
# The rig is stopped by its cleanup fixture; make sure nothing of it outlives a failed run.
"$out/windows/wine-rig.sh" stop >/dev/null 2>&1 || true
exit $status
