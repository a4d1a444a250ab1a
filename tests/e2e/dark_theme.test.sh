#!/bin/sh
# Readable on a dark desktop theme: the real package ringing on a real desktop, once with
# no platform theme (Qt's light palette) and once under Qt's GTK platform theme with
# Adwaita dark, each window screenshotted and measured by window_colours.py.
# Usage: dark_theme.test.sh PACKAGE_DIR BUILD_DIR
set -u
PACKAGE=$1
ARTEFACTS=$2/e2e
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/dorvane2-theme.XXXXXX)
. "$HERE/desktop.sh"
mkdir -p "$ARTEFACTS"

export TZ=UTC LANG=C.UTF-8
# Only the theme chosen here reaches Qt, whatever desktop runs the test.
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE GTK_THEME XDG_CURRENT_DESKTOP DESKTOP_SESSION \
    KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
APP_HOME="$WORK/home"
mkdir -p "$APP_HOME/Documents"

start_display
start_audio

# Rings from 07:00:01; the shot is taken once the hint of the soft rings is drawn.
shoot_ringing() { # theme
    printf 'h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n200\nwindow_left\n300' \
        >"$APP_HOME/Documents/Dorvane2appData"
    start_app "2026-12-10 06:59:58"
    shot="$ARTEFACTS/theme-$1.png"
    wait_for "import -window $WINDOW '$shot' && python3 '$HERE/window_colours.py' ringing '$shot'" 100 ||
        fail "$1 theme: no hint line while ringing (see $shot)"
    quit_app
}

shoot_ringing light
export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
shoot_ringing dark
unset QT_QPA_PLATFORMTHEME GTK_THEME

python3 "$HERE/window_colours.py" compare "$ARTEFACTS/theme-light.png" "$ARTEFACTS/theme-dark.png" ||
    fail "colours (shots in $ARTEFACTS)"

echo "dark_theme: 1 passed, 0 failed"
