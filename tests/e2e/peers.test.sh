#!/bin/sh
# The peer benchmark's short form, run from a folder of its own: it prints the table with
# the floor row and the package, the package's idle CPU is a measured figure (its 5 s clock
# tick falls inside the 6 s idle, so it is above 0), and the folder is left as it was.
# Usage: peers.test.sh PACKAGE_DIR BUILD_DIR
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
package=$(cd "$1" && pwd) build=$(cd "$2" && pwd) || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
if ! bash "$HERE/../../bench/peers.sh" -r 1 -s 1 -i 6 -p none -B "$build" Dorvane2="$package" >table.md 2>err.txt; then
    cat err.txt table.md
    echo "peers: 0 passed, 1 failed"
    exit 1
fi
passed=0 failed=0
check() { # what, shell condition
    if eval "$2"; then passed=$((passed + 1)); else
        echo "FAIL: $1"
        failed=$((failed + 1))
    fi
}
row() { grep "^| $1 |" table.md; }
cell() { row "$1" | awk -F' [|] ' -v n="$2" '{ print $n }'; }
check "the table has the floor row" '[ -n "$(row "Qt floor")" ]'
check "the table has the package row" '[ -n "$(row Dorvane2)" ]'
cpu=$(cell Dorvane2 6)
check "the package's idle CPU is a figure above 0 (was: $cpu)" \
    'awk -v c="$cpu" "BEGIN { exit !(c ~ /^[0-9.]+ %\$/ && c + 0 > 0) }"'
strays=$(ls -A | grep -v -x -e table.md -e err.txt)
check "the run leaves no files where it ran (left: $strays)" '[ -z "$strays" ]'
[ $failed -eq 0 ] || cat table.md
echo "peers: $passed passed, $failed failed"
[ $failed -eq 0 ]
