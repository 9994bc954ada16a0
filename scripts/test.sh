#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh             normal build in build/
#   scripts/test.sh --sanitize  address + undefined-behaviour sanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build=build
opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    opts=(-DCMAKE_BUILD_TYPE=Debug -DTRAMVIK_SANITIZE=ON)
fi
[ "${CI:-}" = "true" ] && opts+=(-DTRAMVIK_WERROR=ON)

# Leaks fail a test. The suppression file names only libraries outside the project; the test
# programs also run while the build lists their tests.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B "$build" "${opts[@]}"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300
