#!/usr/bin/env bash
# Usage: installed_program_test.sh
# Checks the package installed on this machine: its links, the sample that installing
# generated in /var/lib/orlinar, the installed program loading it, and then a
# directory imported in its place. Puts /var/lib/orlinar back as it found it. Needs
# root; the package's autopkgtest, also run by installed_package_test.sh.
set -euo pipefail
. "$(dirname "$0")/support.sh"
[ "$(id -u)" -eq 0 ] || skip "importing into /var/lib/orlinar needs root"
need orlinar-data xvfb-run xwininfo strace pgrep

[ -d /var/lib/orlinar ] || fail "/var/lib/orlinar is missing: is the package installed?"
work=$(mktemp -d)
cp -a /var/lib/orlinar "$work/installed"
restore() {
  rm -rf /var/lib/orlinar
  cp -a "$work/installed" /var/lib/orlinar
  rm -rf "$work"
}
trap restore EXIT

[ "$(readlink /usr/bin/orlinar)" = ../lib/orlinar/orlinar ] || fail "/usr/bin/orlinar -> $(readlink /usr/bin/orlinar)"
for f in "${files[@]}"; do
  [ "$(readlink "/usr/lib/orlinar/$f")" = "/var/lib/orlinar/$f" ] || fail "/usr/lib/orlinar/$f is no link into /var/lib/orlinar"
done
is_sample /var/lib/orlinar || fail "/var/lib/orlinar does not hold the sample of 300,000 lines, seed 1"

# The program opens the three data files together through their links beside the
# executable; a thread that did not open the file may read it (the loader reads
# Phones.dbr). descriptor TRACE FILE: the descriptor the open in TRACE returned.
descriptor() {
  awk -v call="openat(AT_FDCWD, \"/usr/lib/orlinar/$2\"," '
    index($0, call) == 1 && match($0, /= [0-9]+$/) { print substr($0, RSTART + 2); exit }' "$1"
}

# reader TRACE_DIR FILE: the trace of the thread that read FILE: the thread that
# opened it if it reads it before closing it, or else the first other thread that
# reads its descriptor.
reader() {
  local opener fd other
  opener=$(grep -l "openat(AT_FDCWD, \"/usr/lib/orlinar/$2\"," "$1"/thread.* | head -n 1) || return 1
  fd=$(descriptor "$opener" "$2")
  if awk -v call="openat(AT_FDCWD, \"/usr/lib/orlinar/$2\"," -v fd="$fd" '
       index($0, call) == 1 { open = 1; next }
       open && index($0, "read(" fd ",") == 1 { found = 1; exit }
       open && index($0, "close(" fd ")") == 1 { exit }
       END { exit !found }' "$opener"; then
    echo "$opener"
    return
  fi
  for other in "$1"/thread.*; do
    [ "$other" != "$opener" ] && grep -q "^read($fd," "$other" && { echo "$other"; return; }
  done
  echo "$opener"
}

# bytes_read TRACE_DIR FILE: the bytes of FILE its reader read before closing it,
# counted from the last rewind, since a file may be read in two passes; -1 if never
# closed. The opener counts from its open, another thread from its first line.
bytes_read() {
  local opener fd reading
  opener=$(grep -l "openat(AT_FDCWD, \"/usr/lib/orlinar/$2\"," "$1"/thread.* | head -n 1)
  fd=$(descriptor "$opener" "$2")
  reading=$(reader "$1" "$2")
  awk -v call="openat(AT_FDCWD, \"/usr/lib/orlinar/$2\"," -v fd="$fd" -v open="$([ "$reading" = "$opener" ] && echo 0 || echo 1)" '
    !open && index($0, call) == 1 { open = 1; next }
    open && index($0, "read(" fd ",") == 1 && match($0, /= [0-9]+$/) { bytes += substr($0, RSTART + 2) }
    open && index($0, "lseek(" fd ", 0, SEEK_SET)") == 1 { bytes = 0 }
    open && index($0, "close(" fd ")") == 1 { closed = $0 ~ /= 0$/; open = 0; exit }
    END { print closed ? bytes : -1 }' "$reading"
}

# Starts /usr/bin/orlinar under a virtual X server and waits for its window and for
# the end of its loader thread, which returns only after the main thread has shown
# the loaded status. The traces show which files it read, and how much of them.
run_program() {
  local trace="$work/trace"
  rm -rf "$trace"
  mkdir "$trace"
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    trace=$1
    eval "$2"
    QT_QPA_PLATFORM=xcb strace -ff -q -s 0 -e trace=openat,read,lseek,close -o "$trace/thread" /usr/bin/orlinar 2>/dev/null &
    tracer=$!
    verdict="no window and loaded directory within 90 s"
    for _ in $(seq 180); do
      sleep 0.5
      program=$(pgrep -P "$tracer" || true)
      if [ -z "$program" ]; then
        kill -0 "$tracer" 2>/dev/null && continue
        verdict="ended early"
        break
      fi
      kill -0 "$program" 2>/dev/null || { verdict="ended early"; break; }
      windows=$(xwininfo -root -tree)
      if grep -q "\"Error\"" <<<"$windows"; then verdict="start-up failure report"; break; fi
      loader=$(reader "$trace" Phones.dbr 2>/dev/null || true)
      if grep -qF "Телефонный справочник «Орлинар»" <<<"$windows" && [ -n "$loader" ] &&
         tail -n 1 "$loader" | grep -q "^+++ exited with 0 +++$" && kill -0 "$program" 2>/dev/null; then
        verdict="loaded"
        break
      fi
    done
    [ -n "$program" ] && kill "$program" 2>/dev/null
    wait "$tracer" 2>/dev/null
    echo "$verdict" >"$trace/verdict"' _ "$trace" "$(declare -f descriptor reader)"
  [ "$(cat "$trace/verdict")" = loaded ] || fail "installed program: $(cat "$trace/verdict")"
  for f in "${files[@]}"; do
    local read_bytes size
    grep -q "openat(AT_FDCWD, \"/usr/lib/orlinar/$f\"," "$trace"/thread.* || fail "the program never opened /usr/lib/orlinar/$f"
    read_bytes=$(bytes_read "$trace" "$f")
    size=$(stat -L -c %s "/var/lib/orlinar/$f" 2>/dev/null || echo none)
    [ "$read_bytes" = "$size" ] || fail "the program read $read_bytes bytes of $f; the file in /var/lib/orlinar has $size"
  done
}

run_program
echo "installed program loaded the sample"

write_small_tsv "$work/small.tsv"
orlinar-data import "$work/small.tsv" /var/lib/orlinar || fail "orlinar-data cannot import into /var/lib/orlinar"
orlinar-data export /var/lib/orlinar - | cmp -s - "$work/small.tsv" || fail "exporting /var/lib/orlinar does not give the imported lines"
verify=$(dpkg --verify orlinar) || true
[ -z "$verify" ] || fail "dpkg --verify flags the imported directory: $verify"
run_program
echo "installed program loaded the imported directory"
