#!/usr/bin/env bash
# build.sh [win|win64|host|fuzz|bench]...: configures and builds the named configurations
# (default: win win64 host fuzz)
# in $VANTOREL_BUILD_ROOT/<configuration> (default build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configs=("$@")
[ "${#configs[@]}" -gt 0 ] || configs=(win win64 host fuzz)
jobs=${VANTOREL_JOBS:-$(nproc)}
for c in "${configs[@]}"; do
  dir="${VANTOREL_BUILD_ROOT:-$root/build}/$c"
  case $c in
    win)   args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake") ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake") ;;
    host)  args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc) ;;
    fuzz)  args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DVANTOREL_FUZZ=ON) ;;
    bench) args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc -DVANTOREL_BENCH=ON -DCMAKE_BUILD_TYPE=Release) ;;
    *) echo "unknown configuration $c" >&2; exit 2 ;;
  esac
  [ -f "$dir/CMakeCache.txt" ] && [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$dir/bin" "${args[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
done
