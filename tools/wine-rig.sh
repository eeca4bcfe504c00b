#!/usr/bin/env bash
# wine-rig.sh start|stop: the Wine rig of one build tree (WINEPREFIX and MB_RIG_DIR set by the
# caller). Every process it starts is detached from the caller's standard streams, so that a test
# runner waiting on its pipes is never held by Wine's service processes.
set -u
mkdir -p "$MB_RIG_DIR"
here=$(cd "$(dirname "$0")" && pwd)

start_xvfb() {
  if [ -s "$MB_RIG_DIR/xvfb.pid" ] && kill -0 "$(cat "$MB_RIG_DIR/xvfb.pid")" 2>/dev/null; then
    return 0
  fi
  rm -f "$MB_RIG_DIR/display"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$MB_RIG_DIR/display" </dev/null >"$MB_RIG_DIR/xvfb.log" 2>&1 &
  echo $! >"$MB_RIG_DIR/xvfb.pid"
  for _ in $(seq 1 100); do
    [ -s "$MB_RIG_DIR/display" ] && return 0
    sleep 0.1
  done
  echo "wine-rig: Xvfb did not start" >&2
  cat "$MB_RIG_DIR/xvfb.log" >&2
  return 1
}

# Bumped whenever init_prefix changes what it puts in a prefix, so older prefixes are made anew.
prefix_version=3

init_prefix() {
  [ "$(cat "$WINEPREFIX/.mb-ready" 2>/dev/null)" = "$prefix_version" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot --init </dev/null >"$MB_RIG_DIR/wineboot.log" 2>&1
  wineserver -w
  # Standard frames draw their caption buttons as characters of the Marlett font. This Wine does
  # not look in its own font folder, so without a copy in the prefix the characters ("0 1 r")
  # come out in a fallback face.
  local marlett
  for marlett in /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/wine/marlett.ttf ""; do
    [ -f "$marlett" ] && break
  done
  if [ -n "$marlett" ]; then
    cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  else
    echo "wine-rig: Wine's marlett.ttf (package fonts-wine) is missing: caption buttons show letters" >&2
  fi
  # Chinese faces the programs ask for are drawn with the WenQuanYi font.
  cat >"$MB_RIG_DIR/fonts.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"新宋体"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"

; No window manager runs on the rig's display: Wine draws frames and captions itself, so that
; screenshots show them.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
REG
  iconv -f UTF-8 -t UTF-16LE "$MB_RIG_DIR/fonts.reg" | { printf '\xff\xfe'; cat; } >"$MB_RIG_DIR/fonts16.reg"
  wine regedit /S "$(winepath -w "$MB_RIG_DIR/fonts16.reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
  wineserver -w
  echo "$prefix_version" >"$WINEPREFIX/.mb-ready"
}

case "${1:-}" in
  start)
    start_xvfb || exit 1
    . "$here/wine-env.sh"
    init_prefix || { echo "wine-rig: wineboot failed" >&2; cat "$MB_RIG_DIR/wineboot.log" >&2; exit 1; }
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    setsid wine cmd /c exit </dev/null >/dev/null 2>&1 &
    wait $! 2>/dev/null
    echo "wine-rig: display $DISPLAY, prefix $WINEPREFIX"
    ;;
  stop)
    . "$here/wine-env.sh"
    # A hung Wine process must not hold the run: the server gets a bounded time to end them all.
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    # and ends itself before the rig counts as stopped: a start right after must not meet a server
    # still ending, which would take the new processes down with it.
    timeout 15 wineserver -w >/dev/null 2>&1 || true
    if [ -s "$MB_RIG_DIR/xvfb.pid" ]; then
      kill "$(cat "$MB_RIG_DIR/xvfb.pid")" 2>/dev/null
      rm -f "$MB_RIG_DIR/xvfb.pid" "$MB_RIG_DIR/display"
    fi
    echo "wine-rig: stopped"
    exit 0
    ;;
  *)
    echo "usage: wine-rig.sh start|stop" >&2
    exit 2
    ;;
esac
