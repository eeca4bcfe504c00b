# Installs Debian packages, sourced by tools/setup.sh (and by its test, with a fake apt-get).
#
# A mirror in the middle of a sync fails an index download now and then. apt-get update is tried
# again a few times, then setup goes on with the indexes that did arrive. Those can pair newer
# libraries of one architecture with an older index of another (the security suite's i386 index
# missing, say), and the install is then refused as "held broken packages". The release's own suite
# is consistent in itself: the install is tried once more with it as the target release. If wine32
# still cannot be installed, everything else is, and the Windows tests fall back to the x86_64 tree
# (tools/windows-test-tree.sh), as on a kernel without 32-bit support.
#
# Nothing here changes the machine's apt configuration: the target release is an option of the one
# install command.

# The program that installs; the test points it at a fake.
: "${MB_APT_GET:=apt-get}"
# Seconds between index retries; the test sets 0.
: "${MB_APT_RETRY_PAUSE:=10}"

apt_get() {
  ${sudo_cmd[@]+"${sudo_cmd[@]}"} env DEBIAN_FRONTEND=noninteractive "$MB_APT_GET" "$@"
}

update_indexes() {
  local try
  for try in 1 2 3; do
    apt_get update -qq && return 0
    sleep $((try * MB_APT_RETRY_PAUSE))
  done
  echo "setup: some package indexes could not be updated; going on with those present" >&2
}

# The codename of the running release (bookworm, ...), from /etc/os-release or MB_OS_RELEASE.
release_codename() {
  (
    # shellcheck disable=SC1090
    . "${MB_OS_RELEASE:-/etc/os-release}"
    echo "${VERSION_CODENAME:-}"
  )
}

# install_packages PACKAGE...: installs them; returns 0 when all are in, or all but wine32 (then
# MB_SETUP_WINE32_FALLBACK is 1). Prints what it had to do.
install_packages() {
  MB_SETUP_WINE32_FALLBACK=0
  apt_get install -y -qq "$@" >/dev/null && return 0

  local codename target=()
  codename=$(release_codename)
  if [ -n "$codename" ]; then
    echo "setup: the install failed with the package indexes at hand (a mirror in the middle of a sync" \
         "leaves them out of step); trying again with the release's own suite, $codename, as the target" >&2
    target=(-t "$codename")
    if apt_get install -y -qq "${target[@]}" "$@" >/dev/null; then
      echo "setup: installed from $codename" >&2
      return 0
    fi
  else
    echo "setup: the install failed, and /etc/os-release names no release to retry with" >&2
  fi

  local rest=() p
  for p in "$@"; do
    case "$p" in wine32:i386|wine32) ;; *) rest+=("$p") ;; esac
  done
  [ "${#rest[@]}" -lt "$#" ] || return 1
  echo "setup: installing everything but wine32; the Windows tests will run in the x86_64 tree" >&2
  # Without wine32 the plain install may go through (newer security updates kept); else the suite's.
  if [ "${#rest[@]}" -eq 0 ] || apt_get install -y -qq "${rest[@]}" >/dev/null ||
     { [ "${#target[@]}" -gt 0 ] && apt_get install -y -qq "${target[@]}" "${rest[@]}" >/dev/null; }; then
    MB_SETUP_WINE32_FALLBACK=1
    echo "setup: wine32 could not be installed: 32-bit Wine is not available on this machine" >&2
    return 0
  fi
  return 1
}
