# Sourced by the Wine rig scripts: the environment every Wine process of a build tree runs in.
# Expects WINEPREFIX and MB_RIG_DIR to be set.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=${WINEARCH:-win32}
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
unset http_proxy https_proxy ftp_proxy no_proxy HTTP_PROXY HTTPS_PROXY FTP_PROXY NO_PROXY
if [ -z "${MB_KEEP_DISPLAY:-}" ] && [ -s "$MB_RIG_DIR/display" ]; then
  export DISPLAY=":$(cat "$MB_RIG_DIR/display")"
fi
# A 64-bit test tree runs under the 64-bit loader alone (the wrapper on PATH prefers the 32-bit
# one, which a kernel without 32-bit support cannot execute).
if [ "$WINEARCH" = win64 ]; then
  mkdir -p "$MB_RIG_DIR/bin"
  for name in wine wine-stable; do
    [ -x "$MB_RIG_DIR/bin/$name" ] || printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$MB_RIG_DIR/bin/$name"
    chmod +x "$MB_RIG_DIR/bin/$name"
  done
  export PATH="$MB_RIG_DIR/bin:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
