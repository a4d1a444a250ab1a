# Sourced by the end-to-end tests: a private X server with openbox and a PulseAudio
# server with a null sink, all in $WORK, all stopped by PID on exit; the package
# started, quit and waited for.
# Needs WORK set to an empty temporary folder; the package helpers need PACKAGE (the
# package folder) and APP_HOME (the program's HOME).

PIDS=""
cleanup() {
    for pid in $PIDS; do kill "$pid" 2>/dev/null; done
    sleep 0.2
    for pid in $PIDS; do kill -9 "$pid" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
    n=0
    until eval "$1" >/dev/null 2>&1; do
        n=$((n + 1))
        [ "$n" -gt "$2" ] && return 1
        sleep 0.1
    done
}

# Xvfb picks a free display number itself (-displayfd), so servers started side by side
# never race for one. The screen is 1280x1024 unless given ("2304x1024").
start_display() {
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    PIDS="$PIDS $!"
    wait_for 'test -s "$WORK/display"' 100 || fail "Xvfb did not start"
    DISPLAY=":$(cat "$WORK/display")"
    export DISPLAY
    wait_for "xdpyinfo" 100 || fail "Xvfb did not answer"
    openbox >"$WORK/openbox.log" 2>&1 &
    PIDS="$PIDS $!"
    # openbox lists what it supports last, frame extents among them.
    wait_for "xprop -root _NET_SUPPORTED | grep -q _NET_REQUEST_FRAME_EXTENTS" 100 ||
        fail "openbox did not start"
}

start_audio() {
    mkdir -p "$WORK/pulse-home" "$WORK/pulse-run"
    chmod 700 "$WORK/pulse-run"
    HOME="$WORK/pulse-home" XDG_RUNTIME_DIR="$WORK/pulse-run" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        -L "module-null-sink sink_name=nullsink rate=44100 channels=1" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$WORK/pulse.sock" \
        >"$WORK/pulse.log" 2>&1 &
    PIDS="$PIDS $!"
    PULSE_SERVER="unix:$WORK/pulse.sock"
    export PULSE_SERVER
    wait_for "pactl info" 100 || fail "PulseAudio did not start"
}

# Records the null sink's monitor into $1 (raw s16le mono 44.1 kHz) until stop_recording.
# A short latency, and SIGINT to stop: parec otherwise holds seconds back and drops them.
start_recording() {
    parec --latency-msec=20 -d nullsink.monitor --raw --format=s16le --rate=44100 --channels=1 \
        >"$1" 2>/dev/null &
    RECORDER=$!
    PIDS="$PIDS $RECORDER"
}

stop_recording() {
    kill -INT "$RECORDER" 2>/dev/null
    wait "$RECORDER" 2>/dev/null
}

# Starts the package; with an argument its wall clock starts at that time ("2026-12-10
# 06:59:50"). Sets APP and WINDOW.
start_app() {
    # SIGINT as from a terminal: the shell makes its background jobs ignore it (env execs).
    if [ $# -gt 0 ]; then
        # libfaketime preloaded directly: the faketime command would fork, hiding the PID.
        HOME="$APP_HOME" LD_PRELOAD="$(dpkg -L libfaketime | grep '/libfaketime.so.1$')" \
            FAKETIME="@$1" FAKETIME_DONT_FAKE_MONOTONIC=1 \
            env --default-signal=INT "$PACKAGE/bin/Dorvane2" >>"$WORK/app.log" 2>&1 &
    else
        HOME="$APP_HOME" env --default-signal=INT "$PACKAGE/bin/Dorvane2" >>"$WORK/app.log" 2>&1 &
    fi
    APP=$!
    PIDS="$PIDS $APP"
    wait_for "xdotool search --onlyvisible --pid $APP" 100 || fail "no window appeared"
    WINDOW=$(xdotool search --onlyvisible --pid "$APP" | head -n 1)
}

# Waits up to ten seconds for the program to end and checks its exit status is 0.
expect_exit_0() {
    wait_for '! kill -0 "$APP"' 100 || fail "the program did not quit"
    wait "$APP"
    status=$?
    [ "$status" = 0 ] || fail "exit status $status"
}

# Ends the program with Ctrl+Q.
quit_app() {
    xdotool windowactivate --sync "$WINDOW" key ctrl+q
    expect_exit_0
}
