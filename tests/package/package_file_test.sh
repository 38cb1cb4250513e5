#!/usr/bin/env bash
# Usage: package_file_test.sh <dir holding the .debs>
# Checks the package without installing it: lintian, the hardening of its programs,
# its dependencies, the desktop entry, the AppStream metadata and the manual pages.
set -euo pipefail
deb=$(ls "$1"/orlinar_*.deb)
dbgsym=$(ls "$1"/orlinar-dbgsym_*.deb)
fail() { echo "FAIL: $*"; exit 1; }
for tool in lintian appstreamcli desktop-file-validate man readelf; do
  command -v "$tool" >/dev/null || fail "$tool is not installed: run scripts/setup.sh"
done

# Every error, warning or info fails the test; the package's own overrides say why
# they hold.
report=$(lintian --display-info --fail-on none "$deb" "$dbgsym" 2>&1) || fail "lintian did not run: $report"
echo "$report"
tags=$(grep -E '^[EWI]: ' <<<"$report" || true)
[ -z "$tags" ] || fail "lintian: $tags"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

# lintian checks PIE, RELRO, bind-now and fortification, but not the stack protector.
for program in usr/lib/orlinar/orlinar usr/bin/orlinar-data; do
  readelf --dyn-syms -W "$root/$program" | grep ' __stack_chk_fail' >/dev/null || fail "/$program lacks the stack protector"
done

# The symbols stripped from the programs are in orlinar-dbgsym, found by build ID.
dpkg-deb -x "$dbgsym" "$root"
for program in usr/lib/orlinar/orlinar usr/bin/orlinar-data; do
  id=$(readelf -n "$root/$program" | sed -n 's/^ *Build ID: //p')
  [ -n "$id" ] && [ -f "$root/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" ] || fail "orlinar-dbgsym lacks the symbols of /$program"
done

# Completing orlinar-data offers the commands, then for each argument what it takes.
mkdir -p "$root/completion/folder"
touch "$root/completion/lines.tsv" "$root/completion/notes.txt"
completion_case() {  # expected words, then the command line, the last word being completed
  local expected=$1 offered
  shift
  offered=$(cd "$root/completion" && bash -c '. "$0"
    function=$(complete -p orlinar-data | sed -n "s/.* -F \([^ ]*\) .*/\1/p")
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); "$function"; printf "%s\n" "${COMPREPLY[@]}"' "$root/usr/share/bash-completion/completions/orlinar-data" "$@" | sort | paste -sd ' ' -)
  [ "$offered" = "$expected" ] || fail "completing '$*' offers '$offered', not '$expected'"
}
completion_case '--help --version export generate import search' orlinar-data ''
completion_case 'generate' orlinar-data ge
completion_case 'folder lines.tsv' orlinar-data import ''
completion_case 'folder' orlinar-data import lines.tsv ''
completion_case 'folder' orlinar-data export ''
completion_case 'folder lines.tsv notes.txt' orlinar-data export folder ''
completion_case 'folder' orlinar-data generate ''
completion_case '' orlinar-data generate folder ''
completion_case '' orlinar-data import lines.tsv folder ''
completion_case 'folder' orlinar-data search --owner=a ''
completion_case '' orlinar-data search folder --city ''
completion_case '--city --corpus --count' orlinar-data search folder --c

depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt 6 widgets runtime: $depends"
grep -q -- '-dev' <<<"$depends" && fail "Depends names a -dev package: $depends"

desktop-file-validate "$root/usr/share/applications/orlinar.desktop" || fail "desktop entry invalid"
# The tree check also matches the metadata against the desktop entry it launches.
appstreamcli validate-tree --no-net "$root" || fail "AppStream metadata invalid"

for page in "$root"/usr/share/man/man1/orlinar.1.gz "$root"/usr/share/man/man1/orlinar-data.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) ||
    fail "${page##*/} does not format: $warnings"
  [ -z "$warnings" ] || fail "${page##*/}: $warnings"
done
echo "package passes lintian, hardening, desktop, AppStream and manual page checks"
