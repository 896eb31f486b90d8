#!/usr/bin/env bash
# tst_fuzz under AddressSanitizer + UndefinedBehaviorSanitizer: builds the asan preset's library
# and fuzz suite in build/asan, then runs the fuzz there with the suite's shorter sanitizer
# default (SONAVIRELLE_FUZZ_EVENTS overrides it). Any sanitizer report fails the test: undefined
# behaviour aborts (the preset does not recover from it) and a leak makes the exit status non-zero.
# Usage: fuzz_asan.test.sh BUILD_DIR SOURCE_DIR
set -u

BUILD_DIR=${1:?build folder}
SOURCE_DIR=${2:?source folder}

if grep -q -- "-fsanitize=address" "$BUILD_DIR/CMakeCache.txt" 2>/dev/null; then
    echo "SKIP: $BUILD_DIR is itself a sanitizer build; its own tst_fuzz runs there"
    exit 77
fi

JOURNAL=$(mktemp "${TMPDIR:-/tmp}/sonavirelle-asan.XXXXXX")
trap 'rm -f "$JOURNAL"' EXIT

cd "$SOURCE_DIR" || exit 1
if ! cmake --preset asan >"$JOURNAL" 2>&1; then
    tail -n 30 "$JOURNAL"
    echo "FAIL: the asan preset does not configure"
    exit 1
fi
if ! cmake --build --preset asan --target tst_fuzz -j "$(nproc)" >"$JOURNAL" 2>&1; then
    grep -E "error|Error" "$JOURNAL" | head -n 30
    echo "FAIL: the asan build of tst_fuzz failed"
    exit 1
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
QT_QPA_PLATFORM=offscreen SONAVIRELLE_SOURCE="$SOURCE_DIR" "$SOURCE_DIR/build/asan/tests/tst_fuzz"
