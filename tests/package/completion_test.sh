#!/usr/bin/env bash
# Bash completion of velunor, through bash's own machinery: the completion
# file registers its function with `complete`, and the function is called as
# readline calls it, with COMP_WORDS and COMP_CWORD set, then COMPREPLY is
# checked.
#   completion_test.sh VELUNOR COMPLETION_FILE
set -uo pipefail
velunor=$(realpath "$1")
completion=$(realpath "$2")
PATH=$(dirname "$velunor"):$PATH
failures=0

source "$completion" || exit 1
registered=$(complete -p velunor 2> /dev/null)
[[ $registered == "complete -F "*" velunor" ]] || {
  echo "completion: velunor has no completion function ($registered)" >&2
  exit 1
}
function=$(awk '{ print $3 }' <<<"$registered")

# Completes the words given (the last one is the word under the cursor) and
# prints the replies, one per line, sorted.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  "$function" velunor "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}" | sort
}

# expect WORDS... :: REPLIES... : the replies must be exactly these.
expect() {
  local words=() replies=()
  while [[ $1 != '::' ]]; do words+=("$1") && shift; done
  shift
  replies=("$@")
  local want got
  want=$( ((${#replies[@]} == 0)) || printf '%s\n' "${replies[@]}" | sort)
  got=$(complete_words "${words[@]}")
  if [[ $got != "$want" ]]; then
    echo "completion of '${words[*]}': got [${got//$'\n'/|}], want [${want//$'\n'/|}]" >&2
    failures=$((failures + 1))
  fi
}

help_words() { # the first words of one part of a help text
  awk -v part="$1" '/^[A-Za-z].*:$/ { inside = ($0 == part); next } inside && /^  [^ ]/' |
    sed -e 's/^ *//' -e 's/ .*//' -e 's/,/\n/g'
}

# Every command, and every option of every command, that --help prints.
mapfile -t commands < <("$velunor" --help | help_words Subcommands:)
((${#commands[@]} >= 6)) || { echo "completion: too few commands" >&2 && exit 1; }
expect velunor '' :: "${commands[@]}"
mapfile -t options < <("$velunor" --help | help_words Options:)
expect velunor - :: "${options[@]}"
for command in "${commands[@]}"; do
  mapfile -t options < <("$velunor" "$command" --help | help_words Options: | grep -- "^--")
  expect velunor "$command" -- :: "${options[@]}"
done

# Names from `velunor list`: escaped, or inside the quote the user opened.
expect velunor digest --hash 'Ripe\ Message\ Digest\ 2' :: 'Ripe\ Message\ Digest\ 256'
expect velunor digest --hash 'Ripe\ Message\ Digest\ 1' :: 'Ripe\ Message\ Digest\ 128' \
  'Ripe\ Message\ Digest\ 160'
expect velunor encrypt --hash '"Ripe Message Digest 3' :: 'Ripe Message Digest 320'
expect velunor encrypt --hash "'CRC-16 C" :: 'CRC-16 CCITT'
expect velunor digest --hash Tig :: Tiger
expect velunor digest --hash = Tig :: Tiger
expect velunor decrypt --cipher TEA :: TEA 'TEA\ extended'
expect velunor encrypt --cipher SAFER-SK :: SAFER-SK40 SAFER-SK64 SAFER-SK128
expect velunor encrypt --mode cb :: cbc cbcmac
expect velunor mac --chain '' :: ctsmac cbcmac cfbmac
expect velunor mac --chain cb :: cbcmac
expect velunor digest --format hex :: hex hexl
expect velunor digest --format 10 :: 1016
expect velunor convert --to b :: base64
expect velunor convert --from 2 :: 21845 22616
expect velunor list '' :: hashes ciphers modes formats
expect velunor list c :: ciphers
mapfile -t hashes < <("$velunor" list hashes | sed 's/  .*//')
((${#hashes[@]} == 28)) || { echo "completion: velunor lists ${#hashes[@]} hashes" >&2 && exit 1; }
mapfile -t escaped < <(printf '%q\n' "${hashes[@]}")
expect velunor digest --hash '' :: "${escaped[@]}"

# Files where a file is expected, nothing where a keyword or key is.
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir" && touch letter.txt 'letter copy.txt' notes.txt
expect velunor encrypt let :: letter.txt 'letter copy.txt'
expect velunor encrypt --keyword-file n :: notes.txt
expect velunor digest letter.txt n :: notes.txt
expect velunor encrypt --keyword Geheim n :: notes.txt
expect velunor encrypt --hash Tiger --keyword-file n :: notes.txt
expect velunor encrypt --keyword n ::
expect velunor encrypt --key '' ::
expect velunor encrypt --hash 'Ripe Message Digest 256' --t :: --text

if ((failures > 0)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "completion of velunor: all cases passed"
