#!/bin/sh
# Builds everything and runs every test. On a fresh Debian machine run it as
# root: it installs what is missing first. Exits non-zero on any failure.
# With --sanitize first, builds into build-asan/ (or $HOI_ASAN_BUILD_DIR)
# with AddressSanitizer, LeakSanitizer and UBSan, and runs the tests there.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOI_BUILD_DIR:-$top/build}
asan=OFF
if [ "$1" = --sanitize ]; then
  shift
  build=${HOI_ASAN_BUILD_DIR:-$top/build-asan}
  asan=ON
fi
"$top/scripts/deps.sh" test
HOI_BUILD_DIR=$build "$top/scripts/build.sh" -DHOI_ASAN=$asan
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
