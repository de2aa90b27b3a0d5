#!/usr/bin/env bash
# Shows that tools/check-hardening.sh catches each missing protection: a probe
# program built with all of them passes, and built without one of them fails
# with that protection named.
set -euo pipefail
cd "$(dirname "$0")/.."
CXX=${CXX:-g++}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

hardened=(-O2 -D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection
  -fcf-protection -fPIE -pie -Wl,-z,relro,-z,now)
build() {  # output, extra flags...
  local output=$1
  shift
  "$CXX" "${hardened[@]}" "$@" tools/hardening_probe.cpp -o "$work/$output"
}

build probe
tools/check-hardening.sh "$work/probe"

status=0
while IFS='|' read -r name flags expected; do
  # shellcheck disable=SC2086
  build "$name" $flags
  if output=$(tools/check-hardening.sh "$work/$name" 2>&1); then
    echo "FAIL: a probe built with $flags passes the check" >&2
    status=1
  elif ! grep -q "missing $expected" <<<"$output"; then
    echo "FAIL: a probe built with $flags: expected \"missing $expected\", got:" >&2
    echo "$output" >&2
    status=1
  else
    echo "built with $flags: $(grep -c missing <<<"$output") missing, \"$expected\" among them"
  fi
done <<'CASES'
no-pie|-fno-pie -no-pie|PIE
lazy|-Wl,-z,lazy|BIND_NOW
no-relro|-Wl,-z,norelro|GNU_RELRO
no-ssp|-fno-stack-protector|stack protector
no-fortify|-U_FORTIFY_SOURCE|fortified calls
no-cet|-fcf-protection=none|CET
CASES
exit "$status"
