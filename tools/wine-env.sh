# Sourced by the Wine rig scripts: the environment every Wine process of a build tree runs in.
# Expects WINEPREFIX and MB_RIG_DIR to be set.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
unset http_proxy https_proxy ftp_proxy no_proxy HTTP_PROXY HTTPS_PROXY FTP_PROXY NO_PROXY
if [ -z "${MB_KEEP_DISPLAY:-}" ] && [ -s "$MB_RIG_DIR/display" ]; then
  export DISPLAY=":$(cat "$MB_RIG_DIR/display")"
fi
