#!/bin/sh
# Starts the real package again and again on a private X server with openbox and a
# PulseAudio server, closes it after a random 0.15-2.5 s (often while the start-up ring
# still plays), by the title bar's close button and by Ctrl+Q in turn, and counts the
# exit statuses. After every run the settings file must hold its 14 fields, the seven
# keys in order.
#   bench/exit_cycles.sh [RUNS] [PACKAGE_DIR]      (defaults: 500, build/Dorvane2)
# Exits 0 when every run exited 0 and left a complete settings file.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
RUNS=${1:-500}
PACKAGE=$(cd "${2:-$HERE/../build/Dorvane2}" && pwd)
WORK=$(mktemp -d /tmp/dorvane2-exits.XXXXXX)
. "$HERE/../tests/e2e/desktop.sh"

export LANG=C.UTF-8
APP_HOME="$WORK/home"
SETTINGS="$APP_HOME/Documents/Dorvane2appData"
mkdir -p "$APP_HOME/Documents" "$WORK/run"
chmod 700 "$WORK/run"
export XDG_RUNTIME_DIR="$WORK/run"
start_display
start_audio

now_ms() { echo $(($(date +%s%N) / 1000000)); }
random_delay_ms() { echo $((150 + $(od -An -N2 -tu2 /dev/urandom) * 2350 / 65535)); }

settings_complete() {
    python3 - "$SETTINGS" <<'PY'
import sys
keys = ["h_data", "m_data", "h_timer", "m_timer", "sound_res", "window_top", "window_left"]
try:
    fields = open(sys.argv[1], encoding="utf-8").read().split("\n")
except OSError:
    sys.exit(1)
sys.exit(0 if len(fields) == 14 and fields[0::2] == keys else 1)
PY
}

# The close button, as a user clicks it: the right end of openbox's title bar.
click_close_button() {
    wait_for "xprop -id $WINDOW _NET_FRAME_EXTENTS | grep -q =" 50 || return 1
    eval "$(xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/ { print "x=" $4 }
        /Absolute upper-left Y/ { print "y=" $4 } /Width:/ { print "w=" $2 }')"
    extents=$(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //' | tr -d ' ')
    right=$(echo "$extents" | cut -d, -f2)
    top=$(echo "$extents" | cut -d, -f3)
    xdotool mousemove $((x + w + right - 12)) $((y - top / 2)) click 1
}

# One run: start, wait, close by $1 (button or ctrl+q) after $2 ms; prints the outcome.
run_once() {
    t0=$(now_ms)
    HOME="$APP_HOME" "$PACKAGE/bin/Dorvane2" >>"$WORK/app.log" 2>&1 &
    APP=$!
    if ! wait_for "xdotool search --onlyvisible --pid $APP" 100; then
        kill -9 "$APP" 2>/dev/null
        wait "$APP" 2>/dev/null
        echo "no-window"
        return
    fi
    WINDOW=$(xdotool search --onlyvisible --pid "$APP" | head -n 1)
    left=$(($2 - ($(now_ms) - t0)))
    [ "$left" -gt 0 ] && sleep "$(awk -v ms="$left" 'BEGIN { printf "%.3f", ms / 1000 }')"
    if [ "$1" = button ]; then
        click_close_button
    else
        xdotool windowactivate --sync "$WINDOW" key ctrl+q
    fi
    if ! wait_for '! kill -0 "$APP"' 100; then
        kill -9 "$APP" 2>/dev/null
        wait "$APP" 2>/dev/null
        echo "hang"
        return
    fi
    wait "$APP"
    echo "$?"
}

ok=0 complete=0 tally=""
started=$(now_ms)
i=1
while [ "$i" -le "$RUNS" ]; do
    if [ $((i % 2)) = 1 ]; then method=button; else method=ctrl+q; fi
    delay=$(random_delay_ms)
    status=$(run_once "$method" "$delay")
    tally="$tally $status"
    [ "$status" = 0 ] && ok=$((ok + 1))
    if settings_complete; then
        complete=$((complete + 1))
    else
        echo "run $i: settings file incomplete: $(od -c "$SETTINGS" 2>&1 | head -n 5)"
    fi
    [ "$status" = 0 ] || echo "run $i: $method after $delay ms: exit $status"
    [ $((i % 50)) = 0 ] && echo "$i runs: $ok exited 0, $complete left complete settings"
    i=$((i + 1))
done

echo "exit statuses of $RUNS runs:$(echo "$tally" | tr ' ' '\n' | grep . | sort | uniq -c |
    awk '{ printf " %s x%d", $2, $1 }')"
echo "exited 0: $ok of $RUNS; settings complete after $complete of $RUNS;" \
    "$((($(now_ms) - started) / RUNS)) ms a run"
if grep -q . "$WORK/app.log"; then
    echo "the program said (lines, most frequent first):"
    sort "$WORK/app.log" | uniq -c | sort -rn | head -n 5
fi
[ "$ok" = "$RUNS" ] && [ "$complete" = "$RUNS" ]
