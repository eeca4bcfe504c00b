# Shell pieces the benchmark scripts share; sourced, not run.

# A Linux path as Wine's Z: drive names it.
windows() { local p=$1; echo "Z:${p//\//\\}"; }

# command...: its wall-clock time in milliseconds (its output dropped).
milliseconds() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
