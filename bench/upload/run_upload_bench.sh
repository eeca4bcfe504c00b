#!/usr/bin/env bash
# Upload benchmark: 40 MB in files of 1-2 MB, sent through the upload pool under Wine to the
# stand-in servers, then the same files sent natively with the same packets and stop-and-wait
# replies over six connections. The two alternate for a few rounds (the machine is shared, so
# single runs vary); prints every run, the best throughput of each side and their ratio.
#   bench/upload_bench/run_upload_bench.sh [BUILD_DIR] [ROUNDS]
# BUILD_DIR defaults to build (its windows tree is used), ROUNDS to 3.
# Needs the windows tree built (upload_bench, upload_standin_host, upload_native_sender_host) and
# the wire ports 36115 and 36371 free (no upload tests running).
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "${1:-$src/build}/windows" && pwd)
work=$tree/upload_bench_run
standin=$tree/upload/upload_standin
sender=$tree/bench/upload_bench/upload_native_sender
control=36391
for program in "$standin" "$sender" "$tree/bin/upload_bench.exe"; do
  [ -x "$program" ] || { echo "missing $program: build the windows tree first" >&2; exit 1; }
done

rm -rf "$work"
mkdir -p "$work/files"
# Files of 1 to 2 MB, 40 MB in all, from a fixed seed so that every run sends the same bytes.
python3 - "$work/files" <<'PY'
import os, random, sys
random.seed(2024)
total, n = 0, 0
while total < 40 * 1048576:
    size = min(random.randint(1048576, 2 * 1048576), 40 * 1048576 - total)
    if size < 1048576 and n > 0:
        size = 1048576
    with open(os.path.join(sys.argv[1], "picture%02d.jpg" % n), "wb") as f:
        f.write(random.randbytes(size))
    total += size
    n += 1
PY

"$src/upload/win/tests/standin_fixture.sh" start "$standin" "$work/standin" "$control" >/dev/null
"$tree/wine-rig.sh" start >/dev/null
cleanup() {
  "$tree/wine-rig.sh" stop >/dev/null 2>&1 || true
  "$src/upload/win/tests/standin_fixture.sh" stop "$work/standin"
}
trap cleanup EXIT

files=("$work"/files/*.jpg)
windows_files=()
for f in "${files[@]}"; do windows_files+=("Z:${f//\//\\}"); done

rounds=${2:-3}
best_wine=0 best_native=0
for _ in $(seq 1 "$rounds"); do
  wine_line=$("$tree/wine-run.sh" "$tree/bin/upload_bench.exe" "${windows_files[@]}" | tr -d '\r')
  native_line=$("$sender" --connections 6 "${files[@]}")
  echo "$wine_line"
  echo "$native_line"
  best_wine=$(echo "$wine_line" | awk -v b="$best_wine" '{print ($7 > b) ? $7 : b}')
  best_native=$(echo "$native_line" | awk -v b="$best_native" '{print ($7 > b) ? $7 : b}')
done
awk -v w="$best_wine" -v n="$best_native" \
  'BEGIN { printf "best wine %.2f MB/s, best native %.2f MB/s, ratio wine/native %.2f (goal >= 0.80)\n", w, n, w / n }'
