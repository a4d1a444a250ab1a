#!/bin/sh
# The Debian package: CPack builds it from the build, Debian's tools check it, and its
# content, extracted into a temporary root, runs on a real desktop with every file it
# maps provided by the packages it depends on. Usage: package.test.sh PACKAGE_DIR BUILD_DIR
set -u
PACKAGE=$1
BUILD=$2
ARTEFACTS=$BUILD/package
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/dorvane2-package.XXXXXX)
. "$HERE/../e2e/desktop.sh"
mkdir -p "$ARTEFACTS"

# 1. The .deb, its control fields and Debian's checks.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$WORK/cpack.log")"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$BUILD/CPackConfig.cmake")
DEB="$WORK/out/dorvane2_${version}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || fail "no $DEB: $(ls "$WORK/out")"
dpkg-deb --info "$DEB" >"$ARTEFACTS/info.txt" || fail "dpkg-deb --info"
[ "$(dpkg-deb -f "$DEB" Package)" = dorvane2 ] || fail "package name: $(cat "$ARTEFACTS/info.txt")"
[ -n "$(dpkg-deb -f "$DEB" Description)" ] || fail "no description"
DEPENDS=$(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
# Found by dpkg-shlibdeps (the toolkit, the sound files, the C library) and added by hand.
for need in libc6 libqt6widgets6 libsndfile1 fonts-noto-cjk wmctrl xdotool; do
    echo "$DEPENDS" | grep -qx "$need" || fail "Depends lacks $need: $(dpkg-deb -f "$DEB" Depends)"
done
lintian --pedantic -I --fail-on error,warning "$DEB" >"$ARTEFACTS/lintian.txt" 2>&1 ||
    fail "lintian: $(cat "$ARTEFACTS/lintian.txt")"
# Hardened binaries, a manual page, and a menu entry that searches find.
for tag in hardening-no-bindnow hardening-no-fortify-functions hardening-no-relro \
    hardening-no-stackprotector no-manual-page desktop-entry-lacks-keywords-entry; do
    grep -q " $tag " "$ARTEFACTS/lintian.txt" && fail "lintian: $(grep " $tag " "$ARTEFACTS/lintian.txt")"
done

# 2. The content: the build's package under /usr/lib/Dorvane2, the command, the menu entry.
ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT" || fail "dpkg-deb -x"
LIB="$ROOT/usr/lib/Dorvane2"
(cd "$PACKAGE" && find . | sort) >"$WORK/built"
(cd "$LIB" && find . | sort) >"$WORK/packaged"
cmp -s "$WORK/built" "$WORK/packaged" ||
    fail "package tree differs from the build's: $(diff "$WORK/built" "$WORK/packaged")"
[ "$(readlink "$ROOT/usr/bin/dorvane2")" = ../lib/Dorvane2/bin/Dorvane2 ] || fail "usr/bin/dorvane2"
for f in share/doc/dorvane2/copyright share/doc/dorvane2/changelog.gz share/man/man1/dorvane2.1.gz; do
    [ -s "$ROOT/usr/$f" ] || fail "no usr/$f"
done
# The manual page renders without a warning from man or groff.
errors=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$ROOT/usr/share/man/man1/dorvane2.1.gz" 2>&1 >/dev/null)
[ -z "$errors" ] || fail "man dorvane2: $errors"
# Software centres list it: valid AppStream metainfo whose launchable is the menu entry.
METAINFO=$(find "$ROOT/usr/share/metainfo" -name '*.metainfo.xml')
[ -n "$METAINFO" ] || fail "no metainfo in usr/share/metainfo"
appstreamcli validate --pedantic --no-net "$METAINFO" >"$ARTEFACTS/appstream.txt" 2>&1 ||
    fail "appstreamcli validate: $(cat "$ARTEFACTS/appstream.txt")"
grep -q '<launchable type="desktop-id">dorvane2.desktop</launchable>' "$METAINFO" ||
    fail "the metainfo does not launch dorvane2.desktop"
ENTRY="$ROOT/usr/share/applications/dorvane2.desktop"
if ! report=$(desktop-file-validate "$ENTRY" 2>&1) || [ -n "$report" ]; then
    fail "desktop-file-validate: $report"
fi
grep -q '^Keywords\[ja\]=' "$ENTRY" || fail "no Japanese keywords in $ENTRY"
command=$(sed -n 's/^Exec=//p' "$ENTRY")
[ -L "$ROOT/usr/bin/$command" ] || fail "Exec=$command is not the package's command"
ICON="$ROOT/usr/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$ENTRY").svg"
python3 -c 'import sys, xml.etree.ElementTree as e; assert e.parse(sys.argv[1]).getroot().tag.endswith("svg")' \
    "$ICON" || fail "no SVG icon at $ICON"

# 3. The extracted program on a desktop: its window, its start-up ring, Ctrl+Q, status 0.
export TZ=UTC LANG=C.UTF-8
APP_HOME="$WORK/home"
mkdir -p "$APP_HOME"
start_display
start_audio
start_recording "$WORK/start.raw"
HOME="$APP_HOME" "$ROOT/usr/bin/dorvane2" >"$WORK/app.log" 2>&1 &
APP=$!
PIDS="$PIDS $APP"
wait_for "xdotool search --onlyvisible --pid $APP" 100 || fail "no window appeared: $(cat "$WORK/app.log")"
WINDOW=$(xdotool search --onlyvisible --pid "$APP" | head -n 1)
ring_count() { python3 "$HERE/../e2e/rings.py" "$1" | wc -l; }
wait_for '[ "$(ring_count "$WORK/start.raw")" -ge 1 ]' 100 || fail "no start-up ring: $(cat "$WORK/app.log")"

# Everything it maps comes from the extracted root or from a package its Depends pull in.
awk '$6 ~ /^\// { print $6 }' "/proc/$APP/maps" | sort -u >"$ARTEFACTS/mapped.txt"
grep -qx "$LIB/bin/Dorvane2" "$ARTEFACTS/mapped.txt" || fail "not the extracted executable"
for f in libDorvane2Framework.so AppearanceControls.so; do
    grep -qx "$LIB/Frameworks/$f" "$ARTEFACTS/mapped.txt" || fail "$f not from the extracted root"
done
grep -q "^$BUILD/" "$ARTEFACTS/mapped.txt" && fail "maps files of the build: $(grep "^$BUILD/" "$ARTEFACTS/mapped.txt")"
ESSENTIAL=$(dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }')
# shellcheck disable=SC2086
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances $DEPENDS $ESSENTIAL 2>/dev/null | grep -v '^ ' | sed 's/:.*//' |
    sort -u >"$WORK/provided"
[ -s "$WORK/provided" ] || fail "apt-cache found none of $DEPENDS"
# libX11 loads libXcursor (which links libXrender) for themed cursors when it is there
# and works without it.
printf 'libxcursor1\nlibxrender1\n' >>"$WORK/provided"
# Merged /usr: dpkg may know a library by its /lib name only. Caches no package owns pass.
paths=$(grep -E '^/(usr|lib)/' "$ARTEFACTS/mapped.txt")
# shellcheck disable=SC2086,SC2046
dpkg -S $paths $(echo "$paths" | sed -n 's|^/usr/|/|p') 2>/dev/null | grep -v '^diversion' >"$WORK/owners"
sed 's/: .*//' "$WORK/owners" | tr ',' '\n' | sed 's/^ *//; s/:.*//' | sort -u >"$WORK/needed"
for used in libqt6widgets6 libsndfile1 fonts-noto-cjk; do
    grep -qx "$used" "$WORK/needed" || fail "maps nothing of $used: $(cat "$WORK/needed")"
done
missing=$(sort -u "$WORK/provided" | comm -23 "$WORK/needed" -)
[ -z "$missing" ] ||
    fail "maps files of packages that Depends do not pull in: $(echo "$missing" | while read -r m; do grep "^${m}[:,]" "$WORK/owners"; done)"

xdotool windowactivate --sync "$WINDOW" key ctrl+q
wait_for '! kill -0 "$APP"' 100 || fail "the program did not quit"
wait "$APP"
status=$?
[ "$status" = 0 ] || fail "exit status $status: $(cat "$WORK/app.log")"
stop_recording
grep -q sound_res "$APP_HOME/Documents/Dorvane2appData" || fail "no settings in the temporary HOME"

echo "package: 1 passed, 0 failed"
