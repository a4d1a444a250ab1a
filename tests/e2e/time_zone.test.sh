#!/bin/sh
# The desktop's time zone changes under the running package, as when a laptop travels or
# the zone is set in the system settings: the program is not restarted. In a private
# mount namespace /etc/localtime shows a zone file of the test's own, replaced while the
# program runs. Usage: time_zone.test.sh PACKAGE_DIR BUILD_DIR
set -u
if [ "$(id -u)" != 0 ]; then
    echo "SKIP: time_zone.test.sh mounts over /etc/localtime in a private mount namespace (unshare -m) and needs root"
    exit 0
fi
# The namespace and every mount in it end with this script.
if [ -z "${DORVANE2_PRIVATE_MOUNTS:-}" ]; then
    DORVANE2_PRIVATE_MOUNTS=1 exec unshare -m --propagation private sh "$0" "$@"
fi

PACKAGE=$1
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d -t dorvane2-tz.XXXXXX)
. "$HERE/desktop.sh"

unset TZ # a desktop session: the zone comes from /etc/localtime
export LANG=C.UTF-8
[ -e /etc/localtime ] || fail "no /etc/localtime to mount over"
# mount follows a link: on Debian the mount lands on the zone file /etc/localtime names.
LOCALTIME=$(readlink -f /etc/localtime)
for zone in Asia/Tokyo Asia/Vladivostok; do
    cp "/usr/share/zoneinfo/$zone" "$WORK/$(basename "$zone")" || fail "no zone file $zone (tzdata)"
done
# As timedated does when it points /etc/localtime at another zone, the program then finds
# another file there (another inode), however soon after the last change: glibc re-reads
# the zone when the inode or the whole-second mtime changed, so an in-place rewrite in
# the same second would go unseen.
ZONE_MOUNTED=""
set_zone() {
    [ -z "$ZONE_MOUNTED" ] || umount "$LOCALTIME" || fail "cannot unmount $LOCALTIME"
    ZONE_MOUNTED=1
    mount --bind "$WORK/$1" "$LOCALTIME" || fail "cannot mount $1 over $LOCALTIME"
}

APP_HOME="$WORK/home"
mkdir -p "$APP_HOME/Documents"
settings() { # alarm hour
    printf 'h_data\n%s\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n200\nwindow_left\n300' "$1" \
        >"$APP_HOME/Documents/Dorvane2appData"
}
rings() { python3 "$HERE/rings.py" "$WORK/rings.raw" | wc -l; }
# Waits up to $2 seconds of real time (reading the recording takes time) for $1 rings.
wait_rings() {
    deadline=$(($(date +%s) + $2))
    until [ "$(rings)" -ge "$1" ]; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

start_display
start_audio

# 1. Tokyo (UTC+9) to Vladivostok (UTC+10) a few seconds after 7:00 with the alarm at
# 8:00: after the start-up ring nothing while in Tokyo, then rings from the first tick
# in the new zone (8:00:xx). libfaketime reads the start time once, at start-up, as
# local time in the zone the program starts in: Tokyo.
settings 8
set_zone Tokyo
start_recording "$WORK/rings.raw"
start_app "2026-12-10 07:00:02"
wait_rings 1 10 || fail "no start-up ring"
sleep 6 # a tick or more in Tokyo's 7:00
[ "$(rings)" = 1 ] || fail "rang in Tokyo's 7:00 minute: $(rings) rings"
set_zone Vladivostok
wait_rings 4 15 || fail "rings in 15 s after the zone changed, after the start-up one: $(($(rings) - 1))"
stop_recording
quit_app

# 2. TZ set for the program keeps its meaning: with TZ=Asia/Tokyo and the alarm at 7:00,
# /etc/localtime pointed at Vladivostok (7:59 there) just before 7:00 leaves the alarm at
# Tokyo's 7:00.
settings 7
set_zone Tokyo
start_recording "$WORK/rings.raw"
export TZ=Asia/Tokyo
start_app "2026-12-10 06:59:45"
unset TZ
wait_rings 1 10 || fail "TZ set: no start-up ring"
set_zone Vladivostok
wait_rings 3 25 || fail "TZ set: rings at Tokyo's 7:00 after the start-up one: $(($(rings) - 1))"
stop_recording
quit_app

echo "time_zone: 1 passed, 0 failed"
