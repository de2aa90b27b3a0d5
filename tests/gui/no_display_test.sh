#!/bin/bash
# Without any graphical desktop: cmvelunor says so in one line and ends
# with 1 (no abort), and what `make run` starts shows velunor instead.
#
#   no_display_test.sh BIN_DIR RUN_SCRIPT
set -u
bin=$1
run=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
no_desktop() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
# No desktop, and $1 as the language for messages.
no_desktop_in() {
  local lang=$1
  shift
  no_desktop env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$lang" "$@"
}

# The line is German, and English on an English desktop.
for case in 'C.UTF-8:grafische Oberfläche.*velunor --help' \
  'en_GB.UTF-8:needs a graphical desktop.*velunor --help'; do
  no_desktop_in "${case%%:*}" "$bin/cmvelunor" >"$out/stdout" 2>"$out/stderr"
  status=$?
  [ "$status" = 1 ] || fail "cmvelunor ended with $status: $(cat "$out/stderr")"
  [ ! -s "$out/stdout" ] || fail "cmvelunor wrote to standard output"
  [ "$(wc -l <"$out/stderr")" = 1 ] || fail "not one line: $(cat "$out/stderr")"
  grep -q "${case#*:}" "$out/stderr" || fail "says: $(cat "$out/stderr")"
done

# A Wayland display named whose compositor has gone (its socket file left
# behind) is no desktop either.
touch "$out/wayland-gone"
no_desktop env XDG_RUNTIME_DIR="$out" WAYLAND_DISPLAY=wayland-gone "$bin/cmvelunor" \
  >"$out/stdout" 2>"$out/stderr"
status=$?
[ "$status" = 1 ] || fail "with a Wayland display gone: status $status: $(cat "$out/stderr")"
[ "$(wc -l <"$out/stderr")" = 1 ] || fail "with a Wayland display gone, not one line: $(cat "$out/stderr")"

no_desktop "$run" "$bin" >"$out/stdout" 2>"$out/stderr" || fail "the demonstration failed"
expected=$(printf 'Grüße aus Velunor\n' | "$bin/velunor" encrypt --text --keyword Geheimnis)
grep -qx "  $expected" "$out/stdout" || fail "no cipher text $expected"
grep -qx '  Grüße aus Velunor' "$out/stdout" || fail "the text did not come back"
grep -q '^Usage: velunor' "$out/stdout" || fail "no help"
echo "no display: passed"
