#!/usr/bin/env bash
# Keeps the includes of src/ in the direction of the libraries' layers: a
# file may include headers of its own folder and of the folders its library
# is allowed to use, never of a layer above. Includes that climb out of a
# folder ("../") are refused, since they would bypass the include roots.
# Usage: tools/check-include-layers.sh [source root]   (default: src)
set -euo pipefail
root=${1:-$(dirname "$0")/../src}

# Each folder with the folders below it that it may include.
declare -A may_use=(
  [runtime]=""
  [primitives]="runtime"
  [protection]="runtime files"
  [hash]="runtime primitives protection"
  [cipher]="runtime primitives protection hash"
  [managers]="runtime primitives protection hash cipher"
  [encrypter]="runtime primitives protection hash cipher managers files"
  [files]=""
  [platform]=""
  [cli]="runtime primitives protection hash cipher managers encrypter files"
  [caption]=""
  [widgets]="runtime files caption"
  [cheatsheet]="runtime files caption widgets encrypter"
  [win32]="runtime primitives protection hash cipher managers encrypter files platform caption"
  [app]="runtime primitives protection hash cipher managers encrypter files platform caption widgets cheatsheet"
)

status=0
for dir in "$root"/*/; do
  folder=$(basename "$dir")
  if [[ ! -v may_use[$folder] ]]; then
    echo "src/$folder: not in the layer list of $0" >&2
    status=1
    continue
  fi
  allowed=" $folder ${may_use[$folder]} "
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include "([^"]*)".*/\1/' <<<"$include")
    if [[ $target == *../* ]]; then
      echo "${file#"$root"/}:$line: climbs out of its folder: $target" >&2
      status=1
    elif [[ $target == */* ]]; then
      used=${target%%/*}
      if [[ $allowed != *" $used "* ]]; then
        echo "${file#"$root"/}:$line: $folder may not include $target" >&2
        status=1
      fi
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$dir" --include='*.h' --include='*.cpp' |
           sed -E 's/^([^:]*):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*/\1:\2:#include /')
done
if [[ $status -eq 0 ]]; then echo "includes follow the layers"; fi
exit $status
