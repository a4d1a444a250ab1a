#!/bin/bash
# Where the package's memory above the Qt floor goes: the floor window and the package,
# each started with a fresh HOME on a private desktop (Xvfb with openbox and a PulseAudio
# null sink), their /proc/PID/smaps taken SETTLE_S after the window appeared, summed by
# mapping (a library, the heap, a font file, ...) and told apart, as medians of RUNS runs
# taken in turns. RSS does not depend on what else runs on the machine; PSS shares each
# page among the processes that map it, so it moves with the other programs. Prints a
# Markdown table of the mappings whose RSS or PSS differs by 16 KiB or more.
#   bench/above_floor.sh [PACKAGE_DIR] [RUNS] [SETTLE_S]      (defaults: build/Dorvane2, 3, 5)
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/.." && pwd)
PACKAGE=$(cd "${1:-$ROOT/build/Dorvane2}" && pwd)
RUNS=${2:-3}
SETTLE=${3:-5}
FLOOR=$ROOT/build/bench/bench_qt_floor
cmake --build "$ROOT/build" --target bench_qt_floor >/dev/null || exit 1

WORK=$(mktemp -d /tmp/dorvane2-above-floor.XXXXXX)
. "$ROOT/tests/e2e/desktop.sh"
HOME=$WORK start_display
HOME=$WORK start_audio

# snapshot NAME CMD: the program's smaps, SETTLE_S after its window appeared, appended to
# $WORK/NAME with a line "run" before each
snapshot() {
    local home=$WORK/home.$1.$RANDOM pid
    mkdir -p "$home/run" && chmod 700 "$home/run"
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" LANG=C.UTF-8 \
        DISPLAY="$DISPLAY" PULSE_SERVER="$PULSE_SERVER" "$2" >"$WORK/$1.log" 2>&1 &
    pid=$!
    PIDS="$PIDS $pid"
    wait_for "xdotool search --onlyvisible --pid $pid" 100 || fail "$1 showed no window"
    sleep "$SETTLE"
    { echo run; cat "/proc/$pid/smaps"; } >>"$WORK/$1"
    kill "$pid"
    wait "$pid" 2>/dev/null
    rm -rf "$home"
}
for _ in $(seq "$RUNS"); do
    snapshot floor "$FLOOR"
    snapshot package "$PACKAGE/bin/Dorvane2"
done

echo "| mapping | RSS: floor | package | difference | PSS: floor | package | difference |"
echo "|---|---|---|---|---|---|---|"
awk -v runs="$RUNS" '
function med(side, what, name,   a, i, j, t) {
    for (i = 1; i <= runs; i++) a[i] = v[side, what, name, i] + 0
    for (i = 2; i <= runs; i++) { t = a[i]; for (j = i - 1; j > 0 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return runs % 2 ? a[(runs + 1) / 2] : (a[runs / 2] + a[runs / 2 + 1]) / 2
}
FNR == 1 { side = FILENAME ~ /floor$/ ? "f" : "p"; run = 0 }
$1 == "run" { run++; next }
/^[0-9a-f]+-[0-9a-f]+ / { n = split($6, part, "/"); name = $6 == "" ? "[anonymous]" : part[n]; names[name] = 1; next }
$1 == "Rss:" || $1 == "Pss:" { v[side, $1, name, run] += $2; v[side, $1, "all", run] += $2 }
END {
    names["all"] = 1
    for (name in names) {
        rf = med("f", "Rss:", name); rp = med("p", "Rss:", name)
        pf = med("f", "Pss:", name); pp = med("p", "Pss:", name)
        if (name != "all" && rp - rf < 16 && rp - rf > -16 && pp - pf < 16 && pp - pf > -16) continue
        printf "%d\t| %s | %d KiB | %d KiB | %+d KiB | %d KiB | %d KiB | %+d KiB |\n", name == "all" ? 1e9 : rf - rp,
            name, rf, rp, rp - rf, pf, pp, pp - pf
    }
}' "$WORK/floor" "$WORK/package" | sort -n | cut -f2-
