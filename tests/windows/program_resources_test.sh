#!/usr/bin/env bash
# Each Windows program carries the application icon (all seven sizes) and a
# version resource with the project's version and its own file name, as
# windres reads them back out of the program file.
#   program_resources_test.sh WINDRES VERSION PROGRAM...
set -uo pipefail
windres=$1 version=$2
shift 2
status=0
for program in "$@"; do
  name=$(basename "$program")
  resources=$("$windres" -i "$program" -O rc) || { echo "$name: windres cannot read it" >&2; status=1; continue; }
  for expected in "Has 7 elements" "VALUE \"FileVersion\", \"$version\"" \
    "VALUE \"ProductVersion\", \"$version\"" "VALUE \"OriginalFilename\", \"$name\""; do
    grep -qF "$expected" <<<"$resources" || { echo "$name: no '$expected'" >&2; status=1; }
  done
done
exit "$status"
