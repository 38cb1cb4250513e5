#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Orlinar need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config file
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format
  xvfb xauth imagemagick fonts-wine fonts-dejavu-core
  desktop-file-utils dpkg-dev x11-utils
  librsvg2-bin lintian appstream man-db strace procps
  debhelper
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Orlinar needs these Debian packages: ${missing[*]}" >&2
  echo "Install them as root, then run this command again:" >&2
  echo "  sudo $(realpath "$0")" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
