#!/bin/sh
# Builds the libFuzzer targets with clang++ into their own build folder
# (build-fuzz/, or $HOI_FUZZ_BUILD_DIR) and runs each for a while
# ($HOI_FUZZ_SECONDS, default 30). Exits non-zero on the first finding.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOI_FUZZ_BUILD_DIR:-$top/build-fuzz}
secs=${HOI_FUZZ_SECONDS:-30}

cmake -S "$top" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DHOI_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target hoi_fuzz_all -j"$(nproc)"

# The sanitizer runtime's options of the sanitizer build (see CMakeLists.txt).
export ASAN_OPTIONS="intercept_tls_get_addr=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
found=0
for target in "$build"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  dict="$top/tests/fuzz/$name.dict"
  [ -f "$dict" ] && set -- -dict="$dict" || set --
  echo "== $name: ${secs}s"
  (cd "$build/fuzz" && "$target" -max_total_time="$secs" -max_len=4096 -len_control=0 -rss_limit_mb=2048 -print_final_stats=1 "$@" "$corpus")
  found=1
done
if [ "$found" = 0 ]; then
  echo "fuzz.sh: no fuzz target was built" >&2
  exit 1
fi
