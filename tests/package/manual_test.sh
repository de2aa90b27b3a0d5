#!/usr/bin/env bash
# The manual keeps up with the program: every command that `velunor --help`
# lists has a section of its own in the manual, every option that a command's
# --help prints is described in that section, the global options in OPTIONS,
# and a command section names no option that its command does not have.
#   manual_test.sh VELUNOR MANUAL.1
set -euo pipefail
velunor=$1 manual=$2
failures=0
fail() { echo "manual: $*" >&2; failures=$((failures + 1)); }

# The manual's roff source with dashes and font changes made plain.
plain=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$manual")

# The lines of the section headed ".SS"/".SH" whose title names $1.
section() {
  awk -v name="$1" '
    /^\.S[HS] / {
      title = $0; sub(/^\.S[HS] +/, "", title); gsub(/"/, "", title)
      inside = 0; n = split(title, words, /, */)
      for (i = 1; i <= n; i++) if (words[i] == name) inside = 1
      next
    }
    inside' <<<"$plain"
}

# The lines of one part ("Options:", "Subcommands:") of a help text.
help_part() {
  awk -v part="$1" '/^[A-Za-z].*:$/ { inside = ($0 == part); next } inside && /^  [^ ]/'
}

options_of() { help_part Options: | sed -e 's/^ *//' -e 's/ .*//' -e 's/,/\n/g'; }

mentions() { grep -qE -- "(^|[^-a-z])$2([^-a-z]|\$)" <<<"$1"; }

check_options() {
  local title=$1 text=$2 help=$3 option
  [[ -n $text ]] || { fail "no section $title"; return; }
  for option in $(options_of <<<"$help"); do
    mentions "$text" "$option" || fail "$option of $title is not described"
  done
}

main_help=$("$velunor" --help)
check_options OPTIONS "$(section OPTIONS)" "$main_help"
commands=$(help_part Subcommands: <<<"$main_help" | awk '{ print $1 }')
[[ -n $commands ]] || fail "velunor --help lists no commands"
for command in $commands; do
  help=$("$velunor" "$command" --help)
  text=$(section "$command")
  check_options "$command" "$text" "$help"
  for option in $(grep -oE -- '(^|[^-a-z])--[a-z][-a-z]*' <<<"$text" | sed 's/^[^-]//' | sort -u); do
    mentions "$(options_of <<<"$help")" "$option" || fail "$command has no option $option"
  done
done

# man itself renders the page without complaint.
if warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 > /dev/null) &&
  [[ -n $warnings ]]; then
  fail "man warns: $warnings"
fi

if ((failures > 0)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "manual covers every command and option of velunor"
