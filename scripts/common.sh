# Shared by the run and test commands: the project's folders, the build, and
# a virtual X display when there is no display.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# configureAndBuild PRESET [-DNAME=VALUE...] [TARGET...]: configures with
# the CMake preset and the cache settings given, and builds the given targets
# (everything when none is given).
configureAndBuild() {
  local preset=$1
  shift
  local settings=() targets=()
  for word in "$@"; do
    case "$word" in
      -D*) settings+=("$word") ;;
      *) targets+=(--target "$word") ;;
    esac
  done
  cmake --preset "$preset" -S "$root" "${settings[@]}" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}

# startVirtualDisplay: starts Xvfb on a free display with a 24-bit screen,
# exports DISPLAY, and stops the server when the calling script ends.
startVirtualDisplay() {
  local fdFile
  fdFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdFile" >/dev/null 2>&1 &
  xvfbPid=$!
  trap 'kill "$xvfbPid" 2>/dev/null || true' EXIT
  for _ in $(seq 1 100); do
    [[ -s "$fdFile" ]] && break
    sleep 0.1
  done
  if [[ ! -s "$fdFile" ]]; then
    echo "Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n 1 "$fdFile")"
  rm -f "$fdFile"
  echo "Started a virtual display on $DISPLAY"
}
