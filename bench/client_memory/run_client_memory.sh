#!/usr/bin/env bash
# Client memory benchmark: starts the empty Win32 window program and muralbox.exe the same way
# under the rig's Wine (from the bin folder of the Windows tree that runs here, the shipped i686
# one where 32-bit Wine runs and x86_64 otherwise; against the stand-in service), waits
# until each is idle and prints the resident set and the anonymous part of each Wine process and
# the client's cost above the empty program.
#   bench/client_memory/run_client_memory.sh [--state STATE] [--rounds N] [BUILD_DIR]
# STATE is the client's state when it is measured:
#   logged-out  (default) started without a member, its login dialog shown
#   logged-in   the demo member logged in automatically from a prepared conf.dat, the carousel
#               changing the wallpaper every 5 seconds over three pictures
# Another state is added as a function reach_<state> (dashes as underscores) below: it gets the
# client's Linux process id, brings the client to that state and returns 0 once it is there. An
# optional prepare_<state> runs before each start of the client, in the program folder (e.g. to
# leave a conf.dat that logs a member in by itself); the stand-in service answers the client.
# ROUNDS (default 3): the programs are started that many times each; the lowest and the median of
# each figure are printed (the machine is shared, and a page fault more or less is noise).
# BUILD_DIR defaults to build; its Windows tree must be built.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/bench_common.sh"
state=logged-out
rounds=3
build=$src/build
while [ $# -gt 0 ]; do
  case "$1" in
    --state) state=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    -*) echo "usage: $0 [--state STATE] [--rounds N] [BUILD_DIR]" >&2; exit 2 ;;
    *) build=$1; shift ;;
  esac
done
build=$(cd "$build" && pwd)
pick_windows_tree "$build"
bin=$tree/bin
work=$tree/client_memory_run
for program in "$bin/empty_window.exe" "$bin/muralbox.exe"; do
  [ -f "$program" ] || { echo "missing $program: build the windows tree first" >&2; exit 1; }
done
reach=reach_${state//-/_}

# --- States of the client -------------------------------------------------------------------

# The window of that title is mapped on the rig's display.
window_shown() { # title
  LC_ALL=C.UTF-8 xwininfo -display "$display" -root -tree 2>/dev/null | grep -q "\"$1\""
}

wait_for_window() { # pid title (a loaded machine can take a minute to start Wine)
  for _ in $(seq 1 240); do
    window_shown "$2" && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.25
  done
  return 1
}

reach_logged_out() { # pid
  wait_for_window "$1" "用户登陆"
}

# In the program folder: no member left behind by the logged-in state.
prepare_logged_out() {
  rm -rf conf.dat wallpaper.dat top10.dat wallpaper
}

# In the program folder: the demo member's conf.dat and three sample wallpapers in the download
# folder (the client's folder as Wine names it: Z: is the Linux root).
prepare_logged_in() {
  local windows_folder pictures=() n name
  windows_folder="Z:$(pwd | sed 's|/|\\|g')"
  mkdir -p wallpaper/bench
  rm -f wallpaper/wallpaper.html
  for n in 1 2 3; do
    name="bench-$n-1024x768.jpg"
    curl -sf -o "wallpaper/bench/$name" "$site/samples/$name" || return 1
    pictures+=("$windows_folder\\wallpaper\\bench\\$name")
  done
  "$build/native/tools/demo_member/demo_member" . "$site" demo demo 5 "${pictures[@]}" >/dev/null
}

# Logged in once the main window stands and the carousel has stepped at least once.
reach_logged_in() { # pid
  wait_for_window "$1" "壁纸设置" || return 1  # the main window is titled after its first tab
  for _ in $(seq 1 180); do
    [ -f "$bin/wallpaper/wallpaper.html" ] && return 0
    sleep 0.5
  done
  return 1
}

# --- Measuring ------------------------------------------------------------------------------

# "resident anonymous" in kB of one process, from the kernel's summary of its mappings.
memory_of() { # pid
  awk '/^Rss:/ { rss = $2 } /^Anonymous:/ { anon = $2 } END { print rss + 0, anon + 0 }' \
    "/proc/$1/smaps_rollup"
}

# Idle: the resident set moved by less than 64 kB over the last three half-second samples.
wait_until_idle() { # pid
  local previous=-1 calm=0 rss
  for _ in $(seq 1 120); do
    kill -0 "$1" 2>/dev/null || return 1
    read -r rss _ < <(memory_of "$1")
    if [ "$previous" -ge 0 ] && [ $((rss - previous)) -lt 64 ] && [ $((previous - rss)) -lt 64 ]; then
      calm=$((calm + 1))
      [ "$calm" -ge 3 ] && return 0
    else
      calm=0
    fi
    previous=$rss
    sleep 0.5
  done
  return 1
}

running=""
# Ends the measured program: politely first, then for certain.
stop_running() {
  if [ -n "$running" ]; then
    pkill -P "$running" 2>/dev/null || true
    kill "$running" 2>/dev/null || true
    for _ in $(seq 1 20); do
      kill -0 "$running" 2>/dev/null || break
      sleep 0.25
    done
    kill -9 "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
  fi
  running=""
  # The next start must not meet this one as a first instance still ending in the Wine server.
  if [ -n "${measured:-}" ]; then
    for _ in $(seq 1 40); do
      pgrep -f "$measured" >/dev/null || break
      pkill -9 -f "$measured" 2>/dev/null || true
      sleep 0.25
    done
  fi
}

# Starts a program from bin, brings it to its state, waits until idle; prints "rss anon" in kB.
measure() { # program reach-function [prepare-function]
  if [ -n "${3:-}" ]; then (cd "$bin" && "$3") || return 1; fi
  # Each start finds a fresh program folder state: no second instance, no files left behind.
  measured=$1
  "$tree/wine-run.sh" "$bin/$1" </dev/null >"$work/$1.log" 2>&1 &
  running=$!
  # wine-run.sh stays as the parent of the Wine process (it hands the output over at the end):
  # what is measured is its child, the program's Wine process.
  local wine_process="" tries
  for tries in $(seq 1 40); do
    wine_process=$(pgrep -P "$running" | head -n 1) && [ -n "$wine_process" ] && break
    sleep 0.25
  done
  if [ -z "$wine_process" ]; then
    echo "client_memory: $1 did not start (see $work/$1.log)" >&2
    stop_running
    return 1
  fi
  if ! "$2" "$wine_process"; then
    echo "client_memory: $1 did not reach its state (see $work/$1.log)" >&2
    stop_running
    return 1
  fi
  if ! wait_until_idle "$wine_process"; then
    echo "client_memory: $1 did not settle" >&2
    stop_running
    return 1
  fi
  memory_of "$wine_process"
  cp "/proc/$wine_process/smaps" "$work/$1.smaps" 2>/dev/null || true  # where it went, for reading
  stop_running
}

reach_empty_window() { wait_for_window "$1" "Empty window"; }

if ! declare -F "$reach" >/dev/null; then
  echo "client_memory: no state \"$state\" (known: logged-out, logged-in)" >&2
  exit 2
fi

rm -rf "$work"
mkdir -p "$work"
port=$(sed -n 's/^MB_SERVICE_HTTP_PORT:[A-Z]*=//p' "$tree/CMakeCache.txt")
"$src/tools/standin-rig.sh" start "$build/native/tools/standin/standin" "${port:-18080}" \
  "$work/requests.jsonl" "$work" >/dev/null
"$tree/wine-rig.sh" start >/dev/null
cleanup() {
  stop_running
  "$tree/wine-rig.sh" stop >/dev/null 2>&1 || true
  "$src/tools/standin-rig.sh" stop "$work" >/dev/null 2>&1 || true
}
trap cleanup EXIT
display=":$(cat "$tree/rig/display")"
site="http://127.0.0.1:${port:-18080}"

for round in $(seq 1 "$rounds"); do
  # A start that Wine loses now and then on a loaded machine is tried once more.
  result=$(measure empty_window.exe reach_empty_window || measure empty_window.exe reach_empty_window) || exit 1
  read -r empty_rss empty_anon <<<"$result"
  echo "round $round: empty window  resident $empty_rss kB, anonymous $empty_anon kB"
  prepare=prepare_${state//-/_}
  declare -F "$prepare" >/dev/null || prepare=""
  result=$(measure muralbox.exe "$reach" "$prepare" || measure muralbox.exe "$reach" "$prepare") || exit 1
  read -r rss anon <<<"$result"
  echo "round $round: muralbox.exe  resident $rss kB, anonymous $anon kB ($state)"
  note "empty resident" "$empty_rss"; note "empty anonymous" "$empty_anon"
  note "client resident" "$rss"; note "client anonymous" "$anon"
  note "above resident" $((rss - empty_rss)); note "above anonymous" $((anon - empty_anon))
done

mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
figure() { echo "$1 $(mb "$(lowest "$2")"), median $(mb "$(median "$2")")"; }
echo "empty window:  $(figure "resident lowest" "empty resident"); $(figure "anonymous lowest" "empty anonymous")"
echo "muralbox.exe ($state, $tree_name tree):  $(figure "resident lowest" "client resident");" \
     "$(figure "anonymous lowest" "client anonymous")"
echo "above the empty program, per round:  $(figure "resident lowest" "above resident");" \
     "$(figure "anonymous lowest" "above anonymous") (goal: resident <= 15.0 MB logged out, 20.0 MB logged in)"
