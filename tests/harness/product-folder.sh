#!/bin/sh
# product-folder.sh FOLDER: the product's folder holds the program, the plug-in, the help file, the language
# files and the demonstrations, and nothing that only the tests need (test programs, benchmarks, the stand-in
# source manager, the test data source). The lens profiles that the program learns (Vantorel.dis) may lie beside
# it too. Prints what differs.
set -eu
cd "$1"
expected='Images/Facade.dsc
Images/Facade.jpg
Images/LensFacade.dsc
Images/LensFacade.jpg
Images/Sideways.dsc
Images/Sideways.jpg
Languages/Deutsch.ini
Languages/English.ini
Vantorel.chm
Vantorel.exe
VantorelPlugin.8bf'
found=$(find . -type f ! -name Vantorel.dis | sed 's|^\./||' | LC_ALL=C sort)
if [ "$found" != "$expected" ]; then
  echo "the product's folder $1 differs from what the product ships:"
  list=$(mktemp)
  printf '%s\n' "$expected" >"$list"
  printf '%s\n' "$found" | diff "$list" - || true
  rm -f "$list"
  exit 1
fi
echo "the product's folder holds the product and nothing else"
