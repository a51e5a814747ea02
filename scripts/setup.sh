#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (run as root). Idempotent:
# packages already present are skipped, and nothing is fetched when nothing is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev zlib1g-dev
  googletest libgtest-dev
  wine wine32 wine64 xvfb fonts-wine file
  locales imagemagick libpng-dev
)
if [ "${VANTOREL_WITH_BENCH:-0}" = 1 ]; then
  packages+=(libbenchmark-dev libopencv-dev libpng-dev)
fi

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  updated=0
fi

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
install() { DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }

mapfile -t missing < <(missing_of "${packages[@]}")
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # A mirror caught mid-sync serves one index of the wrong size; a later try usually gets it. After the last try
  # go on with the indexes that did arrive.
  for try in 1 2 3; do
    as_root apt-get update -qq && break
    echo "setup: apt-get update failed (try $try of 3)"
    [ "$try" = 3 ] || sleep $((try * 10))
  done
  if ! install "${missing[@]}"; then
    # The 32-bit Wine packages depend on the i386 indexes, which are the ones most often caught mid-sync.
    # Everything else still installs; scripts/test.sh then reports the 32-bit tests as NOT RUN.
    rest=()
    for p in "${missing[@]}"; do [ "$p" = wine32 ] || rest+=("$p"); done
    install "${rest[@]}"
    echo "setup: wine32 could not be installed (the i386 package indexes are unavailable); 32-bit Windows tests will not run"
  fi
fi

# The code-page tests run the program under a Western and a Cyrillic ANSI code page.
need_locales=()
for l in en_US.UTF-8 ru_RU.UTF-8; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || need_locales+=("$l")
done
if [ "${#need_locales[@]}" -gt 0 ]; then
  for l in "${need_locales[@]}"; do
    grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
fi
