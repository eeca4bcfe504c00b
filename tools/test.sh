#!/usr/bin/env bash
# Sets up, builds and runs every test of every tree; prints CTest's summary.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${MB_BUILD_DIR:-$src/build}
"$src/tools/setup.sh"
"$src/tools/build.sh"
cd "$out"
status=0
# A Windows test whose window or paint Wine loses under the full parallel load is run once more
# before it counts as failed; a fault that is real fails both times.
ctest --output-on-failure -j "${MB_JOBS:-$(nproc)}" --timeout 300 --repeat until-pass:2 "$@" || status=$?
# The rigs are stopped by their cleanup fixtures; make sure nothing of them outlives a failed run.
for tree in windows windows64; do
  [ -x "$out/$tree/wine-rig.sh" ] && { "$out/$tree/wine-rig.sh" stop >/dev/null 2>&1 || true; }
done
exit $status
