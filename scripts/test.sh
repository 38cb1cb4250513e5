#!/usr/bin/env bash
# Builds Orlinar and runs every test headless: once as built normally, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, and once for the core libraries
# and the data tool under ThreadSanitizer. Every pass also replays the fuzz corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-format.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
timings=()

# pass NAME BUILD_DIR [CMAKE_OPTION...]: configures, builds and tests one build tree.
pass() {
  local name="$1" dir="$2" started=$SECONDS
  shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLINAR_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs"
  timings+=("$name: $((SECONDS - started)) s")
}

# Failures need only line tables; full debug information made the builds the larger
# part of the run. The sanitizers also need little optimisation: at -O2 -g their
# builds took twice as long and the whole run neared CI's limit.
lines_only="-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
sanitized="-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"

pass "normal" build "$lines_only"
pass "ASan + UBSan" build-asan -DORLINAR_SANITIZE=ON "$sanitized"
pass "ThreadSanitizer" build-tsan -DORLINAR_SANITIZE=thread -DORLINAR_UI=OFF -DORLINAR_BENCH=OFF "$sanitized"
printf '%s\n' "${timings[@]}" "total: $SECONDS s"
