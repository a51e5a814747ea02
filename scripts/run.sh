#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine on $DISPLAY (a private Xvfb when
# there is none), optionally opening an image: scripts/run.sh [IMAGE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win
"$root/scripts/wine-prefix" "$root/build/win/wineprefix"
args=()
if [ $# -gt 0 ]; then
  args+=("$(WINEPREFIX="$root/build/win/wineprefix" WINEDEBUG=-all winepath -w "$(realpath "$1")")")
fi
VANTOREL_NEEDS_DISPLAY=1 exec "$root/scripts/wine-run" "$root/build/win/bin/Vantorel.exe" "${args[@]}"
