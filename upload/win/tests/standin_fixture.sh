#!/usr/bin/env bash
# Starts or stops the stand-in upload servers for the Windows tests of one build tree.
#   standin_fixture.sh start BINARY STATE_DIR CONTROL_PORT
#   standin_fixture.sh stop STATE_DIR
# The servers run detached from the test runner's streams; their pid is kept in STATE_DIR.
set -u
command=$1
case "$command" in
  start)
    binary=$2 state=$3 control=$4
    mkdir -p "$state"
    if [ -s "$state/pid" ] && kill -0 "$(cat "$state/pid")" 2>/dev/null; then
      kill "$(cat "$state/pid")" 2>/dev/null
      sleep 0.2
    fi
    rm -f "$state/ready" "$state/pid"
    setsid "$binary" --store "$state/store" --control-port "$control" --ready-file "$state/ready" \
      </dev/null >"$state/standin.log" 2>&1 &
    echo $! >"$state/pid"
    for _ in $(seq 1 100); do
      [ -s "$state/ready" ] && { echo "upload stand-in: $(cat "$state/standin.log")"; exit 0; }
      kill -0 "$(cat "$state/pid")" 2>/dev/null || break
      sleep 0.1
    done
    echo "upload stand-in did not start:" >&2
    cat "$state/standin.log" >&2
    exit 1
    ;;
  stop)
    state=$2
    if [ -s "$state/pid" ]; then
      kill "$(cat "$state/pid")" 2>/dev/null
      rm -f "$state/pid" "$state/ready"
    fi
    exit 0
    ;;
esac
echo "usage: standin_fixture.sh start BINARY STATE_DIR CONTROL_PORT | stop STATE_DIR" >&2
exit 2
