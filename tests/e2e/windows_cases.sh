#!/usr/bin/env bash
# What is Windows' own, checked against plomb.exe under wine: label bytes
# that Windows refuses in file names become '_', a read-only file is neither
# read nor replaced, and the console writes exactly one CR LF per line.
# Usage: windows_cases.sh PLOMB.EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tool=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() {  # $1: what, $2: command that must succeed
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=$((failed + 1)); fi
}
run() {  # the command line after the tool's name, handed over whole
  printf '@"Z:%s" %s\r\n' "$(printf '%s' "$tool" | tr / '\\')" "$1" > "$work/run.bat"
  (cd "$work" && wine cmd /c run.bat 2>/dev/null; rm -f run.bat)
}

# An image whose programs are labelled with bytes Windows refuses in names.
python3 - "$work/LABELS" <<'PY'
import sys
# Header, status registers with R00 = 0x1C0 and .END. in 0x1BD, registers 0x0C0-0x1FF:
# one program, LBL "A<B|C" and END, above the .END.
status = bytearray(112)
status[13 * 7 + 1] = 0x01  # .END. register bits 8-11; R00's low nibble 0
status[13 * 7 + 0] = 0xBD
status[13 * 7 + 2] = 0x1C
data = bytearray(7 * 320)
def at(a):
    return a - 0x0C0 * 7
prog = [0xC0, 0x00, 0xF6, 0x00] + list(b'A<B|C') + [0xC0, 0x00, 0x0D]
top = 0x1C0 * 7 - 1
for i, b in enumerate(prog):
    data[at(top - i)] = b
# END at top - 9 links up 9 bytes to the label
data[at(top - 9)], data[at(top - 10)] = 0xC4, 0x01
end = 0x1BD * 7 + 2
data[at(end)], data[at(end - 1)], data[at(end - 2)] = 0xC0 + 2 * ((top - 9 - end) % 7), (top - 9 - end) // 7, 0x2D
open(sys.argv[1], 'wb').write(b'HPHP41-C\x00\x00\x00\x00\x00' + bytes(status) + bytes(data))
PY
out=$(run "- LABELS")
check "refused label bytes become '_' in the file name" '[ -f "$work/A_B_C.002" ] && [[ "$out" == *"->A_B_C.002 "* ]]'
check "the console ends lines with one CR LF" '! printf "%s" "$out" | grep -q $'"'"'\r\r'"'"''

cp "$work/LABELS" "$work/RO"
chmod a-w "$work/RO"
out=$(run "? RO")
check "a read-only image is refused" '[[ "$out" == *"INVALID RO FILE."* ]]'
echo "$(( 3 - failed )) passed, $failed failed"
[ $failed = 0 ]
