#!/bin/sh
# Builds everything and runs every test. On a fresh Debian machine run it as
# root: it installs what is missing first. Exits non-zero on any failure.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" test
"$top/scripts/build.sh"
cd "${HOI_BUILD_DIR:-$top/build}"
ctest --output-on-failure -j"$(nproc)" "$@"
