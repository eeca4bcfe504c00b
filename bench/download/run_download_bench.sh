#!/usr/bin/env bash
# Download benchmark: 20 pictures of 2-5 MB from the stand-in service, fetched one after another
#   - through DownloadWorker under Wine (temporary file, status and length checks, rename),
#   - by a bare program under Wine doing nothing but URLDownloadToFileA (the platform's limit),
#   - by curl natively, all 20 in one process.
# The three alternate for a few rounds (the machine is shared); prints every run, the best of
# each and the ratios. Times are wall-clock for the 20 transfers, process start excluded for the
# Windows programs (they time themselves) and included for curl (one process).
#   bench/download/run_download_bench.sh [BUILD_DIR] [ROUNDS] [PORT]
# BUILD_DIR defaults to build (its native tree's stand-in, the programs of its Windows tree that
# runs here: the shipped i686 one where 32-bit Wine runs, x86_64 otherwise; the tree is printed),
# ROUNDS to 3, PORT (a free one for the stand-in) to 18429.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/bench_common.sh"
build=$(cd "${1:-$src/build}" && pwd)
rounds=${2:-3}
port=${3:-18429}
pick_windows_tree "$build"
standin=$build/native/tools/standin/standin
for program in "$standin" "$tree/bin/download_bench.exe" "$tree/bin/urlmon_bench.exe"; do
  [ -x "$program" ] || { echo "missing $program: build the trees first" >&2; exit 1; }
done
command -v curl >/dev/null || { echo "curl is missing" >&2; exit 1; }

work=$tree/download_bench_run
rm -rf "$work"
mkdir -p "$work/worker" "$work/urlmon" "$work/curl" "$work/standin"
"$src/tools/standin-rig.sh" start "$standin" "$port" "$work/standin/requests.jsonl" "$work/standin" >/dev/null
"$tree/wine-rig.sh" start >/dev/null
cleanup() {
  "$tree/wine-rig.sh" stop >/dev/null 2>&1 || true
  "$src/tools/standin-rig.sh" stop "$work/standin" >/dev/null 2>&1 || true
}
trap cleanup EXIT

# The service makes each picture at its first fetch and keeps it; this fetch does that.
warm() { for u in "${urls[@]}"; do curl -s -o /dev/null "$u"; done; }
# Pictures of 1024 x 700 to 1024 x 1650 as BMP: 2.15 to 5.07 MB, made by the service per request.
urls=()
for i in $(seq 0 19); do
  urls+=("http://127.0.0.1:$port/samples/bench$i-1024x$((700 + i * 50)).bmp")
done
warm
curl_args=()
for u in "${urls[@]}"; do curl_args+=("$u" -o "$work/curl/${u##*/}"); done

seconds_ms() { date +%s%N; }
keep() { # name ms
  printf '  %-28s %8.1f ms\n' "$1" "$2"
  note "$1" "$2"
}
for round in $(seq 1 "$rounds"); do
  echo "round $round:"
  # The two Wine programs take turns at going first.
  for program in $( ((round % 2)) && echo "download_bench urlmon_bench" || echo "urlmon_bench download_bench"); do
    if [ "$program" = download_bench ]; then out=worker; name="DownloadWorker under Wine"; else out=urlmon; name="URLDownloadToFileA under Wine"; fi
    line=$("$tree/wine-run.sh" "$tree/bin/$program.exe" "$(windows "$work/$out")" "${urls[@]}" | tr -d '\r')
    keep "$name" "$(echo "$line" | awk '{print $7}')"
  done
  start=$(seconds_ms)
  curl -s --fail "${curl_args[@]}"
  end=$(seconds_ms)
  keep "curl" "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')"
  note "worker/curl" "$(ratio "$(latest "DownloadWorker under Wine")" "$(latest curl)")"
done
bytes=$(cat "$work"/curl/*.bmp | wc -c)
cmp -s <(cat "$work"/worker/*.bmp) <(cat "$work"/curl/*.bmp) || { echo "the worker's files differ from curl's" >&2; exit 1; }
echo "$((bytes / 1048576)) MB in ${#urls[@]} files:"
for name in "DownloadWorker under Wine" "URLDownloadToFileA under Wine" "curl"; do
  printf '  %-28s best %8.1f ms, median %8.1f ms\n' "$name" "$(lowest "$name")" "$(median "$name")"
done
echo "ratio DownloadWorker / curl: best runs $(ratio "$(lowest "DownloadWorker under Wine")" "$(lowest curl)")," \
     "per round best $(lowest worker/curl), median $(median worker/curl) (goal <= 1.25)"
echo "ratio DownloadWorker / bare URLDownloadToFileA, best runs:" \
     "$(ratio "$(lowest "DownloadWorker under Wine")" "$(lowest "URLDownloadToFileA under Wine")")"
