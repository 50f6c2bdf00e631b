# Shared by the scripts: the project's folder, the build, a private virtual
# X display, and the one cleanup path that stops every process and removes
# every temporary file a script started or made, when it ends for any reason
# (success, failure or Ctrl-C).

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# qemu-user emulates a Cortex-A72 for every arm64 program the scripts and
# their tests start: Debian 13's arm64 libraries are built with pointer
# authentication, which qemu's default processor emulates many times more
# slowly, and a Raspberry Pi 4 has that processor.
export QEMU_CPU=cortex-a72

# The folders of the Windows and arm64 builds in the project's folder, which
# CMakePresets.json names once (the environment of its preset "folders"),
# as CMake reads them; on a machine without CMake, scripts/deps installs it
# first.
command -v cmake >/dev/null || "$root/scripts/deps"
presetFolder() { cmake -DPRESETS="$root/CMakePresets.json" -DNAME="$1" -P "$root/scripts/presetFolder.cmake"; }
windowsBuild=$(presetFolder OKEL_WINDOWS_BUILD)
arm64Build=$(presetFolder OKEL_ARM64_BUILD)

# versionOf FOLDER: the version that the build in FOLDER was configured
# with, as the top-level CMakeLists.txt names it (its facts.sh).
versionOf() { (source "$1/facts.sh" && echo "$version"); }

# The supported Debian releases, oldest first (releases are made there), and the machine's.
supportedReleases=(bookworm trixie)
machineRelease=$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release)

# The machine-wide cache of the clean roots of the supported releases, one
# tarball each, that scripts/debian makes and every clone on the machine
# shares; chrootTarball RELEASE names the release's (gzipped, as piuparts
# wants it).
okelChroots=${OKEL_CHROOTS:-/var/cache/okel/chroots}
chrootTarball() { echo "$okelChroots/$1.tar.gz"; }

cleanupPids=()
cleanupPaths=()

# stopOnExit PID...: ends these processes, and waits for them, when the
# script ends.
stopOnExit() { cleanupPids+=("$@"); }

# removeOnExit PATH...: removes these files or folders when the script ends.
removeOnExit() { cleanupPaths+=("$@"); }

# makeTemp VARIABLE [-d]: a new temporary file (or with -d a folder), removed
# when the script ends, its path in VARIABLE.
makeTemp() {
  local -n path=$1
  path=$(mktemp ${2:-})
  removeOnExit "$path"
}

# Stops the processes the last started first, each before the next: a
# program that runs on a display, such as the compositor on the virtual
# display, ends before that display does and can leave nothing behind.
cleanUp() {
  local status=$?
  trap - EXIT INT TERM
  local i
  for ((i = ${#cleanupPids[@]} - 1; i >= 0; i--)); do
    kill "${cleanupPids[i]}" 2>/dev/null || true
    wait "${cleanupPids[i]}" 2>/dev/null || true
  done
  if ((${#cleanupPaths[@]} > 0)); then
    rm -rf --one-file-system "${cleanupPaths[@]}"
  fi
  exit "$status"
}
trap cleanUp EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

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
  # A compiler cache, where there is one, makes a second build of the same
  # sources quick.
  if command -v ccache >/dev/null; then
    settings+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake --preset "$preset" -S "$root" "${settings[@]}" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}

# buildViewers TARGET...: builds the targets in the default build. A build
# folder not configured yet is configured without the tests, which need
# more than the viewers do (scripts/test turns them on).
buildViewers() {
  local tests=()
  [[ -f "$root/build/CMakeCache.txt" ]] || tests=(-DBUILD_TESTING=OFF)
  configureAndBuild default "${tests[@]}" "$@"
}

# startVirtualDisplay: starts Xvfb on a free display with a 24-bit screen and
# exports DISPLAY, whatever DISPLAY said before, for the scripts' own
# windows (the soaks, the screenshots; CTest starts the tests' displays).
# The server stops when the script ends.
startVirtualDisplay() {
  local fdFile
  makeTemp fdFile
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdFile" >/dev/null 2>&1 &
  stopOnExit $!
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    [[ -s "$fdFile" ]] && break
    sleep 0.1
  done
  if [[ ! -s "$fdFile" ]]; then
    echo "Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n 1 "$fdFile")"
  echo "Started a virtual display on $DISPLAY"
}
