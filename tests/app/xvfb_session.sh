# Sourced by the scripts that run the program on a real X server: a scratch
# folder ($work) removed at exit with every process in $pids, helpers to fail
# and to wait, and an Xvfb of our own on the first free display from $1 on,
# with the program's environment pointing into $work.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $1 seconds for a command to succeed.
wait_for() {
  local seconds=$1; shift
  for _ in $(seq $((seconds * 10))); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

start_xvfb() {
  local first=$1 display=""
  for n in $(seq "$first" $((first + 69))); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
  done
  [ -n "$display" ] || fail "no free display"
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -e "/tmp/.X11-unix/X$display" || fail "Xvfb did not start"
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" ENLAZORA_TABLAS="$work/HTEMP"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$ENLAZORA_TABLAS" "$work/programa"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# The first visible window whose name matches.
search() { xdotool search --onlyvisible --name "$1" | head -n1; }
