#!/usr/bin/env bash
# Runs plomb-focal.exe under wine and the Linux plomb-focal on the published
# programs and compares what they do: every raw file listed (plain, and with
# --bytes --ascii) and every listing compiled, to a file and to standard
# output. Exit status and standard error must agree; a listing must be the
# Linux one with CR LF line ends and valid UTF-8; raw files must be the same
# bytes. Also lists the sample image.
# Usage: focal_corpus.sh PLOMB-FOCAL PLOMB-FOCAL.EXE CORPUS_DIR
# (wine runs in the WINEPREFIX of the environment, if one is set)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux=$(realpath "$1")
exe=$(realpath "$2")
corpus=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all
passed=0
failed=0

fail() {  # $1: what differs
  echo "FAILED: $1"
  failed=$((failed + 1))
}

# Runs one side in its own directory: $1 linux|windows, $2... the arguments.
# Leaves $work/$1/out, $work/$1/err and $work/$1/rc.
run_side() {
  local side=$1
  shift
  mkdir -p "$work/$side"
  local rc=0
  if [ "$side" = windows ]; then
    (cd "$work/$side" && wine "$exe" "$@" > out 2> err) || rc=$?
  else
    (cd "$work/$side" && "$linux" "$@" > out 2> err) || rc=$?
  fi
  echo "$rc" > "$work/$side/rc"
}

# The Linux text with every LF made CR LF.
crlf() { sed 's/$/\r/' "$1"; }

# Runs both sides with the same arguments; compares exit status and standard
# error, and standard output as text ($1 = text) or bytes ($1 = bytes).
compare_run() {
  local kind=$1
  shift
  rm -rf "$work/linux" "$work/windows"
  run_side linux "$@"
  run_side windows "$@"
  local what="plomb-focal $*"
  local ok=1
  if ! cmp -s "$work/linux/rc" "$work/windows/rc"; then
    fail "$what: exit status $(cat "$work/linux/rc") on Linux, $(cat "$work/windows/rc") on Windows"
    ok=0
  fi
  if ! cmp -s <(crlf "$work/linux/err") "$work/windows/err"; then
    fail "$what: standard error differs"
    diff <(crlf "$work/linux/err" | cat -A) <(cat -A "$work/windows/err") | head -6 || true
    ok=0
  fi
  if [ "$kind" = text ]; then
    if ! cmp -s <(crlf "$work/linux/out") "$work/windows/out"; then
      fail "$what: listing differs (beyond CR LF line ends)"
      diff <(crlf "$work/linux/out" | cat -A) <(cat -A "$work/windows/out") | head -10 || true
      ok=0
    fi
    if ! iconv -f UTF-8 -t UTF-8 "$work/windows/out" > /dev/null 2>&1; then
      fail "$what: the Windows listing is not valid UTF-8"
      ok=0
    fi
  elif ! cmp -s "$work/linux/out" "$work/windows/out"; then
    fail "$what: standard output differs"
    ok=0
  fi
  return $((1 - ok))
}

# Every raw file and listing, found in the corpus's folders.
mapfile -d '' raws < <(find "$corpus" -type f -iname '*.raw' -print0 | sort -z)
mapfile -d '' listings < <(find "$corpus" -type f \( -iname '*.txt' -o -iname '*.prg' \) -print0 | sort -z)
[ ${#raws[@]} -gt 0 ] && [ ${#listings[@]} -gt 0 ] || { echo "no raw files or listings in $corpus"; exit 1; }

for raw in "${raws[@]}"; do
  compare_run text list "$raw" && passed=$((passed + 1))
  compare_run text list --bytes --ascii "$raw" && passed=$((passed + 1))
done

for listing in "${listings[@]}"; do
  # To a named file, written by each side in its own directory.
  if compare_run bytes compile "$listing" OUT.RAW; then
    l="$work/linux/OUT.RAW"
    w="$work/windows/OUT.RAW"
    if { [ ! -e "$l" ] && [ ! -e "$w" ]; } || { [ -e "$l" ] && [ -e "$w" ] && cmp -s "$l" "$w"; }; then
      passed=$((passed + 1))
    else
      fail "plomb-focal compile $listing OUT.RAW: the raw files differ"
    fi
  fi
  # To standard output, which must stay binary on Windows.
  compare_run bytes compile "$listing" - && passed=$((passed + 1))
done

# The sample image, whose listing holds signs beyond ASCII.
compare_run text list "$here/../../examples/ZEMF" && passed=$((passed + 1))
grep -q '◆LBL "AREA"' "$work/windows/out" || fail "the Windows listing of the sample image lacks ◆LBL \"AREA\""

echo "$passed passed, $failed failed"
[ $failed = 0 ]
