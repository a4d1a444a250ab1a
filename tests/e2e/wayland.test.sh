#!/bin/sh
# On a Wayland desktop with Qt's Wayland plug-in installed: under GNOME's mutter and under
# weston, both headless, the program with nothing chosen runs through Xwayland (saved place,
# rings that raise it, the close writing the file back), and as a Wayland client it keeps
# the saved place as it was. The checks are wayland_session.sh's.
# Usage: wayland.test.sh PACKAGE_DIR BUILD_DIR
set -u
PACKAGE=$1
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/dorvane2-wayland.XXXXXX)
. "$HERE/desktop.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE

# Each compositor its own runtime folder, as a session has.
runtime() {
    mkdir -m 700 "$WORK/$1-run"
    mkdir "$WORK/$1"
    echo "$WORK/$1-run"
}

# mutter runs the checks as its child, with DISPLAY and WAYLAND_DISPLAY set; the checks
# leave a mark when they pass, whatever mutter makes of its child's status.
XDG_RUNTIME_DIR=$(runtime mutter) dbus-run-session -- \
    mutter --headless --wayland --virtual-monitor 1024x768 -- \
    sh -c 'sh "$1" "$2" "$3" mutter && touch "$3/passed"' sh "$HERE/wayland_session.sh" \
    "$PACKAGE" "$WORK/mutter" >"$WORK/mutter.log" 2>&1 &
PIDS="$PIDS $!"
wait "$!"
grep -E '^(mutter|FAIL)' "$WORK/mutter.log"
[ -e "$WORK/mutter/passed" ] || fail "under mutter: $(tail -n 20 "$WORK/mutter.log")"

# weston with Xwayland: its log names the X display.
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(runtime weston)
weston --backend=headless-backend.so --socket=dorvane2 --xwayland --width=1024 --height=768 \
    --idle-time=0 >"$WORK/weston.log" 2>&1 &
PIDS="$PIDS $!"
wait_for 'grep -q "xserver listening on display" "$WORK/weston.log"' 100 ||
    fail "weston did not start: $(cat "$WORK/weston.log")"
DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" | head -n 1)
export DISPLAY WAYLAND_DISPLAY=dorvane2
sh "$HERE/wayland_session.sh" "$PACKAGE" "$WORK/weston" weston || exit 1

echo "wayland: 1 passed, 0 failed"
