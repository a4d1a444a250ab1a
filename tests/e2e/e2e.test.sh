#!/bin/sh
# The real package on a real desktop: Xvfb with openbox, PulseAudio's null sink and a
# faked wall clock. Usage: e2e.test.sh PACKAGE_DIR BUILD_DIR
set -u
PACKAGE=$1
ARTEFACTS=$2/e2e
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/dorvane2-e2e.XXXXXX)
. "$HERE/desktop.sh"
mkdir -p "$ARTEFACTS"

export TZ=UTC LANG=C.UTF-8
APP_HOME="$WORK/home"
SETTINGS="$APP_HOME/Documents/Dorvane2appData"
mkdir -p "$APP_HOME/Documents"

start_display
start_audio

# The client area's upper-left corner on the screen, its width and height: "X Y W H".
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# The three roads out, each as a user takes it; each must end with exit status 0.
# Ctrl+Q: quit_app (desktop.sh).
# The title bar's close button: with openbox's theme here, 10 px left of the client
# area's right edge and 10 px above its top.
close_app() {
    set -- $(window_geometry "$WINDOW")
    xdotool windowactivate --sync "$WINDOW" mousemove $(($1 + $3 - 10)) $(($2 - 10)) click 1
    expect_exit_0
}

# File › 終了: a click on the menu's title at the left of the menu bar, then on its item.
menu_quit_app() {
    set -- $(window_geometry "$WINDOW")
    xdotool windowactivate --sync "$WINDOW" mousemove $(($1 + 20)) $(($2 + 11)) click 1
    wait_for '[ "$(xdotool search --onlyvisible --pid "$APP" | wc -l)" -ge 2 ]' 50 ||
        fail "the File menu did not open"
    for w in $(xdotool search --onlyvisible --pid "$APP"); do
        [ "$w" = "$WINDOW" ] && continue
        set -- $(window_geometry "$w")
        xdotool mousemove $(($1 + 30)) $(($2 + $4 / 2)) click 1
    done
    expect_exit_0
}

ring_count() { python3 "$HERE/rings.py" "$1" | wc -l; }

# A duration of 30 minutes: were Escape to press "set", the alarm would become 7:30.
settings_with() { # top left
    printf 'h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n30\nsound_res\n0\nwindow_top\n%s\nwindow_left\n%s' "$1" "$2"
}

# 1. A run: the window, the start-up ring, silence, ten soft rings, loud rings, Escape
# snoozes and leaves the alarm as it was.
settings_with 200 300 >"$SETTINGS"
start_recording "$WORK/rings.raw"
start_app "2026-12-10 06:59:50"
geometry=$(xwininfo -id "$WINDOW")
echo "$geometry" | grep -q "Width: 281" || fail "window width: $geometry"
title=$(xprop -id "$WINDOW" WM_NAME)
[ "$title" = 'WM_NAME(STRING) = "   "' ] || [ "$title" = 'WM_NAME(UTF8_STRING) = "   "' ] ||
    fail "title: $title"
import -window root "$ARTEFACTS/window.png"

wait_for '[ "$(ring_count "$WORK/rings.raw")" -ge 13 ]' 400 || fail "rings: $(python3 "$HERE/rings.py" "$WORK/rings.raw")"
xdotool windowactivate --sync "$WINDOW" key Escape
sleep 1.5
stop_recording
python3 "$HERE/rings.py" "$WORK/rings.raw" >"$ARTEFACTS/rings.txt"
python3 - "$ARTEFACTS/rings.txt" <<'PY' || fail "ring levels: $(cat "$ARTEFACTS/rings.txt")"
import sys
levels = [float(line.split()[1]) for line in open(sys.argv[1])]
start_up, soft, loud = levels[0], levels[1:11], levels[11:]
ratio = (sum(loud) / len(loud)) / (sum(soft) / len(soft))
print(f"start-up {start_up:.0f}, soft {min(soft):.0f}-{max(soft):.0f}, loud {min(loud):.0f}-{max(loud):.0f}, ratio {ratio:.2f}")
assert len(soft) == 10 and len(loud) >= 2, levels
assert max(soft) < min(loud) / 3, "soft rings are not soft"
assert abs(start_up - sum(loud) / len(loud)) < 0.1 * start_up, "start-up ring not at full volume"
assert 4.5 <= ratio <= 5.5, ratio
PY
# Snoozed: nothing more for a while.
start_recording "$WORK/snooze.raw"
sleep 2.5
stop_recording
[ "$(ring_count "$WORK/snooze.raw")" = 0 ] || fail "rang while snoozing"

position=$(xwininfo -id "$WINDOW" | grep -E 'Absolute upper-left [XY]')
quit_app
expected=$(settings_with 200 300)
[ "$(cat "$SETTINGS")" = "$expected" ] || fail "settings after the first run: $(od -c "$SETTINGS")"

# 2. A second run puts the window where it was and writes the same bytes (no creep); the
# close button ends it.
cp "$SETTINGS" "$WORK/first"
start_app "2026-12-10 12:00:00"
[ "$(xwininfo -id "$WINDOW" | grep -E 'Absolute upper-left [XY]')" = "$position" ] ||
    fail "window moved: $position"
close_app
cmp -s "$SETTINGS" "$WORK/first" || fail "settings changed: $(od -c "$SETTINGS")"

# 3. A saved top of 5 is rejected: the window opens at the saved left and, from top to
# bottom, where a new window opens (centred on the screen, its title bar on it); File ›
# 終了 ends it and the position is saved.
settings_with 5 100 >"$SETTINGS"
start_app "2026-12-10 12:00:00"
set -- $(window_geometry "$WINDOW")
screen_height=$(xdpyinfo | awk '/dimensions:/ {split($2, size, "x"); print size[2]}')
[ "$1" = 100 ] || fail "left after a rejected top: $1"
offset=$((2 * $2 + $4 - screen_height))
[ "$offset" -ge -2 ] && [ "$offset" -le 2 ] || fail "top after a rejected top: $2 of $screen_height"
menu_quit_app
[ "$(sed -n '/^window_left$/{n;p;}' "$SETTINGS")" = 100 ] &&
    [ "$(sed -n '/^window_top$/{n;p;}' "$SETTINGS")" -gt 5 ] ||
    fail "settings after File › 終了: $(od -c "$SETTINGS")"

# 4. A malformed file: the window opens and rings once, the message appears by itself,
# a key dismisses it, the program exits 0 and the file keeps every byte.
printf 'h_data\n7\nm_data' >"$SETTINGS"
cp "$SETTINGS" "$WORK/malformed"
start_recording "$WORK/malformed.raw"
start_app "2026-12-10 12:00:00"
wait_for '[ "$(xdotool search --onlyvisible --pid "$APP" | wc -l)" -ge 2 ]' 100 ||
    wait_for '! xdotool search --onlyvisible --pid "$APP" | grep -qx "$WINDOW"' 1 ||
    fail "no message appeared"
wait_for '[ "$(ring_count "$WORK/malformed.raw")" -ge 1 ]' 100 || fail "malformed file: no start-up ring"
sleep 1 # the ring plays out before the program ends
for w in $(xdotool search --onlyvisible --pid "$APP"); do
    [ "$w" = "$WINDOW" ] || { xdotool windowactivate --sync "$w" key Return; break; }
done
expect_exit_0
stop_recording
[ "$(ring_count "$WORK/malformed.raw")" = 1 ] || fail "malformed file: rings $(ring_count "$WORK/malformed.raw")"
cmp -s "$SETTINGS" "$WORK/malformed" || fail "malformed file changed"

# 5. The desktop's other ends: a logout's or shutdown's SIGTERM, a closed terminal's
# SIGHUP and Ctrl+C's SIGINT each close the window, which saves where it was moved to.
client_position() { # the window's X then Y on screen
    xwininfo -id "$WINDOW" | sed -n 's/^ *Absolute upper-left [XY]: *//p' | tr '\n' ' '
}
for signal in TERM HUP INT; do
    settings_with 200 300 >"$SETTINGS"
    start_app "2026-12-10 12:00:00"
    set -- $(client_position)
    x0=$1 y0=$2
    xdotool windowmove --sync "$WINDOW" 420 260
    set -- $(client_position)
    [ "$1" != "$x0" ] && [ "$2" != "$y0" ] || fail "SIG$signal: the window did not move"
    sleep 0.5 # the program takes in its new place
    kill -s "$signal" "$APP"
    expect_exit_0
    expected=$(settings_with $((200 + $2 - y0)) $((300 + $1 - x0)))
    [ "$(cat "$SETTINGS")" = "$expected" ] || fail "SIG$signal: settings $(od -c "$SETTINGS")"
done

echo "e2e: 1 passed, 0 failed"
