#!/usr/bin/env bash
# Builds Orlinar, writes a generated sample directory beside the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target orlinar orlinar-data orlinar_sample_directory
exec build/bin/orlinar
