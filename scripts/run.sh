#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine on $DISPLAY (a private Xvfb when
# there is none), optionally opening an image: scripts/run.sh [IMAGE]. Ends with the program's exit code.
# The program is the 32-bit build's product (build/win/product); where the kernel cannot start the 32-bit Wine
# loader, the 64-bit build of the same code is started instead. It runs in a Wine prefix of its own
# (build/<configuration>/userprefix), apart from the tests' prefix, whose scanner tests install a test source.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cfg=win arch=win32
rc=0
why=$("$root/scripts/wine-loader" win32 2>&1 >/dev/null) || rc=$?
if [ "$rc" = 3 ]; then
  echo "run: $why; starting the 64-bit build" >&2
  cfg=win64 arch=win64
elif [ "$rc" != 0 ]; then
  echo "run: $why" >&2
  exit 1
fi
"$root/scripts/build.sh" "$cfg"
prefix="$root/build/$cfg/userprefix"
"$root/scripts/wine-prefix" "$arch" "$prefix"
args=()
if [ $# -gt 0 ]; then
  loader=$("$root/scripts/wine-loader" "$arch")
  args+=("$(WINEPREFIX="$prefix" WINEDEBUG=-all "$loader" winepath -w "$(realpath "$1")" 2>/dev/null)")
fi
# The program reads its state file (window place, language) at start and writes it when its main window closes.
status=0
VANTOREL_WINEPREFIX="$prefix" "$root/scripts/wine-run" "--$arch" "$root/build/$cfg/product/Vantorel.exe" "${args[@]}" ||
  status=$?
for state in "$prefix"/drive_c/users/*/AppData/Roaming/Vantorel/Vantorel.cfg; do
  [ -f "$state" ] && echo "run: state file $state ($(stat -c %s "$state") bytes)"
done
exit $status
