#!/bin/sh
# Configures and builds the project into build/ with every core: every
# target, or only $HOI_BUILD_TARGET (and what it needs) when that is set.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOI_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${HOI_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build" -j"$(nproc)" ${HOI_BUILD_TARGET:+--target "$HOI_BUILD_TARGET"}
