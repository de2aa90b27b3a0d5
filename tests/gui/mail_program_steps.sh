# Sourced by the mail program tests (after x11_steps.sh): the steps they
# share. A script that sources it defines fail (MESSAGE) and keyword.

# Checks that the README and the manual of cmvelunor show each line of the
# recipe file $1 (comments aside) as it runs in the test; $2 is the source
# tree.
check_recipe_shown() {
  local recipe=$1 source=$2 line manual
  # The manual's roff source as man shows it: backslashes and dashes plain.
  manual=$(sed -e 's/\\-/-/g' -e 's/\\e/\\/g' "$source/share/man/cmvelunor.1")
  while IFS= read -r line; do
    case $line in '#'* | '') continue ;; esac
    grep -qxF "    $line" "$source/README.md" || fail "the README lacks the recipe's line: $line"
    grep -qxF "$line" <<<"$manual" || fail "the manual lacks the recipe's line: $line"
  done <"$recipe"
}

# Types the keyword into the window (as filter or editor), presses the
# coding button shown and "&OK"; waits for the window to end.
code_in_window() {
  local window
  window=$(visible_window --class '^TFormVelunorFilter$')
  [ -n "$window" ] || fail "no Velunor window"
  focus "$window"
  type_text "$keyword"
  press Tab space
  sleep 0.5
  press alt+o
  for _ in $(seq 100); do
    xdotool search --class '^TFormVelunorFilter$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the Velunor window does not end after OK"
}
