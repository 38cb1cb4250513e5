#!/usr/bin/env bash
# Fuzzes one target with libFuzzer under ASan + UBSan for the given number of
# seconds, starting from its checked-in seeds and regressions.
#   scripts/fuzz.sh TARGET SECONDS      TARGET: CompileFuzz, ExecFuzz, NameListFuzz, PhonesFileFuzz or TsvImportFuzz
# The inputs it finds go to a work corpus outside the repository,
# ${ORLINAR_FUZZ_WORK:-~/.cache/orlinar-fuzz}/TARGET/corpus, and crash or timeout
# inputs to .../TARGET/findings. An input running longer than
# ${ORLINAR_FUZZ_TIMEOUT:-10} seconds counts as a timeout.
set -euo pipefail
cd "$(dirname "$0")/.."

targets="$(cd fuzz && ls -- *Fuzz.cpp | sed 's/\.cpp$//' | tr '\n' ' ')"
usage() {
  echo "usage: $0 TARGET SECONDS   (TARGET: ${targets% })" >&2
  exit 2
}
[ $# -eq 2 ] || usage
target="$1"
seconds="$2"
[ -f "fuzz/$target.cpp" ] && [[ "$target" == *Fuzz ]] || usage
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || usage

scripts/setup.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DORLINAR_FUZZ=ON -DORLINAR_SANITIZE=ON -DORLINAR_UI=OFF -DORLINAR_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$target"

work="${ORLINAR_FUZZ_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/orlinar-fuzz}/$target"
corpus="$work/corpus"
findings="$work/findings"
log="$work/last-session.log"
seeds="fuzz/seeds/$target"
regressions="fuzz/regressions/$target"
mkdir -p "$corpus" "$findings"
marker="$(mktemp)"
trap 'rm -f "$marker"' EXIT

# The work corpus comes first: libFuzzer adds what it finds to the first folder only.
started=$SECONDS
set +e
"build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout="${ORLINAR_FUZZ_TIMEOUT:-10}" \
  -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds" "$regressions" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
elapsed=$((SECONDS - started))

final_stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
mapfile -t found < <(find "$findings" -type f -newer "$marker" | sort)
echo
echo "== $target: $(final_stat number_of_executed_units) executions in $elapsed s ($(final_stat average_exec_per_sec) per second)," \
     "$(final_stat new_units_added) new inputs, slowest input $(final_stat slowest_unit_time_sec) s, peak $(final_stat peak_rss_mb) MB"
echo "   work corpus: $corpus ($(find "$corpus" -type f | wc -l) inputs)"
if [ ${#found[@]} -eq 0 ] && [ "$status" -eq 0 ]; then
  echo "   findings: none"
  echo "   to keep the inputs that add coverage as seeds:"
  echo "     build-fuzz/bin/fuzz_$target -merge=1 -use_counters=0 $seeds $corpus"
  exit 0
fi
echo "   findings (${#found[@]}, libFuzzer exit status $status), full output in $log:"
for file in "${found[@]}"; do
  name="$(basename "$file")"
  echo "     $file"
  # .gitignore hides crash-* and timeout-*, so the kept copy names the kind last.
  echo "       keep:      cp '$file' $regressions/${name#*-}-${name%%-*}"
done
echo "   reproduce: build-fuzz/bin/fuzz_$target FILE    shrink: build-fuzz/bin/fuzz_$target -minimize_crash=1 -runs=100000 FILE"
echo "   a kept input runs in every test pass (ctest -R fuzz.$target) and fails it until the fault is fixed"
exit 1
