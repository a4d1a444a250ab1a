#!/bin/sh
# The activation script on a real X server with a window manager: it raises the given
# program's windows, minimised ones too, above another program's, touches no other
# program's windows, and exits 0 quietly where it cannot work. Prints its time per run.
# Usage: sh activation_script.test.sh PACKAGE_DIR BUILD_DIR
set -u
script="$1/Resources/zkActiveteDorvane2.scpt"
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill -9 "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
fail() {
    echo "FAIL: $*"
    tail -n 20 "$work/log" 2>/dev/null
    exit 1
}
# Runs a program in the background and remembers its PID for the cleanup.
start() { "$@" >>"$work/log" 2>&1 & last=$!; pids="$pids $last"; }
# Waits up to twenty seconds for a command to succeed (a loaded machine is slow).
wait_until() {
    n=0
    until "$@" >/dev/null 2>&1; do
        n=$((n + 1)); [ "$n" -lt 400 ] || return 1
        sleep 0.05
    done
}
[ -f "$script" ] || fail "no script at $script"

# Xvfb picks a free display number itself, so servers started side by side never race.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >>"$work/log" 2>&1 &
pids="$pids $!"
wait_until test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
wait_until xdpyinfo || fail "Xvfb did not answer"
mkdir -p "$work/wm-home"
start env HOME="$work/wm-home" openbox --sm-disable
wait_until wmctrl -m || fail "openbox did not start"

# The program: an X client run from an absolute path with blanks and quotes in it.
program_dir="$work/my \"alarm\" clock's dir"
mkdir -p "$program_dir"
program="$program_dir/xmessage"
cp /usr/bin/xmessage "$program"

# A window of `name` (an xmessage -name), declared as the window of PID $2 the way Qt
# declares its own (xmessage itself sets no _NET_WM_PID).
window_of() {
    w=$(xdotool search --classname "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$w" ] && echo "$w"
}
show() {
    start "$2" -name "$1" -geometry 300x200+50+50 "$1"
    wait_until managed "$1" || fail "no managed window for $1"
    eval "pid_$1=$last"
}
declare_pid() { xprop -id "$(window_of "$1")" -f _NET_WM_PID 32c -set _NET_WM_PID "$2"; }
# Position in the window manager's stacking order, bottom first.
stack_position() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
        grep -n -x "$(printf '0x%x' "$(window_of "$1")")" | cut -d: -f1
}
managed() { [ -n "$(stack_position "$1")" ]; }
above() { [ "$(stack_position "$1")" -gt "$(stack_position "$2")" ]; }
state_of() { xprop -id "$(window_of "$1")" WM_STATE | sed -n 's/.*window state: //p'; }
is_normal() { [ "$(state_of "$1")" = Normal ]; }
is_iconic() { [ "$(state_of "$1")" = Iconic ]; }
bring_up() { xdotool windowactivate "$(window_of "$1")"; wait_until above "$1" "$2" || fail "cannot raise $1"; }

show alarm "$program"
declare_pid alarm "$pid_alarm"
show other /usr/bin/xmessage
declare_pid other "$pid_other"
bring_up other alarm

# Raised above the other program's window.
said=$(sh "$script" "$program" 2>&1) || fail "exit status $?"
[ -z "$said" ] || fail "the script said: $said"
wait_until above alarm other || fail "the program's window stayed below the other one"
echo "ok: raises the program's window"

# A minimised window comes back and comes up.
xdotool windowminimize "$(window_of alarm)"
wait_until is_iconic alarm || fail "cannot minimise"
bring_up other alarm
sh "$script" "$program" >/dev/null 2>&1 || fail "exit status $?"
wait_until is_normal alarm || fail "the minimised window did not come back"
wait_until above alarm other || fail "the restored window stayed below"
echo "ok: brings back a minimised window"

# No other program's window moves: not for this program, nor for one that is not running.
bring_up other alarm
sh "$script" "$work/not running" >/dev/null 2>&1 || fail "exit status $?"
sh "$script" "" >/dev/null 2>&1 || fail "exit status $?"
sleep 0.3
above other alarm || fail "a run for another program raised this program's window"
echo "ok: leaves other programs' windows alone"

# The program running the script itself, as it does: first as built, then after a
# rebuild, when its running binary reads "(deleted)". Here the program is a copy of sh
# that runs the script whenever told to, and the alarm window is declared as its own.
runner="$program_dir/runner"
cp "$(readlink -f /bin/sh)" "$runner"
mkfifo "$work/go"
# Each status line: the script's exit status and its time in nanoseconds.
start "$runner" -c 'while read go <"$1"; do
    t0=$(date +%s%N); sh "$2" "$3"; s=$?; t1=$(date +%s%N); echo "$s $((t1 - t0))" >>"$1.status"
done' sh "$work/go" "$script" "$runner"
declare_pid alarm "$last"
runner_pid=$last
median_ms() { tr ' ' '\n' | grep . | sort -n | sed -n 6p | awk '{ printf "%.1f", $1 / 1e6 }'; }
runs=0
ran() { [ "$(cat "$work/go.status" 2>/dev/null | wc -l)" -eq "$runs" ]; }
run_once_by_program() {
    echo go >"$work/go"
    runs=$((runs + 1))
    wait_until ran || fail "no run $runs"
    status=$(tail -n 1 "$work/go.status" | cut -d' ' -f1)
    [ "$status" = 0 ] || fail "exit status $status"
}
run_by_program() {
    bring_up other alarm
    run_once_by_program
    wait_until above alarm other || fail "$1: the program's window stayed below"
}
run_by_program "run by the program"
# Its time per run, the window already in front as while it rings.
runner_times_from=$((runs + 1))
for i in 1 2 3 4 5 6 7 8 9 10 11; do run_once_by_program; done
times=$(tail -n +"$runner_times_from" "$work/go.status" | cut -d' ' -f2 | tr '\n' ' ')
echo "activation script, run by the program: median $(echo "$times" | median_ms) ms of 11 runs"
rm "$runner" && cp "$(readlink -f /bin/sh)" "$runner"
case "$(readlink "/proc/$runner_pid/exe")" in *" (deleted)") ;; *) fail "not rebuilt" ;; esac
run_by_program "run by a rebuilt program"
declare_pid alarm "$pid_alarm"
echo "ok: finds the program that runs it, also after a rebuild"

# Quiet where it cannot work.
quiet() {
    said=$("$@" 2>&1) || fail "exit status $? from: $*"
    [ -z "$said" ] || fail "said \"$said\" from: $*"
}
quiet env -u DISPLAY sh "$script" "$program"
quiet env DISPLAY=:9999 sh "$script" "$program"
quiet env PATH=/nonexistent /bin/sh "$script" "$program"
quiet sh "$script"
echo "ok: exits 0 quietly without a display, an X server, wmctrl and xdotool, or a parameter"

# Time per run when another process runs it (the program found with pidof).
times=""
for i in 1 2 3 4 5 6 7 8 9 10 11; do
    t0=$(date +%s%N)
    sh "$script" "$program" >/dev/null 2>&1
    t1=$(date +%s%N)
    times="$times $((t1 - t0))"
done
echo "activation script, run by another process: median $(echo "$times" | median_ms) ms of 11 runs"
echo "(for scale, starting sh -c : takes $(t0=$(date +%s%N); sh -c :; t1=$(date +%s%N); echo $(((t1 - t0) / 1000))) us now)"
echo PASS
