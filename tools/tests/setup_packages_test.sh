#!/usr/bin/env bash
# Runs tools/setup.sh on a machine whose package mirror is in the middle of a sync, with a fake
# apt-get: the indexes fail to update, and an install is refused ("held broken packages") unless
# its command line matches the case's pattern. Checks what setup tried, what it said and how it
# ended. Nothing on the machine is touched: dpkg, dpkg-query, locale and sudo are fakes too, and
# the codecs build and the test tree choice are replaced beside the copied scripts.
set -euo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tools" "$work/bin"
cp "$tools/setup.sh" "$tools/setup-packages.sh" "$work/tools/"

fake() { # name body
  printf '#!/bin/bash\n%s\n' "$2" >"$1"
  chmod +x "$1"
}
fake "$work/tools/mingw-codecs.sh" 'echo "codecs $*" >>"$MB_FAKE_LOG"'
fake "$work/tools/windows-test-tree.sh" 'echo windows'
fake "$work/bin/dpkg" 'echo i386'
fake "$work/bin/dpkg-query" 'exit 1'
fake "$work/bin/locale" 'echo zh_CN.utf8'
fake "$work/bin/sudo" 'exec "$@"'
# Logs each call as "update" or "install [-t SUITE] N packages[ but wine32]".
fake "$work/bin/apt-get" '
shopt -s extglob
if [ "$1" = update ]; then
  echo update >>"$MB_FAKE_LOG"
  echo "E: File has unexpected size (8514 != 8510). Mirror sync in progress?" >&2
  exit 100
fi
line="install" count=0 wine32=0 args=" $* "
shift
while [ $# -gt 0 ]; do
  case "$1" in
    -t) line+=" -t $2"; shift ;;
    -*) ;;
    wine32:i386) wine32=1; count=$((count + 1)) ;;
    *) count=$((count + 1)) ;;
  esac
  shift
done
line+=" $count packages"
[ "$wine32" = 1 ] || line+=" but wine32"
echo "$line" >>"$MB_FAKE_LOG"
[[ $args == $MB_FAKE_ACCEPT ]] && exit 0
echo "E: Unable to correct problems, you have held broken packages." >&2
exit 100'

package_count=$(sed -n '/^packages=(/,/^)/p' "$tools/setup.sh" | sed '1d;$d' | wc -w)
failures=0

# run_case NAME CODENAME ACCEPT EXPECTED_RC: runs setup; the log and the output are left in $log
# and $said.
run_case() {
  name=$1
  printf 'NAME="Debian GNU/Linux"\n%s\n' "${2:+VERSION_CODENAME=$2}" >"$work/os-release"
  log=$work/$name.log
  : >"$log"
  local rc=0
  said=$(PATH="$work/bin:$PATH" MB_FAKE_LOG="$log" MB_FAKE_ACCEPT="$3" MB_APT_GET="$work/bin/apt-get" \
         MB_APT_RETRY_PAUSE=0 MB_OS_RELEASE="$work/os-release" "$work/tools/setup.sh" 2>&1) || rc=$?
  [ "$rc" = "$4" ] || fail "setup ended with $rc, not $4"
}

fail() {
  echo "FAIL ($name): $1" >&2
  echo "--- tried:" >&2; cat "$log" >&2
  echo "--- setup said:" >&2; echo "$said" >&2
  failures=$((failures + 1))
}

expect_tried() { # lines...
  [ "$(cat "$log")" = "$(printf '%s\n' "$@")" ] || fail "tried other commands than: $*"
}

expect_said() { # text
  grep -qF -- "$1" <<<"$said" || fail "did not say: $1"
}

all="$package_count packages"
rest="$((package_count - 1)) packages but wine32"

# The release's own suite is consistent: the second try installs everything.
run_case suite_heals bookworm '*-t bookworm*' 0
expect_tried update update update "install $all" "install -t bookworm $all" "codecs i686"
expect_said "some package indexes could not be updated; going on with those present"
expect_said "trying again with the release's own suite, bookworm, as the target"
expect_said "setup: installed from bookworm"
expect_said "setup: all packages present"

# wine32 cannot be paired with the amd64 libraries even from the suite: all else is installed.
run_case without_wine32 trixie '!(*wine32*)' 0
expect_tried update update update "install $all" "install -t trixie $all" "install $rest" "codecs i686"
expect_said "installing everything but wine32; the Windows tests will run in the x86_64 tree"
expect_said "wine32 could not be installed: 32-bit Wine is not available on this machine"
expect_said "setup: all packages present but wine32; the Windows tests run in the x86_64 tree"

# No release to retry with and nothing installs: setup stops and says so.
run_case nothing_installs "" 'never' 1
expect_tried update update update "install $all" "install $rest"
expect_said "/etc/os-release names no release to retry with"
expect_said "setup: the packages could not be installed"
grep -q "all packages present" <<<"$said" && fail "claimed the packages present"

[ "$failures" = 0 ] && echo "setup_packages_test: 3 cases passed"
exit "$failures"
