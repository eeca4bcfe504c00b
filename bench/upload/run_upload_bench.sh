#!/usr/bin/env bash
# Upload benchmark: 40 MB in files of 1-2 MB, sent to the stand-in servers
#   (a) through the upload pool under Wine (upload_bench.exe), against a bare Win32 program under
#       Wine that sends the same packets over six connections (bare_sender.exe), and the same
#       packets sent natively; goal: the pool at least 0.90 of the bare program;
#   (b) the same batch with the stand-in answering every packet 20 ms late (a wide-area round
#       trip); goal: the pool at least 0.95 of the protocol's limit, six connections times one
#       6,144-byte block per round trip.
# The sides alternate for a few rounds (the machine is shared, so single runs vary); prints every
# run, the best of each side and the ratios.
#   bench/upload/run_upload_bench.sh [BUILD_DIR] [ROUNDS] [DELAYED_ROUNDS]
# BUILD_DIR defaults to build (its windows64 tree runs, the i686 one cannot on a 64-bit-only
# kernel), ROUNDS to 3, DELAYED_ROUNDS to 2. Needs the windows64 tree built and the wire ports
# 36115 and 36371 free: run it under the upload tests' lock (flock /tmp/upload-ports.lock ...).
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "${1:-$src/build}/windows64" && pwd)
rounds=${2:-3}
delayed_rounds=${3:-2}
work=$tree/upload_bench_run
standin=$tree/upload/upload_standin
native=$tree/bench/upload/upload_native_sender
control=36391
delay_ms=20
for program in "$standin" "$native" "$tree/bin/upload_bench.exe" "$tree/bin/bare_sender.exe"; do
  [ -x "$program" ] || { echo "missing $program: build the windows64 tree first" >&2; exit 1; }
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

# One command on the stand-in's control channel; fails unless it answers ok.
standin_command() {
  exec 3<>"/dev/tcp/127.0.0.1/$control"
  printf '%s\n' "$1" >&3
  local line answer=""
  while read -r line <&3; do
    line=${line%$'\r'}
    case "$line" in ok | error*) answer=$line; break ;; esac
  done
  exec 3>&-
  [ "$answer" = ok ] || { echo "stand-in: $1: ${answer:-no answer}" >&2; return 1; }
}

files=("$work"/files/*.jpg)
windows_files=()
for f in "${files[@]}"; do windows_files+=("Z:${f//\//\\}"); done

# run NAME COMMAND...: one run after a reset of the stand-in's store (delays are set again).
run() {
  local name=$1
  shift
  standin_command reset
  if [ "$delay" -gt 0 ]; then
    standin_command "delay block $delay"
    standin_command "delay record $delay"
  fi
  local line
  line=$("$@" | tr -d '\r')
  echo "$line"
  eval "best_$name=\$(echo \"\$line\" | awk -v b=\"\$best_$name\" '{print (\$7 > b) ? \$7 : b}')"
  eval "last_$name=\$(echo \"\$line\" | awk '{print \$7}')"
}

# The machine is shared, so both sides of one round meet much the same load: the median of the
# rounds' pool/bare ratios is steadier than the ratio of the best runs.
median() { tr ' ' '\n' | grep . | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

echo "(a) answers at once, $rounds rounds"
delay=0 best_pool=0 best_bare=0 best_native=0 ratios=""
for _ in $(seq 1 "$rounds"); do
  run pool "$tree/wine-run.sh" "$tree/bin/upload_bench.exe" "${windows_files[@]}"
  run bare "$tree/wine-run.sh" "$tree/bin/bare_sender.exe" --connections 6 "${windows_files[@]}"
  run native "$native" --connections 6 "${files[@]}"
  ratios+=" $(awk -v p="$last_pool" -v b="$last_bare" 'BEGIN {print p / b}')"
done
awk -v p="$best_pool" -v b="$best_bare" -v n="$best_native" -v m="$(echo "$ratios" | median)" 'BEGIN {
  printf "(a) best pool %.2f MB/s, bare Win32 %.2f MB/s, native %.2f MB/s; pool/bare %.3f, median of the rounds %.3f (goal >= 0.90)\n",
         p, b, n, p / b, m }'

[ "$delayed_rounds" -gt 0 ] || exit 0
echo "(b) every answer ${delay_ms} ms late, $delayed_rounds rounds"
delay=$delay_ms best_pool=0 best_bare=0 best_native=0
for _ in $(seq 1 "$delayed_rounds"); do
  run pool "$tree/wine-run.sh" "$tree/bin/upload_bench.exe" "${windows_files[@]}"
  run bare "$tree/wine-run.sh" "$tree/bin/bare_sender.exe" --connections 6 "${windows_files[@]}"
  run native "$native" --connections 6 "${files[@]}"
done
awk -v p="$best_pool" -v b="$best_bare" -v n="$best_native" -v d="$delay_ms" 'BEGIN {
  limit = 6 * 6144 / (d / 1000) / 1048576
  printf "(b) best pool %.3f MB/s, bare Win32 %.3f MB/s, native %.3f MB/s, protocol limit %.3f MB/s; pool/limit %.3f (goal >= 0.95), bare/limit %.3f, native/limit %.3f\n",
         p, b, n, limit, p / limit, b / limit, n / limit }'
standin_command reset
