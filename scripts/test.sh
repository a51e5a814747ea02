#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test: native tests under the
# sanitizers, Windows tests under Wine (on an Xvfb display started for them and stopped by its pid), and each
# fuzz target for a bounded time. Extra arguments go to every ctest call (e.g. -R PngReader).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
t0=$(date +%s)
stage() { echo "== $1 ($(( $(date +%s) - t0 ))s so far)"; }

stage "set-up"
"$root/scripts/setup.sh"
stage "layout of the sources"
failed=0
"$root/scripts/check-format" || failed=1
stage "build"
"$root/scripts/build.sh" win win64 host fuzz

jobs=${VANTOREL_JOBS:-$(nproc)}
# A configuration that finds no tests to run fails too, unless the caller's arguments select a part of them.
ctest_args=(--no-tests=error)
[ "$#" = 0 ] || ctest_args=()
stage "native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir build/host -j "$jobs" --output-on-failure "${ctest_args[@]}" "$@" || failed=1

# Windows programs run on the prefix's own Xvfb display, never on the caller's; each window test program on an
# Xvfb display and a Wine desktop of its own (scripts/wine-run, for tests/X/win and tests/X/gui), so they run in
# parallel with everything else.
unset DISPLAY
cleanup() { for c in win win64; do scripts/wine-stop "$root/build/$c/wineprefix"; done; }
trap cleanup EXIT

# The product is the 32-bit build; the same code built for 64-bit Windows runs its tests under the 64-bit loader.
# Tests that could not run fail the run. The one exception, only when the caller allows it with
# VANTOREL_ALLOW_NO_WIN32=1, is a kernel without 32-bit support (some virtual machines): the 32-bit loader is
# installed, but the kernel refuses to execute it (scripts/wine-loader tells that case by its exit status 3).
for pair in win:win32 win64:win64; do
  cfg=${pair%%:*} arch=${pair#*:}
  stage "Windows tests under Wine ($arch build)"
  rc=0
  why=$(scripts/wine-loader "$arch" 2>&1 >/dev/null) || rc=$?
  if [ "$rc" != 0 ]; then
    echo "NOT RUN: $why; the $arch build was compiled and linked only."
    [ "$arch" = win32 ] && [ "$rc" = 3 ] && [ "${VANTOREL_ALLOW_NO_WIN32:-0}" = 1 ] || failed=1
    continue
  fi
  scripts/wine-prefix "$arch" "$root/build/$cfg/wineprefix"
  ctest --test-dir "build/$cfg" -j "$jobs" --output-on-failure "${ctest_args[@]}" "$@" || failed=1
  scripts/wine-stop "$root/build/$cfg/wineprefix"
done
trap - EXIT

stage "fuzz targets (${VANTOREL_FUZZ_SECONDS:-60}s each)"
ctest --test-dir build/fuzz -j "$jobs" --output-on-failure "${ctest_args[@]}" "$@" || failed=1

stage "done"
exit $failed
