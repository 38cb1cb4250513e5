#!/usr/bin/env bash
# Builds the Debian packages as a distribution does, from the committed work only:
# dpkg-buildpackage -us -uc -b in a fresh clone of HEAD, which compiles and runs the
# tests again, then lintian on the .changes. With --twice it builds again in a
# second folder of another name and compares the .debs byte for byte.
#   scripts/package.sh [--twice]     results in build-package/first/ (and second-build/)
# DEB_BUILD_OPTIONS passes through (nocheck skips the tests); parallel= defaults to
# every core.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || [ "$*" = --twice ] || { echo "usage: $0 [--twice]" >&2; exit 2; }
scripts/setup.sh

out=$PWD/build-package
rm -rf "$out"
case " ${DEB_BUILD_OPTIONS:-} " in
  *" parallel="*) ;;
  *) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)" ;;
esac

# build FOLDER: clones HEAD into FOLDER/orlinar and builds the packages beside it.
build() {
  local started=$SECONDS
  mkdir -p "$1"
  git clone -q . "$1/orlinar"
  (cd "$1/orlinar" && dpkg-buildpackage -us -uc -b) >"$1/build.log" 2>&1 ||
    { tail -n 60 "$1/build.log"; echo "dpkg-buildpackage failed in $1; the whole log is $1/build.log" >&2; exit 1; }
  echo "built in $1 in $((SECONDS - started)) s: $(cd "$1" && echo *.deb)"
}

build "$out/first"
lintian --display-info --fail-on error,warning "$out"/first/orlinar_*.changes

if [ "$*" = --twice ]; then
  build "$out/second-build"
  for deb in "$out"/first/*.deb; do
    cmp "$deb" "$out/second-build/${deb##*/}" || { echo "not reproducible: ${deb##*/}" >&2; exit 1; }
  done
  echo "the two builds gave byte-identical .debs"
fi
