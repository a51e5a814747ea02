#!/usr/bin/env bash
# build.sh [win|win64|host|fuzz|bench]...: configures and builds the named configurations
# (default: win win64 host fuzz), each through its preset in CMakePresets.json,
# in $VANTOREL_BUILD_ROOT/<configuration> (default build/). The configure step's output is kept in
# <configuration>/configure.log and shown when it fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configs=("$@")
[ "${#configs[@]}" -gt 0 ] || configs=(win win64 host fuzz)
jobs=${VANTOREL_JOBS:-$(nproc)}
# A compiler cache shared by every checkout on the machine: paths below the checkout are hashed relative to it,
# so a second clone (CI's, a work tree) compiles only what differs.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
for c in "${configs[@]}"; do
  case $c in
    win|win64|host|fuzz|bench) ;;
    *) echo "unknown configuration $c" >&2; exit 2 ;;
  esac
  dir="${VANTOREL_BUILD_ROOT:-$root/build}/$c"
  # Configured again when the presets or the build's CMake files changed since the last configure: a preset's
  # cache variables reach an existing build folder only through a new configure step.
  stale=0
  if ! [ -f "$dir/CMakeCache.txt" ] || ! [ -f "$dir/build.ninja" ] || ! [ -f "$dir/configure.log" ]; then
    stale=1
  else
    for f in "$root/CMakePresets.json" "$root/CMakeLists.txt" "$root"/cmake/*.cmake; do
      [ "$f" -nt "$dir/configure.log" ] && stale=1
    done
  fi
  if [ "$stale" = 1 ]; then
    mkdir -p "$dir"
    if ! (cd "$root" && cmake --preset "$c" -B "$dir" "${launcher[@]}") >"$dir/configure.log" 2>&1; then
      cat "$dir/configure.log" >&2
      echo "build: configuring $c failed (log: $dir/configure.log)" >&2
      exit 1
    fi
  fi
  cmake --build "$dir" -j "$jobs"
done
