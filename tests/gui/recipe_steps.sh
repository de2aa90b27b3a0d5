# Sourced by the mail program tests: checks that the README and the manual
# of cmvelunor show each line of the recipe file $1 (comments aside) as it
# runs in the test; $2 is the source tree. Calls fail (MESSAGE).
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
