#!/usr/bin/env bash
# Installs the built tools two ways, with `cmake --install` into a temporary
# prefix and as a .deb unpacked into a temporary root, and runs each
# installed plomb and plomb-focal on the sample image; checks the licence is
# installed (the .deb's copyright file) and both manual pages format
# without a warning and are installed.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
expected="$source/tests/e2e/expected/sample_list.txt"

run_installed() {  # $1: the installed bin directory
  cp "$source/examples/ZEMF" "$work/ZEMF"
  (cd "$work" && "$1/plomb" ?) > "$work/out.txt"
  cmp "$work/out.txt" "$expected"
  # plomb-focal lists the sample image as the built one does.
  "$1/plomb-focal" list "$work/ZEMF" > "$work/focal.txt"
  grep -q '^01◆LBL "AREA"$' "$work/focal.txt"
  cmp "$work/focal.txt" "$focal_expected"
}

"$build/plomb-focal" list "$source/examples/ZEMF" > "$work/focal_expected.txt"
focal_expected="$work/focal_expected.txt"

for page in plomb.1 plomb-focal.1; do
  warnings=$(groff -man -Tutf8 -ww "$source/man/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "manual page $page warnings: $warnings"; exit 1; }
done

cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/share/man/man1/plomb.1"
cmp "$work/prefix/share/doc/plomb/LICENSE" "$source/LICENSE"
cmp "$source/man/plomb-focal.1" "$work/prefix/share/man/man1/plomb-focal.1"
run_installed "$work/prefix/bin"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/plomb_*.deb)
info=$(dpkg-deb --info "$deb")
[[ "$info" == *"Package: plomb"* ]]
dpkg -x "$deb" "$work/root"
test -f "$work/root/usr/share/man/man1/plomb.1"
cmp "$work/root/usr/share/doc/plomb/copyright" "$source/LICENSE"
cmp "$source/man/plomb-focal.1" "$work/root/usr/share/man/man1/plomb-focal.1"
run_installed "$work/root/usr/bin"
echo "1 passed, 0 failed"
