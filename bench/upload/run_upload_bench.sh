#!/usr/bin/env bash
# Upload benchmark: 40 MB in files of 1-2 MB, sent to the stand-in servers
#   (a) through the upload pool under Wine (upload_bench.exe), against a bare Win32 program under
#       Wine that sends the same packets over six connections (bare_sender.exe), and the same
#       packets sent natively; goal: the pool at least 0.90 of the bare program;
#   (b) the same batch with the stand-in answering every packet 20 ms late (a wide-area round
#       trip); goal: the pool at least 0.95 of the protocol's limit, six connections times one
#       6,144-byte block per round trip.
# The sides alternate for a few rounds (the machine is shared, so single runs vary); prints every
# run, and the best and the median of each side and of the rounds' ratios.
#   bench/upload/run_upload_bench.sh [BUILD_DIR] [ROUNDS] [DELAYED_ROUNDS]
# BUILD_DIR defaults to build; its Windows tree that runs here is measured (the shipped i686 one
# where 32-bit Wine runs, x86_64 otherwise; the tree is printed). ROUNDS defaults to 5,
# DELAYED_ROUNDS to 2. Needs that tree built and the stand-in's fixed wire ports (36115, 36371)
# free: no upload test may run on the machine meanwhile.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/bench_common.sh"
pick_windows_tree "${1:-$src/build}"
rounds=${2:-5}
delayed_rounds=${3:-2}
work=$tree/upload_bench_run
standin=$tree/upload/upload_standin
native=$tree/bench/upload/upload_native_sender
control=36391
delay_ms=20
for program in "$standin" "$native" "$tree/bin/upload_bench.exe" "$tree/bin/bare_sender.exe"; do
  [ -x "$program" ] || { echo "missing $program: build the $tree_name tree first" >&2; exit 1; }
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

# run NAME COMMAND...: one run after a reset of the stand-in's store (delays are set again); notes
# its MB/s under NAME.
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
  note "$name" "$(awk '{print $7}' <<<"$line")"
}

# One round: the pool, the bare Win32 sender and the native sender on the same files; the pool's
# figure is also noted against the round's bare sender, which met much the same load.
round() { # suffix
  run "pool$1" "$tree/wine-run.sh" "$tree/bin/upload_bench.exe" "${windows_files[@]}"
  run "bare$1" "$tree/wine-run.sh" "$tree/bin/bare_sender.exe" --connections 6 "${windows_files[@]}"
  note "pool/bare$1" "$(ratio "$(latest "pool$1")" "$(latest "bare$1")")"
  run "native$1" "$native" --connections 6 "${files[@]}"
}

summary() { # name unit
  printf '%s best %s, median %s %s' "$1" "$(highest "$1")" "$(median "$1")" "$2"
}

echo "(a) answers at once, $rounds rounds"
delay=0
for _ in $(seq 1 "$rounds"); do round ""; done
echo "(a) $(summary pool MB/s); $(summary bare MB/s) (bare Win32); $(summary native MB/s)"
echo "(a) pool/bare of the best runs $(ratio "$(highest pool)" "$(highest bare)");" \
     "per round: best $(highest pool/bare), median $(median pool/bare) (goal: median >= 0.90)"

[ "$delayed_rounds" -gt 0 ] || exit 0
echo "(b) every answer ${delay_ms} ms late, $delayed_rounds rounds"
delay=$delay_ms
for _ in $(seq 1 "$delayed_rounds"); do round " late"; done
limit=$(awk -v d="$delay_ms" 'BEGIN { print 6 * 6144 / (d / 1000) / 1048576 }')
echo "(b) protocol limit $limit MB/s; $(summary "pool late" MB/s); $(summary "bare late" MB/s); $(summary "native late" MB/s)"
echo "(b) pool/limit: best $(ratio "$(highest "pool late")" "$limit"), median $(ratio "$(median "pool late")" "$limit")" \
     "(goal >= 0.95); bare/limit best $(ratio "$(highest "bare late")" "$limit"); native/limit best $(ratio "$(highest "native late")" "$limit")"
standin_command reset
