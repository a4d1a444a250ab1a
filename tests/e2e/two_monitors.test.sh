#!/bin/sh
# A place saved on a second monitor: kept to the pixel while that monitor is there, and on
# the first one, wholly visible, once it is gone; the next close and start keep that place.
# Two monitors are Xvfb's one screen cut in two with xrandr --setmonitor, which Qt takes
# as two screens. Usage: two_monitors.test.sh PACKAGE_DIR BUILD_DIR
set -u
PACKAGE=$1
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(mktemp -d /tmp/dorvane2-monitors.XXXXXX)
trap 'rm -rf "$ROOT"' EXIT
trap 'exit 1' INT TERM HUP

export TZ=UTC LANG=C.UTF-8
APP_HOME="$ROOT/home"
SETTINGS="$APP_HOME/Documents/Dorvane2appData"
mkdir -p "$APP_HOME/Documents"

settings_with() { # top left
    printf 'h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n%s\nwindow_left\n%s' "$1" "$2"
}
saved() { sed -n "/^$1\$/{n;p;}" "$SETTINGS"; }

# The window's frame on the screen, from the client area and the frame openbox gives it:
# "X Y W H".
frame_geometry() {
    extents=$(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    xwininfo -id "$WINDOW" | awk -v e="$extents" '
        BEGIN {split(e, m, " ")} # left, right, top, bottom
        /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2}
        END {print x - m[1], y - m[3], w + m[1] + m[2], h + m[3] + m[4]}'
}
client_x() { xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left X: *//p'; }

# Whether the frame lies wholly inside the rectangle "X Y W H".
frame_inside() {
    set -- $(frame_geometry) "$@"
    [ "$1" -ge "$5" ] && [ "$2" -ge "$6" ] && [ $(($1 + $3)) -le $(($5 + $7)) ] &&
        [ $(($2 + $4)) -le $(($6 + $8)) ]
}
expect_frame_inside() {
    frame_inside "$@" || fail "frame $(frame_geometry) not inside $*"
}

# 1. Two monitors side by side: 1024x768, and 1280x1024 to its right.
(
    WORK=$(mktemp -d "$ROOT/desktop.XXXXXX")
    . "$HERE/desktop.sh"
    start_display 2304x1024
    xrandr --setmonitor FIRST 1024/271x768/203+0+0 screen >/dev/null
    xrandr --setmonitor SECOND 1280/339x1024/271+1024+0 none >/dev/null
    [ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "$(xrandr --listmonitors)"

    # A place on the second monitor opens there to the pixel; the close writes it back.
    settings_with 200 1500 >"$SETTINGS"
    cp "$SETTINGS" "$ROOT/on-second"
    start_app
    [ "$(client_x)" = 1500 ] || fail "left on the second monitor: $(client_x)"
    expect_frame_inside 1024 0 1280 1024
    quit_app
    cmp -s "$SETTINGS" "$ROOT/on-second" || fail "settings changed: $(od -c "$SETTINGS")"

    # Mostly on the second monitor, across the edge between them: onto the second, which
    # only happens where Qt sees two screens.
    settings_with 200 924 >"$SETTINGS"
    start_app
    expect_frame_inside 1024 0 1280 1024
    set -- $(frame_geometry)
    [ "$1" = 1024 ] || fail "frame across the monitors' edge moved to $1, not 1024"
    quit_app
    echo "across the edge: left 924 opened at $(saved window_left)"

    # The second monitor goes while the alarm is set: the first ring shows the window wholly
    # on the first monitor.
    cp "$ROOT/on-second" "$SETTINGS"
    start_app "2026-12-10 06:59:55"
    expect_frame_inside 1024 0 1280 1024
    xrandr --delmonitor SECOND >/dev/null
    # openbox itself brings back no more than a corner of it.
    sleep 1
    ! frame_inside 0 0 1024 768 || fail "wholly on the first monitor before the ring"
    wait_for 'frame_inside 0 0 1024 768' 100 ||
        fail "the ring did not bring the window onto the first monitor: $(frame_geometry)"
    quit_app
    echo "unplugged while set: rang at $(saved window_top) $(saved window_left)"
) || exit 1

# 2. The first monitor alone, as a laptop away from its desk: the settings saved on the
# second open the window wholly on the first; the next close and start keep that place.
cp "$ROOT/on-second" "$SETTINGS"
(
    WORK=$(mktemp -d "$ROOT/desktop.XXXXXX")
    . "$HERE/desktop.sh"
    start_display 1024x768
    start_app
    expect_frame_inside 0 0 1024 768
    position=$(xwininfo -id "$WINDOW" | grep -E 'Absolute upper-left [XY]')
    quit_app
    [ "$(saved window_top)" = 200 ] || fail "top after the move: $(saved window_top)"
    echo "first monitor alone: 200 1500 opened at $(saved window_top) $(saved window_left)"

    cp "$SETTINGS" "$ROOT/moved"
    start_app
    [ "$(xwininfo -id "$WINDOW" | grep -E 'Absolute upper-left [XY]')" = "$position" ] ||
        fail "the next start moved the window from $position"
    quit_app
    cmp -s "$SETTINGS" "$ROOT/moved" || fail "settings crept: $(od -c "$SETTINGS")"
) || exit 1

echo "two_monitors: 1 passed, 0 failed"
