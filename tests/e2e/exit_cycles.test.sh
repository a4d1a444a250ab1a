#!/bin/sh
# However soon the program is closed, by the close button or by Ctrl+Q, it exits 0 and
# leaves its settings complete: the exit-cycle benchmark's shorter form, 50 runs.
# Usage: exit_cycles.test.sh PACKAGE_DIR BUILD_DIR
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
sh "$HERE/../../bench/exit_cycles.sh" 50 "$1" || exit 1
echo "exit_cycles: 1 passed, 0 failed"
