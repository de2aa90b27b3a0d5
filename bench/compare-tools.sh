#!/usr/bin/env bash
# Whole-process comparison of the velunor command line with the tools a user
# would otherwise pick (openssl, rhash, base64), on one random file.
#
# Each task runs velunor and its peer alternately, RUNS times each, under
# /usr/bin/time; the table gives the median CPU time (user + system) of each,
# the ratio peer time / velunor time (above 1: velunor is faster) and
# velunor's largest peak resident memory. Outputs go to /dev/null.
#
# Usage: bench/compare-tools.sh [SIZE_MIB]    (default 256)
# Environment: VELUNOR (the program, default build/bin/velunor), RUNS (3),
# WORKDIR (where the test files go, default a fresh directory under /tmp).
# Needs: openssl, rhash, coreutils' base64, python3 (zlib's crc32()) and
# /usr/bin/time (Debian packages openssl, rhash, coreutils, python3, time).
set -euo pipefail

size_mib=${1:-256}
runs=${RUNS:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
velunor=${VELUNOR:-$here/build/bin/velunor}
timer=/usr/bin/time

for tool in "$velunor" openssl rhash base64 python3 "$timer"; do
  command -v "$tool" > /dev/null || { echo "missing: $tool" >&2; exit 1; }
done

workdir=${WORKDIR:-$(mktemp -d /tmp/velunor-compare.XXXXXX)}
[[ -n ${WORKDIR:-} ]] || trap 'rm -rf "$workdir"' EXIT
mkdir -p "$workdir"

# Blowfish with a raw 16-byte key (openssl's key length for bf) and an IV.
key=00112233445566778899AABBCCDDEEFF
iv=0102030405060708
keyword=Schluesselwort
legacy=(-provider legacy -provider default)

plain=$workdir/plain.bin
echo "Preparing a ${size_mib} MiB random file in $workdir ..." >&2
head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$plain"
base64 -w0 "$plain" > "$workdir/plain.b64"
"$velunor" encrypt --mode cbc --key "$key" --iv "$iv" --format copy "$plain" > "$workdir/velunor.cbc"
openssl enc "${legacy[@]}" -bf-cbc -K "$key" -iv "$iv" -in "$plain" -out "$workdir/openssl.cbc"

crc32_py='import sys, zlib
crc = 0
with open(sys.argv[1], "rb") as f:
    for piece in iter(lambda: f.read(1 << 20), b""):
        crc = zlib.crc32(piece, crc)
print("%08x" % crc)'

# One measurement: prints "cpu_seconds peak_kib" of the command.
measure() {
  local out
  out=$("$timer" -f '%U %S %M' "$@" 2>&1 > /dev/null | tail -n 1)
  awk '{ printf "%.3f %d\n", $1 + $2, $3 }' <<< "$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '| Task | Peer | velunor CPU s | peer CPU s | Ratio | velunor peak memory |\n'
printf '|---|---|---|---|---|---|\n'

# compare TASK PEER_LABEL -- VELUNOR_COMMAND... -- PEER_COMMAND...
compare() {
  local task=$1 label=$2
  shift 3
  local ours=() theirs=()
  while [[ $1 != -- ]]; do ours+=("$1"); shift; done
  shift
  theirs=("$@")
  local ours_times=() theirs_times=() peak=0 t m
  for ((i = 0; i < runs; i++)); do
    read -r t m < <(measure "${ours[@]}")
    ours_times+=("$t")
    ((m > peak)) && peak=$m
    read -r t m < <(measure "${theirs[@]}")
    theirs_times+=("$t")
  done
  local ours_median theirs_median
  ours_median=$(printf '%s\n' "${ours_times[@]}" | median)
  theirs_median=$(printf '%s\n' "${theirs_times[@]}" | median)
  awk -v task="$task" -v label="$label" -v o="$ours_median" -v p="$theirs_median" -v k="$peak" \
    'BEGIN { ratio = (o > 0 ? sprintf("%.2f", p / o) : "n/a (below 0.01 s)")
            printf "| %s | `%s` | %.2f | %.2f | %s | %d MiB |\n", task, label, o, p, ratio, k / 1024 }'
}

v=("$velunor")
compare "MD5 digest" "openssl dgst -md5" -- "${v[@]}" digest --hash "Message Digest 5" "$plain" -- openssl dgst -md5 "$plain"
compare "MD4 digest" "rhash --md4" -- "${v[@]}" digest --hash "Message Digest 4" "$plain" -- rhash --md4 "$plain"
compare "SHA-1 digest" "openssl dgst -sha1" -- "${v[@]}" digest --hash "Secure Hash Algorithm 1" "$plain" -- openssl dgst -sha1 "$plain"
compare "RIPEMD-160 digest" "openssl dgst -ripemd160" -- "${v[@]}" digest --hash "Ripe Message Digest 160" "$plain" -- openssl dgst -ripemd160 "$plain"
compare "Tiger digest" "rhash --tiger" -- "${v[@]}" digest --hash Tiger "$plain" -- rhash --tiger "$plain"
compare "Snefru-256 digest" "rhash --snefru256" -- "${v[@]}" digest --hash Snefru-256 "$plain" -- rhash --snefru256 "$plain"
compare "CRC-32" "rhash --crc32" -- "${v[@]}" digest --hash CRC-32 "$plain" -- rhash --crc32 "$plain"
compare "CRC-32" "zlib crc32() through python3, start-up included" -- "${v[@]}" digest --hash CRC-32 "$plain" -- python3 -c "$crc32_py" "$plain"
compare "base 64 encode" "openssl base64 -A" -- "${v[@]}" convert --to base64 "$plain" -- openssl base64 -A -in "$plain"
compare "base 64 encode" "base64 -w0" -- "${v[@]}" convert --to base64 "$plain" -- base64 -w0 "$plain"
compare "base 64 decode" "openssl base64 -d -A" -- "${v[@]}" convert --from base64 "$workdir/plain.b64" -- openssl base64 -d -A -in "$workdir/plain.b64"
compare "base 64 decode" "base64 -d" -- "${v[@]}" convert --from base64 "$workdir/plain.b64" -- base64 -d "$workdir/plain.b64"
compare "Blowfish ECB encrypt, raw key, binary out" "openssl enc -bf-ecb" -- "${v[@]}" encrypt --mode ecb --key "$key" --format copy "$plain" -- openssl enc "${legacy[@]}" -bf-ecb -nopad -K "$key" -in "$plain"
compare "Blowfish CBC encrypt" "openssl enc -bf-cbc" -- "${v[@]}" encrypt --mode cbc --key "$key" --iv "$iv" --format copy "$plain" -- openssl enc "${legacy[@]}" -bf-cbc -K "$key" -iv "$iv" -in "$plain"
compare "Blowfish CBC decrypt" "openssl enc -d -bf-cbc" -- "${v[@]}" decrypt --mode cbc --key "$key" --iv "$iv" --format copy "$workdir/velunor.cbc" -- openssl enc "${legacy[@]}" -d -bf-cbc -K "$key" -iv "$iv" -in "$workdir/openssl.cbc"
compare "cmCTS encrypt vs CBC encrypt" "openssl enc -bf-cbc" -- "${v[@]}" encrypt --mode cts --key "$key" --format copy "$plain" -- openssl enc "${legacy[@]}" -bf-cbc -K "$key" -iv "$iv" -in "$plain"
compare "keyword encrypt, base 64 out" "openssl enc -bf-cbc -a -A" -- "${v[@]}" encrypt --keyword "$keyword" "$plain" -- openssl enc "${legacy[@]}" -bf-cbc -a -A -K "$key" -iv "$iv" -in "$plain"

echo
echo "${size_mib} MiB random file, median of ${runs} runs each, CPU time = user + system (/usr/bin/time)."
echo "Measured on $(uname -m), $(nproc) processors: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')."
echo "On a shared machine the absolute times vary; the ratios of runs taken side by side are the figures to read."
