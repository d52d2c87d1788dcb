#!/bin/sh
# Configures and builds the project into build/ with every core.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOI_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${HOI_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build" -j"$(nproc)"
