#!/usr/bin/env bash
# Usage: build-deb.sh BUILD_DIR OUTPUT_DIR
# Packages the programs already built in BUILD_DIR with debian/, as dpkg-buildpackage
# would from the source but without configuring and compiling again, and puts
# orlinar_*.deb and orlinar-dbgsym_*.deb in OUTPUT_DIR in place of earlier ones.
set -euo pipefail
build=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
source=$(realpath "$(dirname "$0")/..")
command -v dh >/dev/null || { echo "dh is missing (Debian package debhelper): run scripts/setup.sh" >&2; exit 1; }

# debhelper works in the package's top folder and writes beside it, so a copy of
# debian/ in a scratch folder keeps the source tree clean.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/orlinar"
cp -a "$source/debian" "$scratch/orlinar/"
(cd "$scratch/orlinar" && ORLINAR_BUILT_TREE="$build" debian/rules binary) >"$scratch/build.log" 2>&1 ||
  { cat "$scratch/build.log" >&2; exit 1; }
rm -f "$out"/orlinar_*.deb "$out"/orlinar-dbgsym_*.deb
mv "$scratch"/*.deb "$out/"
ls "$out"/orlinar_*.deb "$out"/orlinar-dbgsym_*.deb
