#!/usr/bin/env bash
# The sound reader and the analysis behind it under libFuzzer with AddressSanitizer +
# UndefinedBehaviorSanitizer, for a bounded time (SONAVIRELLE_FUZZ_SECONDES, 30 s by default),
# seeded with the small sounds of tests/corpus_son. Builds its own small program with clang in
# BUILD_DIR/fuzz_son. Any crash, sanitizer report or broken property fails the test; the failing
# input is kept there.
# Usage: fuzz_son.test.sh BUILD_DIR SOURCE_DIR
set -u

BUILD_DIR=${1:?build folder}
SOURCE_DIR=${2:?source folder}
SECONDES=${SONAVIRELLE_FUZZ_SECONDES:-30}

CLANG=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$CLANG" ]; then
    echo "SKIP: clang++ is not installed (scripts/setup.sh installs it)"
    exit 77
fi
if ! QT_FLAGS=$(pkg-config --cflags --libs Qt6Core 2>/dev/null); then
    QT_INCLUDE=/usr/include/x86_64-linux-gnu/qt6
    QT_FLAGS="-I$QT_INCLUDE -I$QT_INCLUDE/QtCore -lQt6Core"
fi
SNDFILE_FLAGS=$(pkg-config --cflags --libs sndfile) || { echo "FAIL: libsndfile is missing"; exit 1; }

SORTIE="$(cd "$BUILD_DIR" && pwd)/fuzz_son" || exit 1
mkdir -p "$SORTIE/corpus" || exit 1
# Qt is built for position-independent code; its headers require -fPIC.
# shellcheck disable=SC2086
if ! "$CLANG" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$SOURCE_DIR" -I/usr/include/kissfft -Dkiss_fft_scalar=float "$SOURCE_DIR/tests/fuzz_son.cpp" \
    "$SOURCE_DIR/synth/analyseson.cpp" "$SOURCE_DIR/synth/sonfichier.cpp" "$SOURCE_DIR/synth/timbrefichier.cpp" "$SOURCE_DIR/synth/emplacements.cpp" "$SOURCE_DIR/synth/langue.cpp" \
    "$SOURCE_DIR"/analyse/*.cpp "$SOURCE_DIR/model/timbre.cpp" $QT_FLAGS $SNDFILE_FLAGS -lkissfft-float \
    -o "$SORTIE/fuzz_son" 2>"$SORTIE/compilation.log"; then
    if grep -q "libclang_rt.fuzzer\|fsanitize=fuzzer" "$SORTIE/compilation.log"; then
        head -n 20 "$SORTIE/compilation.log"
        echo "SKIP: clang has no libFuzzer runtime (libclang-rt-14-dev)"
        exit 77
    fi
    head -n 40 "$SORTIE/compilation.log"
    echo "FAIL: the fuzz program does not build"
    exit 1
fi

cd "$SORTIE" || exit 1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# Leaks of the codec libraries themselves are not the reader's (see the file).
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$SOURCE_DIR/tests/fuzz_son.lsan}"
# New inputs go to the build folder's corpus; the committed seeds are only read.
./fuzz_son -max_total_time="$SECONDES" -timeout=20 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$SORTIE/" corpus "$SOURCE_DIR/tests/corpus_son" 2>&1 | tail -n 15
etat=${PIPESTATUS[0]}
if [ "$etat" -ne 0 ]; then
    echo "FAIL: the sound reader broke under fuzzing (inputs kept in $SORTIE)"
    exit 1
fi
echo "PASS: ${SECONDES} s of fuzzing without a fault"
