#!/bin/sh
# The checks of wayland.test.sh, run inside a Wayland compositor: WAYLAND_DISPLAY and
# XDG_RUNTIME_DIR are its own, DISPLAY its Xwayland. Passes or fails through its status.
# Usage: wayland_session.sh PACKAGE_DIR WORK COMPOSITOR (mutter or weston)
set -u
PACKAGE=$1
WORK=$2
COMPOSITOR=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/desktop.sh"
trap - EXIT # wayland.test.sh clears up; this only stops what it started
trap 'for pid in $PIDS; do kill "$pid" 2>/dev/null; done' EXIT

export TZ=UTC LANG=C.UTF-8
APP_HOME="$WORK/home-$COMPOSITOR"
SETTINGS="$APP_HOME/Documents/Dorvane2appData"
mkdir -p "$APP_HOME/Documents"
start_audio

settings_with() { # top left
    printf 'h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n%s\nwindow_left\n%s' "$1" "$2"
}
# Which of Qt's platforms the program runs on, from the plug-in it loaded.
platform_of() {
    grep -o -m 1 -E 'libq(xcb|wayland-generic)\.so' "/proc/$1/maps" | sed 's/libq//; s/-generic//; s/\.so//'
}
# The start-up ring has been played: Open has run to its end.
opened() { pactl list clients | grep -q 'application.name = "Dorvane2"'; }
stack_position() { # the window's place in the stacking order, bottom first
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
        grep -n -x "$(printf '0x%x' "$1")" | cut -d: -f1
}
above() { [ "$(stack_position "$1")" -gt "$(stack_position "$2")" ]; }

# (a) Nothing chosen, Xwayland there: an X11 window at the saved place, raised by the rings
# over another program's X11 window, and the close writes the file back byte for byte.
settings_with 200 300 >"$SETTINGS"
cp "$SETTINGS" "$WORK/saved"
start_app "2026-12-10 06:59:56"
[ "$(platform_of "$APP")" = xcb ] || fail "$COMPOSITOR, nothing chosen: runs on $(platform_of "$APP")"
set -- $(xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left [XY]: *//p')
echo "$COMPOSITOR, Xwayland: saved 200 300, window at $1,$2"
# weston's own X window manager places X windows where it likes and keeps no stacking
# list: the place to the pixel and the raise are measured under mutter.
if [ "$COMPOSITOR" = mutter ]; then
    [ "$1" = 300 ] || fail "left $1, saved 300"
    xmessage -geometry 400x300+250+150 "another program" &
    PIDS="$PIDS $!"
    wait_for 'OTHER=$(xdotool search --classname "^xmessage$" | head -n 1); [ -n "$OTHER" ] && stack_position "$OTHER"' 100 ||
        fail "no other window"
    xdotool windowactivate --sync "$OTHER"
    wait_for 'above "$OTHER" "$WINDOW"' 50 || fail "the other window is not on top"
    wait_for 'above "$WINDOW" "$OTHER"' 150 || fail "no ring raised the window"
    echo "$COMPOSITOR, Xwayland: a ring raised the window over another program's"
fi
kill -TERM "$APP"
expect_exit_0
cmp -s "$SETTINGS" "$WORK/saved" || fail "$COMPOSITOR, Xwayland: settings $(od -c "$SETTINGS")"
echo "$COMPOSITOR, Xwayland: after the close 200 300 (byte for byte)"

# (b) A Wayland client, with no X display or by the user's choice: it runs and ends on
# SIGTERM with status 0; the saved place stays as it was while the other values save (the
# sound 9, which is no row, becomes 0; the two duration keys are added).
for how in "no X display" "QT_QPA_PLATFORM=wayland"; do
    printf 'h_data\n7\nm_data\n00\nsound_res\n9\nwindow_top\n200\nwindow_left\n300' >"$SETTINGS"
    if [ "$how" = "no X display" ]; then
        HOME="$APP_HOME" env -u DISPLAY "$PACKAGE/bin/Dorvane2" >>"$WORK/app.log" 2>&1 &
    else
        HOME="$APP_HOME" QT_QPA_PLATFORM=wayland "$PACKAGE/bin/Dorvane2" >>"$WORK/app.log" 2>&1 &
    fi
    APP=$!
    PIDS="$PIDS $APP"
    wait_for opened 100 || fail "$COMPOSITOR, $how: the window did not open"
    [ "$(platform_of "$APP")" = wayland ] ||
        fail "$COMPOSITOR, $how: runs on $(platform_of "$APP")"
    [ -z "$(xdotool search --pid "$APP" 2>/dev/null)" ] || fail "$COMPOSITOR, $how: an X11 window"
    kill -TERM "$APP"
    expect_exit_0
    printf 'h_data\n7\nm_data\n00\nsound_res\n0\nwindow_top\n200\nwindow_left\n300\nh_timer\n\nm_timer\n' \
        >"$WORK/expected"
    cmp -s "$SETTINGS" "$WORK/expected" || fail "$COMPOSITOR, $how: settings $(od -c "$SETTINGS")"
    echo "$COMPOSITOR, Wayland ($how): after the close $(sed -n '/^window_top$/{n;p;}' "$SETTINGS") $(sed -n '/^window_left$/{n;p;}' "$SETTINGS")"
done
