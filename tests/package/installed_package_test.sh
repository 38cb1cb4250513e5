#!/usr/bin/env bash
# Usage: installed_package_test.sh <dir holding the .deb>
# Installs the package on this machine and follows a directory through its life:
# an upgrade from the earlier /opt layout keeps an imported directory, beside the one
# in /var/lib/orlinar if there is one, a new install generates the sample, which
# installed_program_test.sh checks, an imported directory survives reinstalling and
# removal, and purging deletes it. Needs root; purges what it installed on every
# way out.
set -euo pipefail
deb=$(realpath "$(ls "$1"/orlinar_*.deb)")
. "$(dirname "$0")/support.sh"

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
need apt-get dpkg-deb

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
  rm -rf "$work" /var/lib/orlinar /opt/orlinar
}
trap cleanup EXIT

apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq --no-install-recommends "$@" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get $*"; }; }
write_small_tsv "$work/small.tsv"
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
install_old_layout() {
  dpkg -i "$work/orlinar_1.0.0_old.deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "cannot install the earlier layout"; }
}
install_old_layout
apt_get install "$deb"
same_directory /var/lib/orlinar "$work/small" || fail "upgrading from /opt/orlinar lost the directory imported there"
[ ! -e /opt/orlinar ] || fail "/opt/orlinar is left after the upgrade"
apt_get purge orlinar
[ ! -e /var/lib/orlinar ] || fail "purge left /var/lib/orlinar"

# With a directory in /var/lib/orlinar already, the one from /opt/orlinar goes beside it.
"$root/usr/bin/orlinar-data" generate "$work/other" 10 7 || fail "orlinar-data cannot generate a directory"
install_old_layout
cp -a "$work/other" /var/lib/orlinar
apt_get install "$deb"
same_directory /var/lib/orlinar "$work/other" || fail "upgrading from /opt/orlinar replaced the directory in /var/lib/orlinar"
backups=(/var/lib/orlinar/opt-orlinar-backup.*)
[ ${#backups[@]} -eq 1 ] && same_directory "${backups[0]}" "$work/small" ||
  fail "upgrading from /opt/orlinar kept no copy of its directory beside /var/lib/orlinar: ${backups[*]}"
grep -qF "the files from /opt/orlinar are kept in ${backups[0]}" "$work/apt.log" || fail "the upgrade did not say where the directory from /opt/orlinar went"
apt_get purge orlinar
[ ! -e /var/lib/orlinar ] || fail "purge left /var/lib/orlinar"

apt_get install "$deb"
[ "$(status)" = installed ] || fail "package not installed: $(status)"
"$(dirname "$0")/installed_program_test.sh" || exit 1
orlinar-data import "$work/small.tsv" /var/lib/orlinar || fail "orlinar-data cannot import into /var/lib/orlinar"

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
