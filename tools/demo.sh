#!/usr/bin/env bash
# Sets up, builds and runs the client's main road under Wine against the stand-in service: the
# demo member logs in, the client sits in the notification area and its carousel changes the
# desktop wallpaper every few seconds.
# With DISPLAY the member types "demo" / "demo" into the login dialog and the client runs on that
# display until it is ended from its tray. Without DISPLAY it runs headless on the rig's Xvfb:
# the member is logged in automatically from a prepared conf.dat, and once the carousel has
# changed the wallpaper, the picture it set is painted on the display's background (as a desktop
# shows it) and a screenshot of the screen, with the main window on the wallpaper manager page,
# is left in build/demo/screen.png; then the client is ended.
# The client folder also holds what a member's folder holds once the batch uploader has checked
# the service's data files: classify.dat, actives.dat and themes.dat.
# MB_BUILD_DIR picks another build root (default build/).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${MB_BUILD_DIR:-$src/build}
"$src/tools/setup.sh"
"$src/tools/build.sh"

demo="$out/demo"
# The client of the tree whose programs run here: the shipped i686 one where 32-bit Wine runs.
tree="$out/$("$src/tools/windows-test-tree.sh")"
bin="$tree/bin"
rig="$tree/wine-rig.sh"
run="$tree/wine-run.sh"
mkdir -p "$demo"

# The client was built to reach the service at this port; the stand-in is started on it.
port=$(sed -n 's/^MB_SERVICE_HTTP_PORT:[A-Z]*=//p' "$tree/CMakeCache.txt")
port=${port:-18080}
site="http://127.0.0.1:$port"
"$src/tools/standin-rig.sh" start "$out/native/tools/standin/standin" "$port" \
  "$demo/requests.jsonl" "$demo"

client=""
headless=0
finish() {
  if [ -n "$client" ]; then kill "$client" 2>/dev/null || true; fi
  if [ "$headless" = 1 ]; then "$rig" stop >/dev/null || true; fi
  "$src/tools/standin-rig.sh" stop "$demo" >/dev/null || true
}
trap finish EXIT

# A client folder of its own: the program, the libraries beside it, the skin files, the service's
# data files, and three sample wallpapers from the service in the download folder.
folder="$demo/client"
rm -rf "$folder"
mkdir -p "$folder/wallpaper/demo"
cp "$bin/muralbox.exe" "$bin"/*.dll "$bin"/default* "$bin"/waitting* "$folder/"
rm -f "$folder/recording_skin.dll"
for data in classify actives themes; do
  curl -sf -o "$folder/$data.dat" "$site/admin/$data.dat"
done
windows_folder="Z:$(echo "$folder" | sed 's|/|\\|g')"
pictures=()
for n in 1 2 3; do
  name="demo-$n-1024x768.bmp"
  curl -sf -o "$folder/wallpaper/demo/$name" "$site/samples/$name"
  pictures+=("$windows_folder\\wallpaper\\demo\\$name")
done

if [ -n "${DISPLAY:-}" ]; then
  "$out/native/tools/demo_member/demo_member" --typed "$folder" "$site" demo demo 5 "${pictures[@]}" >/dev/null
  echo "demo: log in as demo / demo; the wallpaper changes every 5 seconds; end it from the tray"
  export MB_KEEP_DISPLAY=1
  "$rig" start
  "$run" "$folder/muralbox.exe"
  exit 0
fi

headless=1
"$out/native/tools/demo_member/demo_member" "$folder" "$site" demo demo 3 "${pictures[@]}" >/dev/null
"$rig" start
display=":$(cat "$tree/rig/display")"
rm -f "$demo/screen.png"
"$run" "$windows_folder\\muralbox.exe" </dev/null >"$demo/client.log" 2>&1 &
client=$!

# The carousel writes its page just before the player applies the step's picture.
page="$folder/wallpaper/wallpaper.html"
shown=""
for _ in $(seq 1 120); do
  shown=$(sed -n "s/.*src='\.\\\\demo\\\\\(demo-[0-9]-1024x768\.bmp\)'.*/\1/p" "$page" 2>/dev/null || true)
  [ -n "$shown" ] && break
  kill -0 "$client" 2>/dev/null || break
  sleep 0.5
done
if [ -z "$shown" ]; then
  echo "demo: the carousel did not change the wallpaper (see $demo/client.log)" >&2
  exit 1
fi
sleep 3  # the player applies the picture; the manager page loads its thumbnails
# The bare display has no desktop to paint the wallpaper: it is put on the screen's background.
size=$(xdpyinfo -display "$display" 2>/dev/null | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\).*/\1/p')
convert "$folder/wallpaper/demo/$shown" -resize "${size:-1280x1024}!" "$demo/background.png"
# display sets the background and ends with status 1 when it has no window of its own to keep.
display -display "$display" -window root "$demo/background.png" || true
sleep 1
import -display "$display" -window root "$demo/screen.png"
echo "demo: $(grep -ac '/kivane/passport.jsp' "$demo/requests.jsonl") login(s) sent; wallpaper changed to $shown"
echo "demo: screenshot in $demo/screen.png"
