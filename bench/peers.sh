#!/bin/bash
# The peer benchmark: start-up, memory and idle CPU of the package beside the toolkit's
# floor and the peer desktop clocks installed here, measured the same way in one run on a
# private desktop (Xvfb 1280x1024 with openbox and a PulseAudio null sink).
#
#   bench/peers.sh [-r RUNS] [-s SETTLE_S] [-i IDLE_S] [-p PEER,...|none] [-B BUILD_DIR]
#                  [NAME=PACKAGE_DIR ...]
#   defaults: 5 runs, settle 5 s, idle 15 s, every peer, build/, Dorvane2=BUILD_DIR/Dorvane2.
#   Several NAME=PACKAGE_DIR measure builds side by side: before=OLD after=build/Dorvane2.
#
# Peers, by Debian package (one that is not installed is skipped with a line saying so):
#   xclock (x11-apps), alarm-clock-applet, ktimer, gnome-clocks
# The Qt floor is bench/desktop/qt_floor.cpp, built with the package: a Qt Widgets window
# of the same 281 x 179 content with a menu bar and Japanese labels in Noto Sans CJK JP.
#
# Each run gives the program a fresh HOME and XDG_RUNTIME_DIR, a private session bus and a
# clean environment, and starts it through bench_mapwait:
#   start-up  fork+exec until its first top-level window is viewable (X events, no polling)
#   memory    RSS, PSS and private dirty memory SETTLE_S after the window appeared. PSS
#             shares each page among the processes that map it, so it moves with what
#             else runs on the machine; RSS and the dirty pages (heap, stacks, library
#             data the process wrote) do not
#   idle CPU  CPU time of all its threads over the next IDLE_S seconds, as a share of one
#             core (a thread that ends meanwhile takes its time along: never below 0); likewise for the helper processes it caused to run (bus-activated
#             services), which its own figures leave out
# Every timed run follows an untimed launch of the same program, so start-ups are warm
# ones for all alike. Programs take turns run by run, so a change in the machine's load
# falls on all of them alike. Prints a Markdown table of medians; asserts nothing.
set -uo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/.." && pwd)
RUNS=5 SETTLE=5 IDLE=15 ONLY='' BUILD=$ROOT/build
usage() { sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts r:s:i:p:B:h opt; do
    case $opt in
    r) RUNS=$OPTARG ;; s) SETTLE=$OPTARG ;; i) IDLE=$OPTARG ;; p) ONLY=$OPTARG ;;
    B) BUILD=$OPTARG ;; *) usage ;;
    esac
done
shift $((OPTIND - 1))
PACKAGES=("$@")
[ ${#PACKAGES[@]} -gt 0 ] || PACKAGES=("Dorvane2=$BUILD/Dorvane2")

# name|Debian package|command
PEERS=(
    "xclock|x11-apps|xclock"
    "alarm-clock-applet|alarm-clock-applet|alarm-clock-applet"
    "ktimer|ktimer|ktimer"
    "gnome-clocks|gnome-clocks|gnome-clocks"
)

for tool in cmake Xvfb openbox pulseaudio dbus-daemon xdotool fc-match; do
    command -v $tool >/dev/null || { echo "peers: $tool is missing: run scripts/setup" >&2; exit 1; }
done
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target Dorvane2 bench_qt_floor bench_mapwait >/dev/null || exit 1
MAPWAIT=$BUILD/bench/bench_mapwait

# kind|name|command, in the order of the table; each package is compared with the floor.
PROGS=("floor|Qt floor|$BUILD/bench/bench_qt_floor")
for p in "${PACKAGES[@]}"; do
    dir=${p#*=}
    [ -x "$dir/bin/Dorvane2" ] || { echo "peers: no package in $dir" >&2; exit 1; }
    PROGS+=("package|${p%%=*}|$(cd "$dir" && pwd)/bin/Dorvane2")
done
SKIPPED=''
for peer in "${PEERS[@]}"; do
    IFS='|' read -r name package cmd <<<"$peer"
    if [ "$ONLY" = none ] || { [ -n "$ONLY" ] && [[ ",$ONLY," != *",$name,"* ]]; }; then continue; fi
    if ! command -v "$cmd" >/dev/null; then
        echo "peers: $name skipped: Debian package $package is not installed" >&2
        SKIPPED="$SKIPPED, $name ($package)"
        continue
    fi
    [ "$name" = "$package" ] || name="$name ($package)"
    PROGS+=("peer|$name|$cmd")
done

WORK=$(mktemp -d /tmp/dorvane2-peers.XXXXXX)
. "$ROOT/tests/e2e/desktop.sh"
LOG=$WORK/runs.tsv
RUNPID=''
TCK=$(getconf CLK_TCK)

# Every run has a fresh HOME: a system font cache older than its fonts would be rebuilt
# in each run, by every program alike, and swamp the figures.
mkdir -p "$WORK/fonts-home"
HOME="$WORK/fonts-home" fc-match sans >/dev/null 2>&1
[ -d "$WORK/fonts-home/.cache/fontconfig" ] &&
    echo "peers: the system font cache is out of date (fc-cache as root renews it); figures include rebuilding it" >&2

descendants() { # pids below $1, whatever their depth
    ps -e -o pid=,ppid= | awk -v r="$1" '{ p[$1] = $2 }
        END { for (x in p) { y = x; while ((y in p) && y != r && y > 1) y = p[y]; if (y == r && x != r) print x } }'
}
end_tree() { # ends $1 and everything below it: TERM, then KILL what is left
    local root=$1 pids i
    mapfile -t pids < <(descendants "$root")
    [ ${#pids[@]} -gt 0 ] && kill -TERM "${pids[@]}" 2>/dev/null
    for i in $(seq 30); do kill -0 "$root" 2>/dev/null || break; sleep 0.1; done
    mapfile -t pids < <(descendants "$root")
    [ ${#pids[@]} -gt 0 ] && kill -KILL "${pids[@]}" 2>/dev/null
    kill -KILL "$root" 2>/dev/null
    wait "$root" 2>/dev/null
}
finish() {
    [ -n "$RUNPID" ] && end_tree "$RUNPID"
    cleanup
}
trap finish EXIT

# CPU time of one process's threads in milliseconds (empty once it is gone): the
# scheduler's nanosecond count where the kernel shows it, else clock ticks.
cpu_ms() {
    [ -r "/proc/$1/stat" ] || return
    if [ -r "/proc/$1/sched" ]; then
        cat /proc/"$1"/task/*/sched 2>/dev/null | awk '$1 == "se.sum_exec_runtime" { s += $3 } END { printf "%.3f\n", s }'
    else
        sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk -v t="$TCK" '{ print ($12 + $13) * 1000 / t }'
    fi
}
kb() { awk -v k="$2" '$1 == k":" { print $2 }' "$1" 2>/dev/null; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# What the run started besides the program and its session bus.
helpers() {
    local p
    for p in $(descendants "$RUNPID"); do
        [ "$p" = "$1" ] && continue
        tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q '^dbus-daemon --session' && continue
        echo "$p"
    done
}

# measure NAME TIMED CMD: one run; a timed one appends a line to $LOG
measure() {
    local name=$1 timed=$2 cmd=$3
    local home=$WORK/home.$RANDOM res line ms wpid
    mkdir -p "$home/run" && chmod 700 "$home/run"
    res=$home/result
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME="$home" XDG_RUNTIME_DIR="$home/run" USER="$(id -un)" LOGNAME="$(id -un)" \
        SHELL=/bin/bash LANG=C.UTF-8 DISPLAY="$DISPLAY" PULSE_SERVER="$PULSE_SERVER" \
        "$MAPWAIT" -b 30000 "$res" "$cmd" >>"$WORK/program.log" 2>&1 &
    RUNPID=$!
    until [ -s "$res" ] || ! kill -0 "$RUNPID" 2>/dev/null; do sleep 0.02; done
    line=$(cat "$res" 2>/dev/null)
    read -r _ ms _ wpid <<<"$line"
    if [ -z "${wpid:-}" ]; then
        [ "$timed" = 1 ] && printf '%s\tFAIL\t%s\n' "$name" "${line:-no result}" >>"$LOG"
    elif [ "$timed" = 1 ]; then
        sleep "$SETTLE"
        local rss pss dirty h hp=() hpss=0 ha=() p0 p1 t0 t1 hc=0 i
        rss=$(kb "/proc/$wpid/smaps_rollup" Rss)
        pss=$(kb "/proc/$wpid/smaps_rollup" Pss)
        dirty=$(kb "/proc/$wpid/smaps_rollup" Private_Dirty)
        mapfile -t hp < <(helpers "$wpid")
        for h in "${hp[@]}"; do i=$(kb "/proc/$h/smaps_rollup" Pss); hpss=$((hpss + ${i:-0})); done
        for i in "${!hp[@]}"; do ha[i]=$(cpu_ms "${hp[i]}"); done
        p0=$(cpu_ms "$wpid") t0=$(now_ms)
        sleep "$IDLE"
        p1=$(cpu_ms "$wpid") t1=$(now_ms)
        for i in "${!hp[@]}"; do
            h=$(cpu_ms "${hp[i]}")
            [ -n "$h" ] && [ -n "${ha[i]}" ] && hc=$(awk -v a="$hc" -v b="$h" -v c="${ha[i]}" 'BEGIN { print (b > c ? a + b - c : a) }')
        done
        if [ -z "$p1" ] || [ -z "$pss" ]; then
            printf '%s\tFAIL\texited while idle\n' "$name" >>"$LOG"
        else
            # name start-up_ms rss_kB pss_kB dirty_kB cpu_ms wall_ms helpers helpers_pss_kB helpers_cpu_ms
            printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$name" "$ms" "$rss" "$pss" "$dirty" \
                "$(awk -v a="$p0" -v b="$p1" 'BEGIN { print (b > a ? b - a : 0) }')" $((t1 - t0)) "${#hp[@]}" "$hpss" "$hc" >>"$LOG"
        fi
    fi
    end_tree "$RUNPID"
    RUNPID=''
    rm -rf "$home"
}

LOAD_START=$(cut -d' ' -f1-3 /proc/loadavg)
HOME=$WORK start_display
HOME=$WORK start_audio
for _ in $(seq "$RUNS"); do
    for prog in "${PROGS[@]}"; do
        IFS='|' read -r _ name cmd <<<"$prog"
        measure "$name" 0 "$cmd"
        measure "$name" 1 "$cmd"
    done
done

cpu=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)
echo "Measured $(date '+%Y-%m-%d %H:%M') on $cpu ($(nproc) cores, $(awk '/MemTotal/ { printf "%.0f", $2 / 1048576 }' /proc/meminfo) GiB RAM),"
echo "$(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r), Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null | cut -d+ -f1):"
echo "Xvfb with openbox and a PulseAudio null sink, medians of $RUNS warm runs taken in turns, memory"
echo "${SETTLE} s after the window appeared, CPU over the next ${IDLE} s; load average $LOAD_START at the start,"
echo "$(cut -d' ' -f1-3 /proc/loadavg) at the end."
echo
printf '%s\n' "${PROGS[@]}" | cut -d'|' -f1,2 >"$WORK/order"
awk -F'\t' '
function med(s,   a, n, i, j, t) {
    n = split(s, a, " ")
    for (i = 2; i <= n; i++) { t = a[i] + 0; for (j = i - 1; j > 0 && a[j] + 0 > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    lo = a[1]; hi = a[n]
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
FILENAME ~ /order$/ { split($0, f, "|"); kind[++n] = f[1]; names[n] = f[2]; next }
$2 == "FAIL" { fail[$1]++; why[$1] = $3; next }
{
    ok[$1]++; ms[$1] = ms[$1] " " $2; rss[$1] = rss[$1] " " $3 / 1024; pss[$1] = pss[$1] " " $4 / 1024
    dirty[$1] = dirty[$1] " " $5 / 1024; cpu[$1] = cpu[$1] " " 100 * $6 / $7
    hn[$1] = hn[$1] " " $8; hp[$1] = hp[$1] " " $9 / 1024; hc[$1] = hc[$1] " " 100 * $10 / $7
}
END {
    print "| program | start-up | RSS | PSS | private dirty | CPU while idle | helpers: PSS, CPU |"
    print "|---|---|---|---|---|---|---|"
    for (k = 1; k <= n; k++) {
        p = names[k]
        if (!ok[p]) { printf "| %s | failed in %d runs: %s | | | | | |\n", p, fail[p], why[p]; continue }
        start[p] = med(ms[p]); range = sprintf("%.0f ms (%.0f–%.0f)", start[p], lo, hi)
        mem[p] = med(pss[p]); own[p] = med(dirty[p])
        helper = med(hn[p]) > 0 ? sprintf("%.1f MiB, %.2f %%", med(hp[p]), med(hc[p])) : ""
        printf "| %s | %s | %.1f MiB | %.1f MiB | %.1f MiB | %.3f %% | %s |%s\n", p, range, med(rss[p]),
            mem[p], own[p], med(cpu[p]), helper, fail[p] ? sprintf(" %d runs failed: %s", fail[p], why[p]) : ""
    }
    print ""
    for (k = 1; k <= n; k++) {
        p = names[k]
        if (kind[k] != "package" || !ok[p] || !ok[names[1]]) continue
        printf "%s against the floor: start-up %.2f× (%+.0f ms), PSS %.3f× (%+.1f MiB), private dirty %+.1f MiB.\n",
            p, start[p] / start[names[1]], start[p] - start[names[1]], mem[p] / mem[names[1]],
            mem[p] - mem[names[1]], own[p] - own[names[1]]
    }
}' "$WORK/order" "$LOG"
[ -z "$SKIPPED" ] || echo "Not installed here, so not measured: ${SKIPPED#, }."
