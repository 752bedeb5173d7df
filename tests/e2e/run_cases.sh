#!/usr/bin/env bash
# Runs the shared end-to-end cases (tests/e2e/cases.txt) against a built tool
# and compares its whole output and the files it leaves, byte for byte.
#
#   run_cases.sh TOOL              the Linux build: the command line is split
#                                  by the shell into arguments
#   run_cases.sh --wine TOOL.EXE   plomb.exe under wine: the command line is
#                                  handed to it whole, through a batch file
#   --update (first)               rewrites the expected files instead
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
update=0
[ "${1:-}" = "--update" ] && { update=1; shift; }
wine=0
[ "${1:-}" = "--wine" ] && { wine=1; shift; }
tool=$(realpath "$1")
expected=$here/expected/cases
mkdir -p "$expected"

passed=0
failed=0
while IFS=$'\t' read -r name line || [ -n "$name" ]; do
  case "$name" in ''|'#'*) continue ;; esac
  dir=$(mktemp -d)
  cp "$source_dir"/examples/* "$source_dir"/tests/e2e/fixtures/* "$dir"/
  if [ $wine = 1 ]; then
    printf '@"Z:%s" %s\r\n' "$(printf '%s' "$tool" | tr / '\\')" "$line" > "$dir/run.bat"
    (cd "$dir" && WINEDEBUG=-all wine cmd /c run.bat > "$dir/../$name.out" 2>/dev/null) || true
    rm "$dir/run.bat"
  else
    (cd "$dir" && set -f && eval "set -- $line" && "$tool" "$@" > "$dir/../$name.out")
  fi
  mv "$dir/../$name.out" "$dir.out"
  (cd "$dir" && find . -type f -printf '%P\0' | sort -z | xargs -0 -r sha256sum) > "$dir.files"
  if [ $update = 1 ]; then
    cp "$dir.out" "$expected/$name.out"
    cp "$dir.files" "$expected/$name.files"
  elif cmp -s "$dir.out" "$expected/$name.out" && cmp -s "$dir.files" "$expected/$name.files"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    diff <(cat -A "$expected/$name.out") <(cat -A "$dir.out") | head -20 || true
    diff "$expected/$name.files" "$dir.files" | head -10 || true
  fi
  rm -rf "$dir" "$dir.out" "$dir.files"
done < "$here/cases.txt"
[ $update = 1 ] && { echo "expected files written"; exit 0; }
echo "$passed passed, $failed failed"
[ $failed = 0 ]
