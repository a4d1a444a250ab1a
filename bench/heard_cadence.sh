#!/bin/sh
# The ring cadence as the sound server hears it: the real package on Xvfb with openbox,
# its real activation script, ringing RINGS times into a null sink whose monitor is
# recorded; the onsets are found in the recording to the sample.
#   bench/heard_cadence.sh [-s pulseaudio|pipewire] [-n RINGS] [-r ROUNDS] [-v] [PACKAGE_DIR ...]
# Defaults: PulseAudio, 60 rings, 1 round, build/Dorvane2. With several packages (an old
# build beside a new one) each round runs them in turn on the same desktop and server.
# Prints, per run, the rings heard, the spacing of their onsets (mean, min, max, worst
# deviation from 1000 ms) and how far each onset lies from a steady beat fitted through
# them all: the spread of the delay from ring tick to sound. Where bench_heard_clock is
# built it records instead of parec, and the delay itself is printed too: from the
# activation script's start (the ring tick, about a millisecond on) to the sound, timed
# by the server's own timing of the recording. -v adds every spacing and delay. Asserts
# nothing.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
SERVER=pulseaudio RINGS=60 ROUNDS=1 VERBOSE=0
while getopts s:n:r:v option; do
    case $option in
    s) SERVER=$OPTARG ;;
    n) RINGS=$OPTARG ;;
    r) ROUNDS=$OPTARG ;;
    v) VERBOSE=1 ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || set -- "$HERE/../build/Dorvane2"
CLOCK=$HERE/../build/bench/bench_heard_clock
PACKAGES=""
for package in "$@"; do PACKAGES="$PACKAGES $(cd "$package" && pwd)"; done

WORK=$(mktemp -d /tmp/dorvane2-heard.XXXXXX)
. "$HERE/../tests/e2e/desktop.sh"
export TZ=UTC LANG=C.UTF-8
start_display
case $SERVER in
pulseaudio) start_audio ;;
pipewire) start_pipewire ;;
*) fail "no server $SERVER" ;;
esac
echo "$RINGS rings on $SERVER's null sink, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# One run: the start-up ring, then the alarm from 07:00:01 (faked wall clock) on.
run() {
    PACKAGE=$1
    APP_HOME="$WORK/home"
    rm -rf "$APP_HOME" && mkdir -p "$APP_HOME/Documents"
    printf 'h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n200\nwindow_left\n300' \
        >"$APP_HOME/Documents/Dorvane2appData"
    rm -f "$WORK"/rings.*
    if [ -x "$CLOCK" ]; then
        "$CLOCK" "$PACKAGE/Resources/zkActiveteDorvane2.scpt" "$WORK/rings" &
        RECORDER=$!
        PIDS="$PIDS $RECORDER"
    else
        start_recording "$WORK/rings.raw"
    fi
    start_app "2026-12-10 06:59:57"
    sleep $((4 + RINGS))
    stop_recording
    quit_app
    python3 "$HERE/../tests/e2e/rings.py" "$WORK/rings.raw" | python3 -c '
import sys
rings, verbose = int(sys.argv[1]), sys.argv[2] == "1"
found = [line.split() for line in sys.stdin]
onsets = [float(at) * 1000 for at, _ in found[1:]][:rings]  # after the start-up ring
levels = [float(level) for _, level in found[1:]][:rings]
print(f"  rings heard: {len(onsets)} of {rings}", end="")
if len(onsets) < 3:
    sys.exit(print())
soft = [i for i, level in enumerate(levels) if level < max(levels) / 3]
print(f" ({len(soft)} soft, then loud)")
spacing = [b - a for a, b in zip(onsets, onsets[1:])]
worst = max(abs(s - 1000) for s in spacing)
print(f"  onset spacing: mean {sum(spacing) / len(spacing):.2f} ms, min {min(spacing):.1f},"
      f" max {max(spacing):.1f}, worst deviation {worst:.1f} ms")
n = len(onsets)
mid, mean = (n - 1) / 2, sum(onsets) / n
slope = sum((i - mid) * (t - mean) for i, t in enumerate(onsets)) / sum((i - mid) ** 2 for i in range(n))
off = [t - (mean + slope * (i - mid)) for i, t in enumerate(onsets)]
line = f"  delay about a steady beat of {slope:.2f} ms: {min(off):+.1f} to {max(off):+.1f} ms"
if soft and soft[-1] + 1 < n:
    first_loud = soft[-1] + 1
    line += f"; ring {first_loud + 1}, the first loud one: {off[first_loud]:+.1f} ms"
print(line)
if verbose:
    print("  spacing:", " ".join(f"{s:.1f}" for s in spacing))
try:
    clock = [tuple(map(int, line.split())) for line in open(sys.argv[3] + ".clock")]
    ticks = [int(line) / 1000 for line in open(sys.argv[3] + ".ticks")][:n]
except (OSError, ValueError):
    sys.exit()
def origin(ms):  # the time of the first sample, by the reads of the next 100 ms
    frame = ms * 44.1
    near = sorted(o for f, o in clock if frame <= f <= frame + 4410)
    return near[len(near) // 2] / 1000 if near else float("nan")
if len(ticks) == n:
    delay = [origin(t) + t - tick for t, tick in zip(onsets, ticks)]
    print(f"  delay from tick to sound: mean {sum(delay) / n:.1f} ms, min {min(delay):.1f},"
          f" max {max(delay):.1f}")
    if verbose:
        print("  delays:", " ".join(f"{d:.1f}" for d in delay))
else:
    print(f"  delay from tick to sound: {len(ticks)} ticks seen for {n} rings")
' "$RINGS" "$VERBOSE" "$WORK/rings"
}

round=1
while [ "$round" -le "$ROUNDS" ]; do
    for package in $PACKAGES; do
        echo "$package (round $round):"
        run "$package"
    done
    round=$((round + 1))
done
