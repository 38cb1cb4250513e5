#!/usr/bin/env bash
# Usage: installed_package_test.sh <dir holding the .deb>
# Installs the package on this machine and follows a directory through its life:
# an upgrade from the earlier /opt layout keeps an imported directory, a new install
# brings the sample, the installed program loads it, an imported directory replaces
# it and survives reinstalling and removal, and purging deletes it. Needs root;
# purges what it installed on every way out.
set -euo pipefail
deb=$(realpath "$(ls "$1"/orlinar_*.deb)")
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in apt-get dpkg-deb xvfb-run xwininfo strace; do
  command -v "$tool" >/dev/null || fail "$tool is not installed: run scripts/setup.sh"
done

# Other test runs on this machine install the same package.
exec 9>/run/lock/orlinar-package-test.lock
flock -w 900 9 || fail "another package test kept the lock for 15 minutes"
status() { dpkg-query -W -f='${db:Status-Status}' orlinar 2>/dev/null || echo not-installed; }
[ "$(status)" = not-installed ] || skip "orlinar is installed on this machine; the test would purge it and its directory"
for dir in /var/lib/orlinar /opt/orlinar /usr/lib/orlinar; do
  [ ! -e "$dir" ] || skip "$dir exists; the test would delete it"
done

installed_packages() { dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 == "installed" { print $2 }' | sort; }
work=$(mktemp -d)
installed_packages >"$work/packages-before"
cleanup() {
  local leftover
  leftover=$(installed_packages | comm -13 "$work/packages-before" - | grep -vx orlinar || true)
  [ "$(status)" = not-installed ] || leftover="orlinar $leftover"
  if [ -n "${leftover//[[:space:]]/}" ]; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq $leftover >/dev/null 2>&1 || echo "could not purge:" $leftover
  fi
  rm -rf "$work"
}
trap cleanup EXIT

apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq --no-install-recommends "$@" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get $*"; }; }
files=(Cities.dbr Streets.dbr Phones.dbr)
same_directory() { for f in "${files[@]}"; do cmp -s "$1/$f" "$2/$f" || return 1; done; }

# A small directory of its own, so that loading it cannot be mistaken for the sample.
printf '%s\n' \
  $'2125506\tИванов Иван Иванович\tОрлинск\tЛесная\t12\tа\t45' \
  $'2125507\tИванов Иван Иванович\tОрлинск\tЛесная\t12\tа\t45' \
  $'3340001\tООО «Ромашка»\tОрлинск\tСадовая\t3\t\t0' >"$work/small.tsv"
root="$work/root"
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/orlinar-data" import "$work/small.tsv" "$work/small" || fail "orlinar-data cannot import the small directory"

# Earlier packages kept the directory in /opt/orlinar as their own files.
old="$work/old"
mkdir -p "$old/DEBIAN" "$old/opt/orlinar"
cp "$work"/small/*.dbr "$old/opt/orlinar/"
cat >"$old/DEBIAN/control" <<EOF
Package: orlinar
Version: 1.0.0
Architecture: $(dpkg --print-architecture)
Maintainer: Orlinar maintainers <maintainers@users.noreply.c-seed-26ca3fb1.example>
Description: earlier layout, the directory in /opt/orlinar
EOF
dpkg-deb --root-owner-group -b "$old" "$work/orlinar_1.0.0_old.deb" >/dev/null
dpkg -i "$work/orlinar_1.0.0_old.deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "cannot install the earlier layout"; }
apt_get install "$deb"
same_directory /var/lib/orlinar "$work/small" || fail "upgrading from /opt/orlinar lost the directory imported there"
[ ! -e /opt/orlinar ] || fail "/opt/orlinar is left after the upgrade"
apt_get purge orlinar
[ ! -e /var/lib/orlinar ] || fail "purge left /var/lib/orlinar"

apt_get install "$deb"
[ "$(status)" = installed ] || fail "package not installed: $(status)"
same_directory /var/lib/orlinar /usr/share/orlinar/sample || fail "/var/lib/orlinar does not hold the sample"
[ "$(readlink /usr/bin/orlinar)" = ../lib/orlinar/orlinar ] || fail "/usr/bin/orlinar -> $(readlink /usr/bin/orlinar)"
for f in "${files[@]}"; do
  [ "$(readlink "/usr/lib/orlinar/$f")" = "/var/lib/orlinar/$f" ] || fail "/usr/lib/orlinar/$f is no link into /var/lib/orlinar"
done

# Bytes of a data file the program read between opening it through its link
# beside the executable and closing it, in one thread's trace, counted from its
# last rewind, since a file may be read in two passes; -1 if never closed.
bytes_read() {
  awk -v call="openat(AT_FDCWD, \"/usr/lib/orlinar/$2\"," '
    index($0, call) == 1 && match($0, /= [0-9]+$/) { fd = substr($0, RSTART + 2); open = 1; next }
    open && index($0, "read(" fd ",") == 1 && match($0, /= [0-9]+$/) { bytes += substr($0, RSTART + 2) }
    open && index($0, "lseek(" fd ", 0, SEEK_SET)") == 1 { bytes = 0 }
    open && index($0, "close(" fd ")") == 1 { closed = $0 ~ /= 0$/; open = 0 }
    END { print closed ? bytes : -1 }' "$1"
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
      loader=$(grep -l "/usr/lib/orlinar/Phones.dbr" "$trace"/thread.* 2>/dev/null || true)
      if grep -qF "Телефонный справочник «Орлинар»" <<<"$windows" && [ -n "$loader" ] &&
         tail -n 1 "$loader" | grep -q "^+++ exited with 0 +++$" && kill -0 "$program" 2>/dev/null; then
        verdict="loaded"
        break
      fi
    done
    [ -n "$program" ] && kill "$program" 2>/dev/null
    wait "$tracer" 2>/dev/null
    echo "$verdict" >"$trace/verdict"' _ "$trace"
  [ "$(cat "$trace/verdict")" = loaded ] || fail "installed program: $(cat "$trace/verdict")"
  for f in "${files[@]}"; do
    local reader read_bytes size
    reader=$(grep -l "/usr/lib/orlinar/$f" "$trace"/thread.*) || fail "the program never opened /usr/lib/orlinar/$f"
    reader=${reader%%$'\n'*}
    read_bytes=$(bytes_read "$reader" "$f")
    size=$(stat -L -c %s "/var/lib/orlinar/$f" 2>/dev/null || echo none)
    [ "$read_bytes" = "$size" ] || fail "the program read $read_bytes bytes of $f; the file in /var/lib/orlinar has $size"
  done
}

run_program
echo "installed program loaded the sample"

orlinar-data import "$work/small.tsv" /var/lib/orlinar || fail "orlinar-data cannot import into /var/lib/orlinar"
same_directory /var/lib/orlinar "$work/small" || fail "the import into /var/lib/orlinar wrote another directory"
orlinar-data export /var/lib/orlinar - | cmp -s - "$work/small.tsv" || fail "exporting /var/lib/orlinar does not give the imported lines"
verify=$(dpkg --verify orlinar) || true
[ -z "$verify" ] || fail "dpkg --verify flags the imported directory: $verify"
run_program
echo "installed program loaded the imported directory"

apt_get install --reinstall "$deb"
same_directory /var/lib/orlinar "$work/small" || fail "reinstalling replaced the imported directory"

apt_get remove orlinar
[ "$(status)" = config-files ] || fail "after remove the package is $(status)"
[ ! -e /usr/lib/orlinar ] || fail "remove left /usr/lib/orlinar"
same_directory /var/lib/orlinar "$work/small" || fail "remove did not keep the imported directory"

apt_get purge orlinar
[ "$(status)" = not-installed ] || fail "after purge the package is $(status)"
[ ! -e /var/lib/orlinar ] || fail "purge left /var/lib/orlinar"
echo "remove kept the imported directory, purge deleted it"
