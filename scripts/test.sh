#!/usr/bin/env bash
# Sets up, builds and runs every test twice: a normal build and one under
# AddressSanitizer and UndefinedBehaviorSanitizer; then the Windows steps
# (scripts/test-windows.sh): the window code's Windows compile check, the
# cross build and the wine suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

scripts/build.sh build -DTEVRAL_BUILD_TESTS=ON
(cd build && ctest --output-on-failure -j 2)

scripts/build.sh build-asan -DTEVRAL_BUILD_TESTS=ON -DTEVRAL_SANITIZE=ON
(cd build-asan && ctest --output-on-failure -j 2)

scripts/test-windows.sh build
