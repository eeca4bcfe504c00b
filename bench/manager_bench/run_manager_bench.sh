#!/usr/bin/env bash
# Manager page benchmark: 200 generated 12-megapixel JPEGs (4000 x 3000) in one category; the
# time from selecting it on the manager page (skin layout 1) to its first 20 thumbnails drawn and
# the longest step of the window's thread, under Wine; in the same run djpeg -scale 1/8 of the
# same 20 files, cross-built under Wine (one batch file: one Wine start, a process per file) and
# native. The runs alternate for a few rounds; the best and the median of each give the ratios.
#   bench/manager_bench/run_manager_bench.sh [BUILD_DIR] [ROUNDS]
# Needs the Windows tree built (manager_bench, thumbnail_bench), its cross-built codecs
# (tools/mingw-codecs.sh) and native djpeg.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/bench_common.sh"
pick_windows_tree "${1:-$src/build}"
rounds=${2:-3}
count=200
case $tree_name in
  windows64) codecs=/opt/mingw-codecs-x86_64 ;;
  *) codecs=/opt/mingw-codecs ;;
esac
wine_djpeg=${MB_MINGW_CODECS:-$codecs}/bin/djpeg.exe
for program in "$tree/bin/manager_bench.exe" "$tree/bin/thumbnail_bench.exe" "$wine_djpeg" \
               "$(command -v djpeg || echo djpeg)"; do
  [ -x "$program" ] || { echo "missing $program" >&2; exit 1; }
done
work=$tree/manager_bench_run
library=$work/wallpaper
"$tree/wine-rig.sh" start >/dev/null 2>&1
trap '"$tree/wine-rig.sh" stop >/dev/null 2>&1 || true' EXIT

# The pictures are made once (by our encoder) and kept for later runs.
mkdir -p "$library/empty"
if [ "$(find "$library/bench" -name '*.jpg' 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$library/bench"
  echo "making $count photos of 4000 x 3000 in $library/bench"
  "$tree/wine-run.sh" "$tree/bin/thumbnail_bench.exe" generate "$(windows "$library/bench")" "$count"
fi


longest_step=0
shown=()
for round in $(seq 1 "$rounds"); do
  out=$("$tree/wine-run.sh" "$tree/bin/manager_bench.exe" "$(windows "$work")" 1 | tr -d '\r')
  line=$(grep '^round' <<<"$out")
  echo "round $round: page: ${line#round 1: }"
  note page "$(sed -E 's/.* in ([0-9.]+) ms.*/\1/' <<<"$line")"
  step=$(sed -E 's/.*longest step ([0-9.]+) ms.*/\1/' <<<"$line")
  longest_step=$(awk -v a="$step" -v b="$longest_step" 'BEGIN { print (a > b) ? a : b }')
  if ((${#shown[@]} == 0)); then
    mapfile -t shown < <(sed -n '/^shown:/,$p' <<<"$out" | tail -n +2 | sed -e 's/^Z://' -e 's/\\/\//g')
    batch=$work/djpeg.bat
    cp "$wine_djpeg" "$work/djpeg.exe"
    : >"$batch"
    for f in "${shown[@]}"; do printf 'djpeg.exe -scale 1/8 -outfile NUL "%s"\r\n' "$(windows "$f")" >>"$batch"; done
  fi
  wine_ms=$(milliseconds bash -c "cd '$work' && '$tree/wine-run.sh' cmd /c djpeg.bat")
  native_ms=$(milliseconds bash -c 'for f in "$@"; do djpeg -scale 1/8 -outfile /dev/null "$f"; done' _ "${shown[@]}")
  echo "  djpeg -scale 1/8 of the ${#shown[@]} files: under Wine $wine_ms ms, native $native_ms ms"
  note "djpeg under Wine" "$wine_ms"
  note "native djpeg" "$native_ms"
  note "page/djpeg under Wine" "$(ratio "$(latest page)" "$wine_ms")"
done
for name in page "djpeg under Wine" "native djpeg"; do
  echo "$name: best $(lowest "$name") ms, median $(median "$name") ms"
done
echo "longest step of the window's thread: $longest_step ms (goal <= 100)"
echo "ratio page / djpeg under Wine: best runs $(ratio "$(lowest page)" "$(lowest "djpeg under Wine")")," \
     "per round best $(lowest "page/djpeg under Wine"), median $(median "page/djpeg under Wine") (goal <= 1.5)"
echo "ratio page / native djpeg, best runs: $(ratio "$(lowest page)" "$(lowest "native djpeg")")"
