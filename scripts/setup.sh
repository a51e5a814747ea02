#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (run as root). Idempotent:
# packages already present are skipped, and nothing is fetched when nothing is missing.
set -euo pipefail

packages=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev zlib1g-dev
  googletest libgtest-dev
  xvfb fonts-wine file
  locales imagemagick libpng-dev tango-icon-theme clang-format libchm-bin libimage-exiftool-perl
)
if [ "${VANTOREL_WITH_BENCH:-0}" = 1 ]; then
  packages+=(libbenchmark-dev libopencv-dev)
fi

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# The security archive's i386 index is now and then served mid-sync, with the wrong size. The amd64 libraries then
# come from the security archive while their i386 twins resolve only against the main archive, and apt gives up on
# wine32 (multi-arch twins must have one version). An install that fails is therefore tried again with the security
# archive ranked below the main one, so that both architectures resolve to the main archive's versions. It is not
# ranked lower from the start: where the amd64 libraries were already updated from the security archive, only
# their security versions match, and the lower rank alone would make apt give up.
pin=$(mktemp)
trap 'rm -f "$pin"' EXIT
printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
apt_install() { DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
install() {
  apt_install "$@" && return 0
  echo "setup: installing again with the security archive ranked below the main one"
  apt_install -o Dir::Etc::Preferences="$pin" "$@"
}

# Installing wine32 on its own replaces the amd64 library it shares with wine64 and removes wine64; both
# architectures of that library (the one the resolver does not pick by itself) go in the same call.
wine_packages=(wine wine32 wine64 libgstreamer-plugins-base1.0-0:i386 libgstreamer-plugins-base1.0-0:amd64)

mapfile -t missing < <(missing_of "${packages[@]}" "${wine_packages[@]}")
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  for try in 1 2 3; do
    as_root apt-get update -qq && break
    echo "setup: apt-get update failed (try $try of 3); going on with the indexes that arrived"
    [ "$try" = 3 ] || sleep $((try * 10))
  done
  install "${packages[@]}" "${wine_packages[@]}"
fi

# Both Wine loaders must start: the product is the 32-bit build, its twin the 64-bit one. A kernel without 32-bit
# support (exit status 3) cannot start the 32-bit loader whatever is installed; scripts/test.sh reports that.
here=$(cd "$(dirname "$0")" && pwd)
for arch in win32 win64; do
  rc=0
  why=$("$here/wine-loader" "$arch" 2>&1 >/dev/null) || rc=$?
  if [ "$rc" = 3 ]; then
    echo "setup: $why"
  elif [ "$rc" != 0 ]; then
    echo "setup: $why" >&2
    exit 1
  fi
done

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
