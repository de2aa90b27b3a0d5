#!/usr/bin/env bash
# The main window cmvelunor.exe under Wine on a display of its own, driven
# with xdotool as a user drives it: a text pasted from the clipboard, a
# keyword typed, encrypted and decrypted, the result taken with "&OK" and
# read back from the clipboard once the program has ended, compared with the
# cipher text of velunor.exe and a pinned one; Esc leaves the clipboard
# alone; a second start shows the notice and ends with 42; the mail client's
# round trip with mailclient-stub.exe (the letter replaced, 888 received,
# the wrong-keyword warning).
#   main_window_test.sh BIN_DIR   (BIN_DIR: build-windows/bin)
set -u
here=$(dirname "$(realpath "$0")")
bin=$(realpath "$1")
if [ -z "${VELUNOR_MAIN_WINDOW_DISPLAY:-}" ]; then
  # A display and a Wine prefix of the test's own, the prefix kept between runs.
  export VELUNOR_MAIN_WINDOW_DISPLAY=1
  exec "$here/../gui/with_xvfb.sh" "$here/with_wine.sh" "$bin/../wine-main-window" "$0" "$@"
fi
. "$here/wine_window_steps.sh"

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
hex() { od -An -tx1 -v | tr -d ' \n'; }

workdir=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$workdir"' EXIT

letter=$'Grüße aus Köln\nzweite Zeile €\n'
letter_crlf=$'Grüße aus Köln\r\nzweite Zeile €\r\n'
# Typed by xdotool, whose keys reach Wine's windows as ASCII letters only.
keyword='Geheim-42'
# The cipher text of the Linux tool, whose coding the oracle tests check,
# and velunor.exe's.
cipher='9YRvUxTxzrGWp3DQHEj2GJUU6jm2uXgVJSXE2XIWzcU='
exe_cipher=$(printf %s "$letter" | wine "$bin/velunor.exe" encrypt --text --keyword "$keyword" |
  tr -d '\r\n')
[ "$exe_cipher" = "$cipher" ] || fail "velunor.exe encrypts to $exe_cipher, not $cipher"

# Starts cmvelunor.exe with the arguments given; sets pid and window.
start_window() {
  wine "$bin/cmvelunor.exe" "$@" &
  pid=$!
  pids+=("$pid")
  window=$(wine_wait_window '^CMVelunor - Text' 60) || return 1
  sleep 0.5
}

# Pastes the clipboard, types the keyword and presses the coding button
# that is $1 tab stops after the keyword box.
paste_and_code() {
  local tabs=$1
  wine_keys "$window" ctrl+v
  wine_type "$window" "$keyword"
  for _ in $(seq "$tabs"); do wine_keys "$window" Tab; done
  wine_keys "$window" Return
}

echo "encrypt: clipboard in, keyword, Enter on the focused button, Enter on \"&OK\""
clipboard_in "$letter"
if start_window; then
  paste_and_code 1
  wine_keys "$window" Return
  wine_wait_exit "$pid"
  [ "$exit_status" = 0 ] || fail "encrypt: the program ended with $exit_status"
  [ "$(clipboard_out)" = "$cipher" ] || fail "encrypt: the clipboard holds [$(clipboard_out)]"
  # A cipher text is no secret: clipboard histories may keep it.
  xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -q ClipboardHistory &&
    fail "encrypt: the cipher text is kept out of the clipboard history"
else
  fail "encrypt: no window"
fi

echo "decrypt: \"Entschlüsseln\", Alt+O; the result stays after the program ended"
clipboard_in "$cipher"
if start_window; then
  paste_and_code 2
  wine_keys "$window" alt+o
  wine_wait_exit "$pid"
  [ "$exit_status" = 0 ] || fail "decrypt: the program ended with $exit_status"
  # Wine hands the text to X with LF breaks.
  [ "$(clipboard_out | hex)" = "$(printf %s "$letter" | hex)" ] ||
    fail "decrypt: the clipboard holds [$(clipboard_out)]"
  targets=$(xclip -o -selection clipboard -t TARGETS 2>/dev/null)
  for format in ExcludeClipboardContentFromMonitorProcessing CanIncludeInClipboardHistory \
    CanUploadToCloudClipboard; do
    grep -qx "$format" <<<"$targets" || fail "decrypt: the clipboard lacks $format"
  done
else
  fail "decrypt: no window"
fi

echo "Esc ends the program without touching the clipboard"
clipboard_in "$letter"
if start_window; then
  paste_and_code 1
  wine_keys "$window" Escape
  wine_wait_exit "$pid"
  [ "$exit_status" = 0 ] || fail "Esc: the program ended with $exit_status"
  [ "$(clipboard_out | hex)" = "$(printf %s "$letter" | hex)" ] ||
    fail "Esc: the clipboard changed to [$(clipboard_out)]"
else
  fail "Esc: no window"
fi

echo "a second start shows the notice and ends with 42"
if start_window; then
  first=$pid first_window=$window
  wine "$bin/cmvelunor.exe" &
  second=$!
  pids+=("$second")
  if notice=$(wine_wait_window '^Information$' 30); then
    wine_keys "$notice" Return
  else
    fail "second start: no notice"
  fi
  wine_wait_exit "$second"
  [ "$exit_status" = 42 ] || fail "second start: ended with $exit_status, not 42"
  xdotool getwindowname "$first_window" >/dev/null 2>&1 || fail "second start: the first window went"
  wine_keys "$first_window" Escape
  wine_wait_exit "$first"
  [ "$exit_status" = 0 ] || fail "second start: the first ended with $exit_status"
else
  fail "second start: no first window"
fi

# ---- The mail client's round trip -----------------------------------------------

# The hand-off file is code page 1252 text.
letter_cp1252=$workdir/letter.cp1252
printf %s "$letter_crlf" | iconv -f UTF-8 -t CP1252 >"$letter_cp1252"
stub_out=$workdir/stub.out
file=$workdir/letter.txt
windows_file=$(winepath -w "$file")
# Starts the stand-in mail client on the letter, which starts cmvelunor.exe.
start_hand_off() {
  : >"$stub_out"
  wine "$bin/mailclient-stub.exe" --start "$(winepath -w "$bin/cmvelunor.exe")" "$windows_file" \
    >"$stub_out" 2>&1 &
  stub=$!
  pids+=("$stub")
  window=$(wine_wait_window '^CMVelunor - Text' 60) || return 1
  sleep 0.5
}
# Waits up to 15 s for a line of the stand-in matching $1.
wait_for_line() {
  for _ in $(seq 150); do
    grep -q "$1" "$stub_out" && return 0
    sleep 0.1
  done
  return 1
}
end_hand_off() {
  wait_for_line '^ended with status' || fail "$1: cmvelunor.exe did not end"
  kill "$stub" 2>/dev/null
  wait "$stub" 2>/dev/null
}

echo "mail client: a letter with spaces is encrypted, the file replaced, 888 posted"
cp "$letter_cp1252" "$file"
if start_hand_off; then
  # Only "Verschlüsseln" is there: the first tab stop after the keyword.
  wine_type "$window" "$keyword"
  wine_keys "$window" Tab Return Return
  wait_for_line 'WM_SYSCOMMAND' || fail "mail encrypt: no hand-off message"
  tr -d '\r' <"$stub_out" | grep -qx "WM_SYSCOMMAND wParam=888 lParam=0 content=$(printf %s "$cipher" | hex)" ||
    fail "mail encrypt: the stand-in got $(cat "$stub_out")"
  end_hand_off "mail encrypt"
else
  fail "mail encrypt: no window"
fi

echo "mail client: the cipher text is decrypted back into the letter"
printf %s "$cipher" >"$file"
if start_hand_off; then
  # Only "Entschlüsseln" is there, the first tab stop after the keyword.
  wine_type "$window" "$keyword"
  wine_keys "$window" Tab Return Return
  wait_for_line 'WM_SYSCOMMAND' || fail "mail decrypt: no hand-off message"
  tr -d '\r' <"$stub_out" | grep -qx "WM_SYSCOMMAND wParam=888 lParam=0 content=$(hex <"$letter_cp1252")" ||
    fail "mail decrypt: the stand-in got $(cat "$stub_out")"
  end_hand_off "mail decrypt"
else
  fail "mail decrypt: no window"
fi

echo "mail client: a wrong keyword draws the warning; Esc leaves the letter alone"
printf %s "$cipher" >"$file"
if start_hand_off; then
  keyword=falsch
  wine_type "$window" "$keyword"
  wine_keys "$window" Tab Return
  if warning=$(wine_wait_window '^Vermutlich falsches Schl' 15); then
    wine_keys "$warning" Return
  else
    fail "wrong keyword: no warning"
  fi
  wine_keys "$window" Escape
  end_hand_off "wrong keyword"
  grep -q WM_SYSCOMMAND "$stub_out" && fail "wrong keyword: Esc posted the hand-off message"
  [ "$(cat "$file")" = "$cipher" ] || fail "wrong keyword: the letter changed"
else
  fail "wrong keyword: no window"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed" >&2
  exit 1
fi
echo "the main window works under Wine"
