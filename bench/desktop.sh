#!/bin/sh
# Start-up, memory and CPU of the real package on a private X server.
#   bench/desktop.sh [PACKAGE_DIR] [SECONDS]      (defaults: build/Dorvane2, 60)
# First the peer benchmark (bench/peers.sh): start-up, memory and CPU while measuring with
# the spinner shown, beside the Qt floor and the peer desktop clocks installed here; then
# CPU over SECONDS while the window is minimised. Prints figures, asserts nothing.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
PACKAGE=$(cd "${1:-$HERE/../build/Dorvane2}" && pwd)
SECONDS_IDLE=${2:-60}

bash "$HERE/peers.sh" "Dorvane2=$PACKAGE" || exit 1
echo

WORK=$(mktemp -d /tmp/dorvane2-bench.XXXXXX)
. "$HERE/../tests/e2e/desktop.sh"
start_display
start_audio
mkdir -p "$WORK/home/run"
HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/home/run" "$PACKAGE/bin/Dorvane2" >"$WORK/app.log" 2>&1 &
APP=$!
PIDS="$PIDS $APP"
wait_for "xdotool search --onlyvisible --pid $APP" 100 || fail "no window"
xdotool windowminimize "$(xdotool search --onlyvisible --pid "$APP" | head -n 1)"
sleep 5
ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
t0=$(ticks "$APP")
sleep "$SECONDS_IDLE"
t1=$(ticks "$APP")
hz=$(getconf CLK_TCK)
echo "minimised: $((t1 - t0)) ticks in ${SECONDS_IDLE} s ($(awk -v t=$((t1 - t0)) -v hz="$hz" -v s="$SECONDS_IDLE" 'BEGIN { printf "%.3f", 100 * t / hz / s }') % of a core)"
