#!/usr/bin/env bash
# run-render-bench.sh [runs]: the correction render's figures of the 32-bit program build under Wine (and of the
# 64-bit one when it is built) beside those of the host benchmark, in one run, so that the nanoseconds per pixel
# can be set side by side. Needs scripts/build.sh win (and bench for the host figures).
set -uo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
runs=${1:-3}
build=${VANTOREL_BUILD_ROOT:-$root/build}
host=$build/bench/bin/bench_RenderBench
if [ -x "$host" ]; then
  echo "== host (native, $(uname -m))"
  "$host" "$runs"
else
  echo "== host benchmark not built (scripts/build.sh bench)"
fi
for arch in win win64; do
  exe=$build/$arch/bin/winbench_CorrectionRenderBench.exe
  [ -f "$exe" ] || continue
  echo "== $arch under Wine"
  flag=--win32
  [ "$arch" = win64 ] && flag=--win64
  "$root/scripts/wine-run" "$flag" "$exe" "$runs"
done
