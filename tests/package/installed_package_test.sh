#!/usr/bin/env bash
# Usage: installed_program_test.sh <build dir>
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/orlinar_*.deb)

fail() { echo "FAIL: $*"; exit 1; }

dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt 6 widgets runtime"
dpkg-deb -f "$deb" Depends | grep -q -- '-dev' && fail "Depends names a -dev package"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in opt/orlinar/orlinar opt/orlinar/orlinar-data opt/orlinar/Cities.dbr opt/orlinar/Streets.dbr opt/orlinar/Phones.dbr \
         usr/share/applications/orlinar.desktop usr/share/icons/hicolor/scalable/apps/orlinar.svg; do
  [ -e "$root/$f" ] || fail "package lacks /$f"
done
[ -L "$root/usr/bin/orlinar" ] || fail "/usr/bin/orlinar is not a link"
"$root/usr/bin/orlinar-data" export "$root/opt/orlinar" "$work/directory.tsv" || fail "orlinar-data cannot read the installed directory"
[ -s "$work/directory.tsv" ] || fail "orlinar-data exported nothing"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/orlinar.desktop" || fail "desktop entry invalid"
fi

# Started through the launcher, the program must find its files beside its real path
# and show its main window; without them it shows the "Error" start-up report instead.
# Polls, since a busy machine may take a while to map the window; the X platform is
# named because the test runs inside a headless (offscreen) environment.
verdict=$(xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  QT_QPA_PLATFORM=xcb "$1" & pid=$!
  for _ in $(seq 60); do
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || { echo "ended early"; exit; }
    windows=$(xwininfo -root -tree)
    if grep -q "\"Error\"" <<<"$windows"; then echo "start-up failure report"; break; fi
    if grep -q "\"orlinar\" \"orlinar\"" <<<"$windows"; then echo "main window shown"; break; fi
  done
  kill "$pid" 2>/dev/null' _ "$root/usr/bin/orlinar")
[ "$verdict" = "main window shown" ] || fail "installed program: ${verdict:-no window within 30 s}"
echo "installed program runs from its launcher and shows its window"
