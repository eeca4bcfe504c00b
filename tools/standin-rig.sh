#!/usr/bin/env bash
# standin-rig.sh start PROGRAM PORT LOG STATE_DIR | stop STATE_DIR
#
# Runs the native stand-in service (the native tree's tools/standin/standin) in the background for
# the Windows tests and the demo, on 127.0.0.1:PORT, recording every request in LOG. The service
# is detached from the caller's standard streams (setsid, output in STATE_DIR/standin.out and
# .err), so a test runner waiting on its pipes is never held by it; STATE_DIR/standin.pid lets
# "stop" end exactly that process.
#
# How a Windows test uses it (declared with SERVICE in mb_windows_test, see cmake/Modules.cmake):
#   - the service answers at http://MB_SERVICE_HOST:MB_SERVICE_HTTP_PORT (compile definitions);
#   - MB_STANDIN_LOG is the request log as a Windows path: one JSON object per line with seq,
#     method, path, query, version, headers (sorted), body, head (the request line and header
#     lines as they arrived, in their order) and fault; byte texts are written byte for byte
#     as the code points U+0000..U+00FF (take each code point as one byte to get them back);
#   - POST /__control switches faults while the service runs, one command per line:
#       fault PATH MODE   MODE: none refuse stall garbage truncate empty foreign-charset 404 500
#                         status:NNN; PATH "*" = all
#       clear             every fault off, stalled requests released
#       release           stalled requests go on
#       charset NAME      gbk, utf-8 or undeclared
#       toplist-stamp N   the stamp the recommended list carries from now on
#       installer VERSION FILE PATH   the update check offers VERSION; FILE (a Linux path) is
#                         served at the request path PATH; "installer none" offers nothing
#     It answers 200 "ok" or 400 with the reason. tests/winkit/standin_client.h does both from
#     Windows code (winkit::StandinSession).
set -u

usage() {
  echo "usage: standin-rig.sh start PROGRAM PORT LOG STATE_DIR | stop STATE_DIR" >&2
  exit 2
}

# The pid in the pid file when that process is still our stand-in program.
running_pid() { # state_dir
  local pid
  [ -s "$1/standin.pid" ] || return 1
  pid=$(cat "$1/standin.pid")
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 1
  # A stale pid file must not make us stop an unrelated process that reuses the number. (A
  # program rebuilt while it ran shows as "PATH (deleted)".)
  local exe
  exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || return 1
  [ "${exe% (deleted)}" = "$(cat "$1/standin.program" 2>/dev/null)" ] || return 1
  echo "$pid"
}

stop_service() { # state_dir
  local pid
  if pid=$(running_pid "$1"); then
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      echo "standin-rig: the service did not end on SIGTERM; killing it" >&2
      kill -KILL "$pid" 2>/dev/null
    fi
  fi
  rm -f "$1/standin.pid"
}

start_service() { # program port log state_dir
  local program=$1 port=$2 log=$3 state=$4 pid
  if [ ! -x "$program" ]; then
    echo "standin-rig: the stand-in program $program is missing." >&2
    echo "standin-rig: it comes from the native tree beside this one: build it with" >&2
    echo "standin-rig:   cmake --build $(dirname "$(dirname "$(dirname "$program")")") --target standin" >&2
    echo "standin-rig: (tools/build.sh builds both trees under one root)." >&2
    return 1
  fi
  mkdir -p "$state" "$(dirname "$log")" || return 1
  stop_service "$state"  # one left over from an interrupted run would hold the port
  readlink -f "$program" >"$state/standin.program"
  # The shell writes its own pid and becomes the program, so the pid file names the service
  # whether or not setsid had to fork.
  rm -f "$state/standin.pid"
  setsid bash -c 'echo $$ >"$1"; shift; exec "$@"' - "$state/standin.pid" \
    "$program" --host 127.0.0.1 --port "$port" --log "$log" \
    </dev/null >"$state/standin.out" 2>"$state/standin.err" &
  for _ in $(seq 1 50); do
    [ -s "$state/standin.pid" ] && break
    sleep 0.1
  done
  pid=$(cat "$state/standin.pid" 2>/dev/null)
  for _ in $(seq 1 100); do
    if grep -qx ready "$state/standin.out" 2>/dev/null; then
      echo "standin-rig: listening on 127.0.0.1:$port (pid $pid), request log $log"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "standin-rig: the stand-in service did not become ready on 127.0.0.1:$port" >&2
  cat "$state/standin.err" >&2
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "standin-rig: (a port in use by another build tree? configure it with another -DMB_SERVICE_HTTP_PORT)" >&2
  fi
  stop_service "$state"
  return 1
}

case "${1:-}" in
  start)
    [ $# -eq 5 ] || usage
    start_service "$2" "$3" "$4" "$5"
    ;;
  stop)
    [ $# -eq 2 ] || usage
    stop_service "$2"
    echo "standin-rig: stopped"
    ;;
  *)
    usage
    ;;
esac
