#!/bin/sh
# The build's options as a packager meets them, configured afresh in a temporary folder:
# with DORVANE2_TESTS off the program configures with GoogleTest and Google Benchmark out
# of reach and makes no test or benchmark; warnings are errors only with DORVANE2_WERROR.
# Usage: sh options.test.sh PACKAGE_DIR BUILD_DIR
set -u
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d -t dorvane2-options.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Configures $1 with the remaining arguments; prints cmake's output on failure.
configure() {
    dir=$1
    shift
    cmake -S "$SOURCE" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.log" 2>&1 ||
        fail "cmake $*: $(cat "$dir.log")"
}

# A find_package of either would now stop the configuration with an error.
configure "$WORK/alone" -DDORVANE2_TESTS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_GMock=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
targets=$(cmake --build "$WORK/alone" --target help) || fail "no target list"
for target in Dorvane2 Dorvane2Framework AppearanceControls dorvane2_resources; do
    echo "$targets" | grep -q "^\.\.\. $target\$" || fail "no target $target: $targets"
done
echo "$targets" | grep -E '^\.\.\. (test_|bench_)' && fail "tests or benchmarks with DORVANE2_TESTS off"
grep -q -- '-Werror' "$WORK/alone/compile_commands.json" && fail "-Werror without DORVANE2_WERROR"

configure "$WORK/werror" -DDORVANE2_WERROR=ON
commands=$(grep -c '"command"' "$WORK/werror/compile_commands.json")
with=$(grep '"command"' "$WORK/werror/compile_commands.json" | grep -c -- '-Werror')
[ "$commands" -gt 0 ] && [ "$with" = "$commands" ] ||
    fail "-Werror in $with of $commands compile commands with DORVANE2_WERROR"

echo "options: 1 passed, 0 failed"
