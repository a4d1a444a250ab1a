#!/bin/sh
# Rings are heard while a slow activation script holds up the UI thread: a copy of the
# package whose script takes 1.5 s, ringing on a real desktop with PulseAudio's null sink.
# Usage: slow_activation.test.sh PACKAGE_DIR BUILD_DIR
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/dorvane2-slow.XXXXXX)
. "$HERE/desktop.sh"

export TZ=UTC LANG=C.UTF-8
PACKAGE="$WORK/package"
cp -a "$1" "$PACKAGE"
printf 'sleep 1.5\n' >"$PACKAGE/Resources/zkActiveteDorvane2.scpt"
APP_HOME="$WORK/home"
mkdir -p "$APP_HOME/Documents"
printf 'h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n200\nwindow_left\n300' \
    >"$APP_HOME/Documents/Dorvane2appData"

start_display
start_audio
ring_count() { python3 "$HERE/rings.py" "$WORK/rings.raw" | wc -l; }

# The start-up ring, then the alarm from 07:00:01 on: a ring every 1.5 s, the script's
# time. Six rings after the start-up one take about 9 s.
start_recording "$WORK/rings.raw"
start_app "2026-12-10 06:59:57"
n=0
until [ "$(ring_count)" -ge 7 ]; do
    n=$((n + 1))
    [ "$n" -le 40 ] || fail "rings heard in 20 s: $(python3 "$HERE/rings.py" "$WORK/rings.raw" | tr '\n' ' ')"
    sleep 0.5
done
stop_recording
echo "rings heard: $(ring_count)"
quit_app

echo "slow_activation: 1 passed, 0 failed"
