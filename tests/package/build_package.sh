#!/usr/bin/env bash
# Usage: build_package.sh <build dir> <output dir>
# Writes the one .deb of the build into an emptied output dir.
set -euo pipefail
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
log="$out/cpack.log"
(cd "$build" && cpack -G DEB -B "$out" >"$log" 2>&1) || { cat "$log"; exit 1; }
rm -rf "$out/_CPack_Packages"
ls "$out"/orlinar_*.deb
