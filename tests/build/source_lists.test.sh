#!/bin/sh
# Source lists are explicit: every C++ source file and every test script of the tree is
# named in the CMakeLists.txt of its folder or of a folder above it, so none is left out
# of the build (a test left out would never run, and nothing would say so).
# Usage: sh source_lists.test.sh PACKAGE_DIR BUILD_DIR
set -u
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
cd "$SOURCE" || exit 1

missing=""
for file in $(find alarm_window bench resources settings shell tests -name '*.cpp' -o -name '*.test.sh'); do
    dir=$(dirname "$file")
    listed=no
    while :; do
        relative=${file#"$dir"/}
        [ "$dir" = . ] && relative=$file
        if [ -f "$dir/CMakeLists.txt" ] && grep -qE "(^|[[:space:](])$relative([[:space:])]|\$)" "$dir/CMakeLists.txt"; then
            listed=yes
            break
        fi
        [ "$dir" = . ] && break
        dir=$(dirname "$dir")
    done
    [ "$listed" = yes ] || missing="$missing $file"
done
if [ -n "$missing" ]; then
    echo "FAIL: in no CMakeLists.txt:$missing" >&2
    exit 1
fi
globs=$(grep -rln --include=CMakeLists.txt --include='*.cmake' 'file *( *GLOB' . --exclude-dir='build*')
[ -z "$globs" ] || { echo "FAIL: file(GLOB) in $globs" >&2; exit 1; }
echo "source lists: 1 passed, 0 failed"
