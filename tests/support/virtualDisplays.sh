#!/usr/bin/env bash
# virtualDisplays.sh start FOLDER COUNT [weston] | stop FOLDER
#
# The virtual X displays that the tests which show windows run on, started
# and stopped by CTest as the setup and cleanup tests of a fixture (see
# tests/CMakeLists.txt). `start` starts COUNT Xvfb servers, each with a
# 24-bit screen on a free display number that it picks itself (-displayfd),
# and writes the name of each, such as ":3", into FOLDER/0, FOLDER/1, ...
# With `weston` it also starts weston, a Wayland desktop, as a window that
# fills display 0, and writes the X display of its Xwayland into
# FOLDER/xwayland. `stop` ends them all, and fails if one is still running.
#
# The servers outlive the setup test. A watcher ends them when the ctest
# that started them ends, however it ends (Ctrl-C, a crash), so that a run
# never leaves a display behind, even when its cleanup test does not run.
set -euo pipefail

command=${1:-}
folder=${2:-}
if [[ ! "$command" =~ ^(start|stop|watch)$ || -z "$folder" ]]; then
  echo "usage: virtualDisplays.sh start FOLDER COUNT [weston] | stop FOLDER" >&2
  exit 2
fi
pids=$folder/pids

# running PID: true while the process is a server of this script's kind and
# has not ended (an ended one may wait as a zombie for its parent to reap
# it). A number left from an earlier run may belong to another process by
# now.
running() {
  local name state
  name=$(cat "/proc/$1/comm" 2>/dev/null) || return 1
  read -r _ _ state _ <"/proc/$1/stat" 2>/dev/null || return 1
  [[ "$name" =~ ^(Xvfb|weston)$ && "$state" != Z ]]
}

# stopProcesses PID...: ends these processes one after the other, and waits
# until each is gone; one that has not ended after five seconds is killed.
stopProcesses() {
  local pid tries
  for pid in "$@"; do
    running "$pid" || continue
    kill "$pid" 2>/dev/null || continue
    for ((tries = 0; tries < 50; tries++)); do
      running "$pid" || break
      sleep 0.1
    done
    ! running "$pid" || kill -KILL "$pid" 2>/dev/null || true
  done
}

# stopAll: ends every process listed in FOLDER/pids, the last started first
# (weston before the display it runs on).
stopAll() {
  [[ -f "$pids" ]] || return 0
  stopProcesses $(tac "$pids")
  rm -f "$pids"
}

# watchFor PID...: a watcher, apart from CTest (setsid), that ends these
# processes when the ctest that runs this setup test (PPID) has ended. It
# watches only its own: a later run may use the same folder.
watchFor() {
  setsid "$0" watch "$folder" "$PPID" "$@" </dev/null >/dev/null 2>&1 &
}

# waitForFile FILE WHAT: waits up to ten seconds until FILE holds something;
# says what did not start otherwise.
waitForFile() {
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    [[ ! -s "$1" ]] || return 0
    sleep 0.1
  done
  echo "$2 did not start; its log:" >&2
  cat "$folder/log" >&2
  stopAll
  exit 1
}

case "$command" in
  stop)
    # The cleanup test fails if a server outlives it.
    listed=$(cat "$pids" 2>/dev/null || true)
    stopAll
    for pid in $listed; do
      if running "$pid"; then
        echo "$(cat "/proc/$pid/comm") ($pid) is still running" >&2
        exit 1
      fi
    done
    exit 0
    ;;
  watch)
    ctestPid=$3
    shift 3
    while kill -0 "$ctestPid" 2>/dev/null; do
      left=false
      for pid in "$@"; do
        ! running "$pid" || left=true
      done
      $left || exit 0
      sleep 1
    done
    stopProcesses "$@"
    exit 0
    ;;
esac

count=${3:-}
withWeston=${4:-}
if [[ ! "$count" =~ ^[1-9][0-9]*$ ]]; then
  echo "virtualDisplays.sh start: COUNT must be a positive number, not '$count'" >&2
  exit 2
fi
# Whatever an interrupted earlier run left is ended first.
stopAll
rm -rf "$folder"
mkdir -p "$folder"
# The servers keep no descriptor of CTest's: it waits for the test's output
# to close before it takes the test as ended.
servers=()
for ((display = 0; display < count; display++)); do
  # -noreset: a reset, when the last client leaves, takes a moment in which
  # the next test's program cannot connect.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$folder/$display.number" </dev/null >>"$folder/log" 2>&1 &
  servers+=($!)
  echo $! >>"$pids"
done
watchFor "${servers[@]}"
for ((display = 0; display < count; display++)); do
  waitForFile "$folder/$display.number" "Xvfb"
  echo ":$(head -n 1 "$folder/$display.number")" >"$folder/$display"
  rm "$folder/$display.number"
done
echo "Virtual displays: $(cat "$folder"/[0-9]* | paste -sd ' ')"
[[ "$withWeston" == weston ]] || exit 0

# weston, with Xwayland, as a window that fills display 0. It draws with
# pixman: there is no GPU, and the CPU is left to the programs' software
# rendering. It does not lock the desktop after idle minutes
# (--idle-time=0), reads no weston.ini of the user's but its own, and keeps
# its Wayland socket in a runtime folder of its own. Its panel lies along
# the bottom: weston 14 (Debian 13) puts a window where the program asks,
# and okel asks for the top left corner, where a panel along the top
# (weston's default) would cover its first rows. weston picks the X display
# of its Xwayland itself and names it in its log.
mkdir -m 700 "$folder/runtime"
printf '[shell]\npanel-position=bottom\n' >"$folder/weston.ini"
DISPLAY=$(cat "$folder/0") XDG_RUNTIME_DIR=$folder/runtime weston --backend=x11-backend.so \
  --width=1280 --height=1024 --use-pixman --xwayland --idle-time=0 --config="$folder/weston.ini" \
  --log="$folder/weston.log" </dev/null >>"$folder/log" 2>&1 &
echo $! >>"$pids"
watchFor $!
for ((tries = 0; tries < 100; tries++)); do
  xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$folder/weston.log" 2>/dev/null || true)
  [[ -z "$xwayland" ]] || break
  sleep 0.1
done
if [[ -z "$xwayland" ]]; then
  echo "weston did not start with Xwayland; its log:" >&2
  cat "$folder/weston.log" "$folder/log" >&2
  stopAll
  exit 1
fi
echo "$xwayland" >"$folder/xwayland"
echo "weston on $(cat "$folder/0"), its Xwayland on $xwayland"
