#!/usr/bin/env bash
# Usage: docs_agree_test.sh <orlinar-data> <source dir>
# The rules a user relies on are written in README, in orlinar-data(1) and in --help;
# each rule must read the same in all three, so that one cannot drift alone.
set -euo pipefail
tool=$1 source=$2
fail() { echo "FAIL: $*"; exit 1; }
flat() { tr -s ' \t\n' '   '; }  # line breaks and runs of blanks do not matter

readme=$(sed 's/`//g' "$source/README.md" | flat)
manual=$(groff -man -Tascii -rHY=0 -rLL=3000n -P-cbou "$source/packaging/orlinar-data.1.in" | flat)
help=$("$tool" --help | flat)
version=$("$tool" --version | flat)

rules=(
  "an optional minus, then 1 to 19 digits without leading zeros (0, not -0)"
  "0 to 65535, without leading zeros"
  "127 bytes of Windows-1251"
  "at most 65535 distinct city names and as many street names"
  "LF or CR LF"
  "0 to 4294967295"
  "nothing to import; the directory is unchanged"
  "without the set-user-id, set-group-id and sticky bits"
)
for rule in "${rules[@]}"; do
  for place in readme manual help; do
    grep -qF -- "$rule" <<<"${!place}" || fail "$place does not say: $rule"
  done
done
for place in manual version; do
  grep -qF "GNU GPL version 3 or later" <<<"${!place}" || fail "$place does not name the licence"
done
grep -qF "version 3 or (at your option) any later version" <<<"$readme" || fail "readme does not name the licence"
echo "README, orlinar-data(1) and --help state the same ${#rules[@]} rules"
