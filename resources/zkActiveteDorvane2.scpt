#!/bin/sh
# Brings the windows of the running program to the front on X11.
# $1: the program's executable, as an absolute path. Runs once a second while the alarm
# rings, so it stays cheap; where it cannot do its work it exits 0 and says nothing.

exe=$1
[ -n "$exe" ] && [ -n "${DISPLAY:-}" ] || exit 0
command -v xdotool >/dev/null 2>&1 || exit 0

# Usually the program itself runs this script: its process is the parent (a test
# builtin, no process started). Otherwise pidof finds it by the executable's path; after
# a rebuild the running binary reads "PATH (deleted)" and only the parent can be it.
if [ "/proc/$PPID/exe" -ef "$exe" ]; then
    pids=$PPID
else
    pids=$(pidof "$exe" 2>/dev/null)
    if [ -z "$pids" ] && [ "$(readlink "/proc/$PPID/exe" 2>/dev/null)" = "$exe (deleted)" ]; then
        pids=$PPID
    fi
fi

for pid in $pids; do
    # Without --onlyvisible: a minimised window must come back too.
    for window in $(xdotool search --pid "$pid" 2>/dev/null); do
        xdotool windowactivate "$window" >/dev/null 2>&1
    done
done
exit 0
