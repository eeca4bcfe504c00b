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

# Sets tree_name and tree to the Windows build tree whose programs run here (tools/windows-test-tree.sh)
# under BUILD_DIR, and says which it is: the figures are those of that tree.
pick_windows_tree() { # build_dir
  tree_name=$("$(dirname "${BASH_SOURCE[0]}")/../tools/windows-test-tree.sh")
  tree=$(cd "$1/$tree_name" && pwd)
  case $tree_name in
    windows) echo "tree: windows (i686, what ships)" ;;
    *) echo "tree: $tree_name (x86_64: this machine does not run 32-bit programs)" ;;
  esac
}

# Each round's figures, kept by name: note NAME VALUE. The rounds share the machine with others,
# so the summary gives the best and the median of them.
declare -A rounds_of=()
note() { rounds_of[$1]+=" $2"; }
latest() { local v; read -r -a v <<<"${rounds_of[$1]}"; echo "${v[-1]}"; }
sorted_rounds() { tr ' ' '\n' <<<"${rounds_of[$1]}" | grep . | sort -g; }
lowest() { sorted_rounds "$1" | head -n 1; }
highest() { sorted_rounds "$1" | tail -n 1; }
median() {
  sorted_rounds "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# ratio A B: A / B, three decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
