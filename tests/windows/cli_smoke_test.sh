#!/usr/bin/env bash
# velunor.exe under Wine codes byte for byte as velunor does on Linux (the
# expected texts were made by the Linux tool, whose window coding the oracle
# tests check): keywords and file names given as UTF-16 arguments reach the
# coding as the same code page 1252 bytes, standard input and output carry
# bytes unchanged, and --text output has CR LF line breaks.
#   cli_smoke_test.sh VELUNOR.EXE   (run through with_wine.sh)
set -u
exe=$(realpath "$1")
failures=0 checks=0
velunor() { wine "$exe" "$@"; }
check() { # NAME GOT WANT
  checks=$((checks + 1))
  if [[ $2 != "$3" ]]; then
    echo "FAILED: $1: got [$2], want [$3]" >&2
    failures=$((failures + 1))
  fi
}
hex() { od -An -tx1 -v | tr -d ' \n'; }

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir" || exit 1

letter=$'Grüße aus Köln\nzweite Zeile €\n'
keyword='Schlüssel€'
cipher='Qb6LW4PcvkkEpCXtBAS+eVDPdo+Qv+t264G+V/HGAJ4='

# The window's coding, the keyword as an argument.
check "encrypt --text" "$(printf %s "$letter" | velunor encrypt --text --keyword "$keyword" | hex)" \
  "$(printf '%s\r\n' "$cipher" | hex)"
check "decrypt --text" "$(printf '%s\n' "$cipher" | velunor decrypt --text --keyword "$keyword" | hex)" \
  "$(printf 'Grüße aus Köln\r\nzweite Zeile €\r\n' | hex)"
# The same keyword from the environment and from a file with a Unicode name.
check "VELUNOR_KEYWORD" "$(printf %s "$letter" | VELUNOR_KEYWORD=$keyword WINEDEBUG=-all \
  velunor encrypt --text | tr -d '\r\n')" "$cipher"
printf '%s\n' "$keyword" > 'Schlüssel €.txt'
check "--keyword-file" "$(printf %s "$letter" |
  velunor encrypt --text --keyword-file 'Schlüssel €.txt' | tr -d '\r\n')" "$cipher"
check "a keyword outside code page 1252" \
  "$(printf x | velunor encrypt --keyword 'Ключ123' > /dev/null 2>&1; echo $?)" 2

# The HMAC covers every byte, the keyword as code page 1252 bytes (values of
# Python's hmac with MD5).
for message in 'Attack at:7caf25fec0e2106a7ecd387dd7d84610' \
  'Attack aX:3167e2983701dc85172806a3d0ab0598' 'Attack at dawn:a739973ea562d3c45c47f39304e73e11'; do
  check "mac ${message%%:*}" "$(printf %s "${message%%:*}" |
    velunor mac --hash 'Message Digest 5' --keyword "$keyword" | tr -d '\r')" "${message#*:}"
done
check "mac --chain on a partial block" \
  "$(printf 'Attack at' | velunor mac --chain ctsmac --keyword "$keyword" > /dev/null 2>&1; echo $?)" 2

# Bytes through standard input and output: LF, CR LF, 1A and 00 unchanged.
binary=$'a\nb\r\nc\x1a'
printf '%s\0d\r\n\n' "$binary" > binary.dat
check "encrypt bytes" "$(velunor encrypt --keyword "$keyword" --format copy < binary.dat | hex)" \
  "c27377e73e195e4c9e3c8b5d"
check "round trip" "$(velunor encrypt --keyword "$keyword" --format copy < binary.dat |
  velunor decrypt --keyword "$keyword" --format copy | hex)" "$(hex < binary.dat)"
check "convert --to" "$(velunor convert --to base64 < binary.dat | tr -d '\n')" "YQpiDQpjGgBkDQoK"
check "convert --from" "$(echo YQpiDQpjGgBkDQoK | velunor convert --from base64 | hex)" \
  "$(hex < binary.dat)"

# A digest of a file named in Unicode.
cp binary.dat 'Größe €.dat'
check "digest" "$(velunor digest 'Größe €.dat')" \
  "9fac25504a16f6f9aa430c0b5aa0a64ad0e3359d8121c85cb106f741e9ee5525  Größe €.dat"

check "selftest" "$(velunor selftest > /dev/null; echo $?)" 0

echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
