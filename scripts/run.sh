#!/usr/bin/env bash
# Builds Orlinar, writes a generated sample directory beside the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/bin/orlinar ]; then
  exec build/bin/orlinar
fi
echo "Built everything; the sample directory is in build/bin/ (Cities.dbr, Streets.dbr, Phones.dbr)."
