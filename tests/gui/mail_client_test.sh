#!/bin/bash
# The hand-off to the mail client on a real X display (run under
# with_xvfb.sh): the stand-in mail client starts the program on a file,
# xdotool types the keyword and presses the coding button and "&OK", and the
# file and what the stand-in received are checked. Encrypts a letter,
# decrypts it back, then decrypts it again after a wrong keyword; then "&OK"
# on a full disk (a file size limit, and a full tmpfs where one may be
# mounted) must leave the letter as it was.
#
#   mail_client_test.sh BIN_DIR
set -u
. "$(dirname "$0")/x11_steps.sh"

bin=$1
keyword=geheim
workdir=$(mktemp -d)
file=$workdir/letter.txt
stub_out=$workdir/stub.out
stub_pid=""

cleanup() {
  [ -n "$stub_pid" ] && kill "$stub_pid" 2>/dev/null
  mountpoint -q "$workdir/small" && umount -l "$workdir/small"
  rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "the stand-in mail client printed:" >&2
  cat "$stub_out" >&2
  exit 1
}

hex() { od -An -v -tx1 | tr -d ' \n'; }

# Waits up to 15 s for a line of the stand-in matching $1.
wait_for_line() {
  for _ in $(seq 300); do
    grep -q "$1" "$stub_out" && return 0
    sleep 0.05
  done
  return 1
}

# The stand-in mail client starts cmvelunor on the letter $1, with a file
# size limit of $2 KiB if given (SIGXFSZ ignored, so that a write beyond it
# fails); waits for the main window and focuses it: sets window.
start_hand_off() {
  local letter=$1 size_limit=${2:-}
  : >"$stub_out"
  (
    trap '' XFSZ
    [ -n "$size_limit" ] && ulimit -f "$size_limit"
    exec "$bin/mailclient-stub" --start "$bin/cmvelunor" "$letter"
  ) >"$stub_out" &
  stub_pid=$!
  window=$(main_window)
  [ -n "$window" ] || fail "cmvelunor shows no window"
  focus "$window"
}

stop_stub() {
  kill "$stub_pid"
  wait "$stub_pid" 2>/dev/null
  stub_pid=""
}

# One hand-off: the stand-in starts cmvelunor on the file; the keyword is
# typed, the coding button at x = $1 pressed, then "&OK". Checks that the
# program ended with 0 and that the stand-in got one WM_SYSCOMMAND 888/0,
# when the file already held all of $2 (hex).
hand_off() {
  local button_x=$1 expected_hex=$2
  start_hand_off "$file"
  type_keyword_code_and_ok "$window" "$button_x"
  wait_for_line '^ended' || fail "cmvelunor did not end after OK"
  grep -qx 'ended with status 0' "$stub_out" || fail "cmvelunor did not end with status 0"
  stop_stub

  [ "$(grep -c '^WM_SYSCOMMAND' "$stub_out")" = 1 ] || fail "not exactly one WM_SYSCOMMAND"
  grep -qx "WM_SYSCOMMAND wParam=888 lParam=0 content=$expected_hex" "$stub_out" ||
    fail "the message did not come after the file was complete (expected content $expected_hex)"
  [ "$(hex <"$file")" = "$expected_hex" ] || fail "the file holds $(hex <"$file")"
}

# Decrypting with a wrong keyword by keyboard alone: the warning comes, Enter
# closes it, and the focus is back in the selected keyword of the active
# window, so typing the right one replaces it; the second decryption passes
# and Enter on "&OK" hands the letter over.
wrong_keyword_first() {
  local expected_hex=$1
  start_hand_off "$file"
  xdotool type --delay 30 falsch
  xdotool key Tab Return
  local warning
  warning=$(visible_window --name '^Vermutlich falsches')
  [ -n "$warning" ] || fail "no warning after the wrong keyword"
  xdotool key Return
  sleep 0.5
  [ "$(xdotool getwindowfocus)" = "$window" ] ||
    fail "after the warning the focus is on $(xdotool getwindowfocus), not the window $window"
  xdotool type --delay 30 "$keyword"
  xdotool key Tab Return
  sleep 0.5
  [ -z "$(xdotool search --onlyvisible --name '^Vermutlich falsches')" ] ||
    fail "the typed keyword did not replace the wrong one"
  xdotool key Return
  wait_for_line '^ended' || fail "cmvelunor did not end after OK"
  stop_stub
  grep -qx "WM_SYSCOMMAND wParam=888 lParam=0 content=$expected_hex" "$stub_out" ||
    fail "no hand-off of the decrypted letter"
}

# A letter in code page 1252 with Windows line breaks, and the same in UTF-8.
printf 'Gr\xfc\xdfe aus Velunor\r\nzweite Zeile\r\n' >"$file"
letter_hex=$(hex <"$file")
cipher_text=$(printf 'Grüße aus Velunor\nzweite Zeile\n' |
  "$bin/velunor" encrypt --text --keyword "$keyword") || fail "velunor encrypt failed"
cipher_hex=$(printf '%s' "$cipher_text" | hex)

# "Verschlüsseln" (the only coding button for a text with a space), then back
# with "Entschlüsseln" (the only one for a text without).
hand_off 131 "$cipher_hex"
echo "encrypt: passed"
hand_off 230 "$letter_hex"
echo "decrypt: passed"
printf '%s' "$cipher_text" >"$file"
wrong_keyword_first "$letter_hex"
echo "wrong keyword first: passed"

# "&OK" where the result cannot be written ($1: size-limit or full-disk):
# the letter keeps its content, the mail client hears nothing, the error box
# says why, the result is on the clipboard and the program goes on until
# "Abbrechen" ends it.
failed_hand_off() {
  local fault=$1 letter=$file
  local text
  text="Lieber Freund, $(head -c 3500 /dev/zero | tr '\0' x)"
  if [ "$fault" = full-disk ]; then
    mkdir -p "$workdir/small"
    if ! mount -t tmpfs -o size=64k tmpfs "$workdir/small" 2>/dev/null; then
      echo "full disk: skipped (cannot mount a small tmpfs here)"
      return
    fi
    letter=$workdir/small/letter.txt
  fi
  printf '%s\r\n' "$text" >"$letter"
  local before
  before=$(hex <"$letter")
  local expected
  expected=$(printf '%s\n' "$text" | "$bin/velunor" encrypt --text --keyword "$keyword") ||
    fail "velunor encrypt failed"
  if [ "$fault" = full-disk ]; then
    cat /dev/zero >"$workdir/small/filler" 2>/dev/null
  fi

  # 4 KiB: the letter fits, its cipher text does not.
  if [ "$fault" = size-limit ]; then start_hand_off "$letter" 4; else start_hand_off "$letter"; fi
  type_keyword_code_and_ok "$window" 131
  local box
  box=$(visible_window --name '^CMVelunor$')
  [ -n "$box" ] || fail "$fault: no error box after OK"
  [ "$(hex <"$letter")" = "$before" ] || fail "$fault: the letter was changed"
  [ "$(find "$(dirname "$letter")" -name '.letter.txt.*')" = "" ] ||
    fail "$fault: a temporary file was left"
  [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$expected" ] ||
    fail "$fault: the clipboard does not hold the result"
  grep -q '^WM_SYSCOMMAND' "$stub_out" && fail "$fault: the mail client was notified"

  xdotool windowfocus --sync "$box" && xdotool key Return
  sleep 0.3
  xdotool windowfocus --sync "$window" && xdotool key Escape
  wait_for_line '^ended' || fail "$fault: cmvelunor did not end after Abbrechen"
  grep -q '^WM_SYSCOMMAND' "$stub_out" && fail "$fault: the mail client was notified at the end"
  stop_stub
  [ "$(hex <"$letter")" = "$before" ] || fail "$fault: the letter was changed at the end"
  echo "$fault: passed"
}

failed_hand_off size-limit
failed_hand_off full-disk
