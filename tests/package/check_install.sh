#!/usr/bin/env bash
# Installs the built tool two ways, with `cmake --install` into a temporary
# prefix and as a .deb unpacked into a temporary root, and runs each
# installed plomb on the sample image; checks the licence is installed (the
# .deb's copyright file) and the manual page formats without a warning.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
expected="$source/tests/e2e/expected/sample_list.txt"

run_installed() {  # $1: the installed plomb
  cp "$source/examples/ZEMF" "$work/ZEMF"
  (cd "$work" && "$1" ?) > "$work/out.txt"
  cmp "$work/out.txt" "$expected"
}

warnings=$(groff -man -Tutf8 -ww "$source/man/plomb.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "manual page warnings: $warnings"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/share/man/man1/plomb.1"
cmp "$work/prefix/share/doc/plomb/LICENSE" "$source/LICENSE"
run_installed "$work/prefix/bin/plomb"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/plomb_*.deb)
info=$(dpkg-deb --info "$deb")
[[ "$info" == *"Package: plomb"* ]]
dpkg -x "$deb" "$work/root"
test -f "$work/root/usr/share/man/man1/plomb.1"
cmp "$work/root/usr/share/doc/plomb/copyright" "$source/LICENSE"
run_installed "$work/root/usr/bin/plomb"
echo "1 passed, 0 failed"
