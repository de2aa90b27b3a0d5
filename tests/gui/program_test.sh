#!/bin/bash
# The window program on a real desktop, driven and checked as another
# program would: on an X display (under with_xvfb.sh) with xdotool and
# xclip, on a Wayland compositor (under with_wayland.sh) through the
# compositor, its input and wl-clipboard (wayland_steps.sh). XWayland
# (with_wayland.sh weston-xwayland) is an X display.
#
#   program_test.sh single-instance BIN_DIR
#   program_test.sh clipboard BIN_DIR
#   program_test.sh clipboard-manager BIN_DIR   (needs fake_clipboard_manager in BIN_DIR)
#   program_test.sh terminate BIN_DIR
#   program_test.sh terminate-unsavable BIN_DIR
#   program_test.sh caption BIN_DIR
#   program_test.sh empty-clipboard BIN_DIR
#   program_test.sh keys BIN_DIR
#   program_test.sh clipboard-manager-secret BIN_DIR   (as clipboard-manager)
#   program_test.sh clipboard-history-copyq BIN_DIR   (skipped, 77, without CopyQ)
#   program_test.sh frame BIN_DIR
#   program_test.sh keyboard-only BIN_DIR
#   program_test.sh dead-window-manager BIN_DIR   (on the bare server; starts openbox)
#
#   program_test.sh clipboard-cleared BIN_DIR
#   program_test.sh forgetful-clipboard-manager BIN_DIR   (X11)
#   program_test.sh cheat-sheet BIN_DIR
#   program_test.sh message-boxes BIN_DIR   (X11; needs mailclient-stub in BIN_DIR)
#   program_test.sh filter-editor BIN_DIR
#
# Under with_xvfb.sh --openbox the same scenarios run under a window manager.
set -u
case "${VELUNOR_TEST_SESSION:-}" in
  "" | weston-xwayland) . "$(dirname "$0")/x11_steps.sh" ;;
  *) . "$(dirname "$0")/wayland_steps.sh" ;;
esac

scenario=$1
bin=$2
program="$bin/cmvelunor"
keyword=geheim
started_pids=()

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT

start_program() {
  "$program" &
  last_pid=$!
  started_pids+=("$last_pid")
}

# Starts the program and waits for its main window: sets program_pid and
# window.
start_with_window() {
  start_program
  program_pid=$last_pid
  window=$(main_window)
  [ -n "$window" ] || fail "no main window"
}

# A copy of the program in a directory of its own, $dir, where its cheat
# sheet's file lies beside it.
use_program_copy() {
  dir=$(mktemp -d)
  cp "$program" "$dir/cmvelunor"
  program="$dir/cmvelunor"
}

# F1 in the focused main window opens the cheat sheet: sets sheet.
open_cheat_sheet() {
  press F1
  sheet=$(visible_window --name '^Spickzettel')
  [ -n "$sheet" ] || fail "F1 shows no cheat sheet"
}

# Waits for the notice box ("Information"), failing with $1 when none comes,
# and closes it with Return.
answer_notice() {
  local notice
  notice=$(visible_window --name '^Information$')
  [ -n "$notice" ] || fail "$1"
  focus "$notice"
  press Return
}

# Starts the stand-in clipboard manager and waits until it serves.
start_clipboard_manager() {
  coproc MANAGER { "$bin/fake_clipboard_manager" "$@"; }
  started_pids+=("$MANAGER_PID")
  local ready
  read -r -t 10 ready <&"${MANAGER[0]}"
  [ "$ready" = ready ] || fail "the clipboard manager did not start"
}

# Whether the desktop itself takes every clipboard over at once: weston
# copies each new selection (its first offered type only) and serves the
# copy, so the program has nothing left to serve.
desktop_keeps_clipboard() { [ "${VELUNOR_TEST_SESSION:-}" = weston ]; }

# Waits up to $2 seconds for process $1 to end and sets exit_status (or
# "still running"). Not in a subshell: only this shell can wait for it.
wait_for_exit() {
  local pid=$1 seconds=$2
  exit_status="still running"
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      exit_status=$?
      return
    fi
    sleep 0.05
  done
}

# Waits up to 10 s for process $1 to end with status $2; else fails the
# scenario, naming the step $3.
expect_exit() {
  wait_for_exit "$1" 10
  [ "$exit_status" = "$2" ] || fail "$3: exit status $exit_status, expected $2"
}

# Clicks a button of the main window at its centre (client coordinates).
click() {
  click_client "$1" "$2" "$3"
  sleep 0.3
}

# Pastes, types the keyword, presses a coding button and then "&OK".
code_and_ok() {
  focus "$1"
  press ctrl+v
  type_keyword_code_and_ok "$1" "$2"
}

# After "&OK": the window is gone and the program serves $2 on the
# clipboard until another program takes it over, then ends with 0. $1 names
# the step.
expect_served_until_takeover() {
  local step=$1 expected=$2
  no_main_window_left || fail "$step: the window is still there after OK"
  [ "$(clipboard)" = "$expected" ] ||
    fail "$step: clipboard holds '$(clipboard)', expected '$expected'"
  set_clipboard "taken over"
  expect_exit "$program_pid" 0 "$step: after the takeover"
}

single_instance() {
  set_clipboard "before"
  start_with_window
  local first=$program_pid

  start_program
  local second=$last_pid
  [ -n "$(visible_window --name '^Information$')" ] || fail "the second instance shows no notice"
  [ "$(main_window_count)" = 1 ] ||
    fail "the second instance made a main window"
  answer_notice "the notice went away"
  expect_exit "$second" 42 "second instance"
  kill -0 "$first" 2>/dev/null || fail "the first instance ended"

  # Esc ends the first one with 0 and leaves the clipboard to its owner.
  focus "$window"
  press Escape
  expect_exit "$first" 0 "Esc"
  [ "$(clipboard)" = before ] || fail "Esc touched the clipboard"
  echo "single instance: passed"
}

clipboard_outlives_program() {
  # Encrypt "abc" and press "&OK".
  set_clipboard "abc"
  start_with_window
  local first=$program_pid
  code_and_ok "$window" 131
  no_main_window_left || fail "the window is still there after OK"
  if desktop_keeps_clipboard; then
    expect_exit "$first" 0 "the compositor took the clipboard over"
  else
    kill -0 "$first" 2>/dev/null || fail "the program ended without a clipboard manager"
  fi
  [ "$(clipboard)" = "$abc_cipher" ] ||
    fail "clipboard holds '$(clipboard)', expected '$abc_cipher'"
  clipboard_types | grep -q x-kde-passwordManagerHint &&
    fail "a cipher text is marked as sensitive"

  # While it serves the clipboard, a new start is a normal one.
  start_with_window
  focus "$window"
  press Escape
  expect_exit "$program_pid" 0 "the new start"
  [ "$(clipboard)" = "$abc_cipher" ] || fail "the clipboard was lost"

  # Another program takes the clipboard over: the first one ends with 0.
  set_clipboard "taken over"
  desktop_keeps_clipboard || expect_exit "$first" 0 "after the takeover"

  # Decrypt it again: the plain text is marked for clipboard history tools.
  set_clipboard "$abc_cipher"
  start_with_window
  code_and_ok "$window" 230
  no_main_window_left || fail "the window is still there after OK"
  [ "$(clipboard)" = "abc" ] || fail "decrypted clipboard holds '$(clipboard)'"
  if ! desktop_keeps_clipboard; then
    [ "$(clipboard -t x-kde-passwordManagerHint)" = secret ] ||
      fail "the decrypted text is not marked as sensitive"
    clipboard_types | grep -qx application/x-copyq-hidden || fail "no mark for CopyQ"
  fi
  set_clipboard "done"
  expect_exit "$program_pid" 0 "decrypter"
  echo "clipboard: passed"
}

clipboard_manager_takes_over() {
  start_clipboard_manager
  set_clipboard "abc"
  start_with_window
  code_and_ok "$window" 131
  # With a manager there is nothing to keep: the program ends at once.
  expect_exit "$program_pid" 0 "with a clipboard manager"
  [ "$(clipboard)" = "$abc_cipher" ] ||
    fail "the manager holds '$(clipboard)', expected '$abc_cipher'"
  echo "clipboard manager: passed"
}

# SIGTERM (a session ending) ends the program as a normal end would: the
# open cheat sheet saves its text into the file beside the program.
terminate_saves_cheat_sheet() {
  use_program_copy
  start_with_window
  focus "$window"
  open_cheat_sheet
  focus "$sheet"
  xdotool type --delay 30 "notiz"
  kill -TERM "$program_pid"
  expect_exit "$program_pid" 0 "SIGTERM"
  [ "$(cat "$dir/cmvelunor.msg" 2>/dev/null)" = notiz ] || fail "the cheat sheet was not saved"
  rm -rf "$dir"
  echo "terminate: passed"
}

# Presses Return on every error box that comes up within 3 s; fails when none does.
dismiss_error_boxes() {
  local box found=1
  for _ in $(seq 6); do
    box=$(xdotool search --onlyvisible --name '^CMVelunor$' 2>/dev/null | head -n 1)
    if [ -n "$box" ]; then
      found=0
      focus "$box"
      xdotool key Return
    fi
    sleep 0.5
  done
  return $found
}

# A cheat-sheet text that code page 1252 cannot hold: closing the main
# window waits for the sheet; SIGTERM keeps the text as UTF-8 beside the
# sheet's file, and the next start says so.
terminate_keeps_unsavable_cheat_sheet() {
  use_program_copy
  printf 'alt' >"$dir/cmvelunor.msg"
  start_with_window
  focus "$window"
  open_cheat_sheet
  focus "$sheet"
  # Pasted: xdotool types a character that the keyboard map lacks through a
  # key it maps for it, and the first press of that key now and then gets lost.
  set_clipboard "Ωmega"
  xdotool key ctrl+a ctrl+v
  # Back in the main window the sheet cannot save: it says why and stays.
  focus "$window"
  dismiss_error_boxes || fail "no message when the sheet cannot save"
  # A close of the main window would end the program: it waits for the sheet.
  # Under a window manager the focus goes back to the sheet after its
  # message, as to a box's owner on Windows, so every way back into the main
  # window repeats that message first, and Esc would only answer it: there
  # the close comes from outside, as a taskbar's "Close" sends it. On the
  # bare server the focus stays in the main window, and "Abbrechen" (Esc)
  # closes it.
  if [ -n "${VELUNOR_TEST_WINDOW_MANAGER:-}" ]; then
    wmctrl -i -c "$window" || fail "cannot ask the window manager to close the window"
  else
    focus "$window"
    xdotool key Escape
  fi
  dismiss_error_boxes || fail "no message when the program is to end"
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended and lost the sheet's text"
  [ -n "$(xdotool search --onlyvisible --name '^Spickzettel')" ] || fail "the sheet was hidden"

  # A link planted at the kept text's name meanwhile is replaced, never
  # written through.
  printf 'unberührt' >"$dir/victim"
  ln -s "$dir/victim" "$dir/cmvelunor.msg.utf8"
  kill -TERM "$program_pid"
  expect_exit "$program_pid" 0 "SIGTERM"
  [ "$(cat "$dir/cmvelunor.msg")" = alt ] || fail "the cheat sheet's file was changed"
  [ "$(cat "$dir/victim")" = unberührt ] || fail "the text was written through a link"
  [ ! -L "$dir/cmvelunor.msg.utf8" ] && [ "$(cat "$dir/cmvelunor.msg.utf8" 2>/dev/null)" = "Ωmega" ] ||
    fail "the text was not kept beside the file"

  start_program
  local next=$last_pid
  local notice
  notice=$(visible_window --name '^Information$')
  [ -n "$notice" ] || fail "the next start does not say that the text was kept"
  window=$(main_window)
  expect_centred_over "$notice" "$window" "the notice of the kept text"
  focus "$notice"
  press Return
  focus "$window"
  xdotool key Escape
  expect_exit "$next" 0 "the next start"
  rm -rf "$dir"
  echo "terminate-unsavable: passed"
}

# The caption bar moves the main window when dragged, and its close button
# ends the program as the window manager's would.
caption_bar() {
  start_with_window
  focus "$window"
  local x0 y0 x y width height
  read -r x0 y0 width height < <(window_geometry "$window")
  drag_caption "$window" 60 40
  read -r x y width height < <(window_geometry "$window")
  [ "$x,$y" = "$((x0 + 60)),$((y0 + 40))" ] ||
    fail "dragged by 60,40 from $x0,$y0, the window is at $x,$y"

  click_close_button "$window"
  expect_exit "$program_pid" 0 "close button"
  echo "caption bar: passed"
}

# Pasting from a clipboard that nobody owns (the program that copied has
# ended, no clipboard manager runs) pastes nothing and keeps the input.
empty_clipboard() {
  printf 'abc' | xclip -i -selection clipboard -quiet 2>/dev/null &
  local owner=$!
  started_pids+=("$owner")
  start_with_window
  focus "$window"
  xdotool key ctrl+v
  sleep 0.3
  kill "$owner"
  wait "$owner" 2>/dev/null
  clipboard >/dev/null && fail "the clipboard still has an owner"

  xdotool key ctrl+v
  sleep 0.3
  wait_for_exit "$program_pid" 1
  [ "$exit_status" = "still running" ] || fail "Ctrl+V on an empty clipboard: exit $exit_status"
  click "$window" 426 80
  wait_for_exit "$program_pid" 1
  [ "$exit_status" = "still running" ] || fail "the paste button on an empty clipboard: exit $exit_status"

  # The input pasted before is still there and is what gets encrypted.
  focus "$window"
  type_keyword_code_and_ok "$window" 131
  expect_served_until_takeover "empty clipboard" "$abc_cipher"
  echo "empty clipboard: passed"
}

# The keyboard alone: Alt+O while "&OK" is disabled and Alt+X type nothing
# into the keyword; Tab reaches "Verschlüsseln", Enter presses it, the focus
# goes on to "&OK", and Enter presses that too.
keyboard_alone() {
  set_clipboard "abc"
  start_with_window
  focus "$window"
  press ctrl+v
  type_text "$keyword"
  press alt+o alt+x
  sleep 0.3
  press Tab Return
  sleep 0.3
  press Return
  expect_served_until_takeover "Enter after the coding" "$abc_cipher"
  echo "keys: passed"
}

# A decrypted result is never handed to the clipboard manager (which may
# save it on disk): the program serves it until another program takes the
# clipboard, and withdraws it when it is ended first.
clipboard_manager_gets_no_secret() {
  start_clipboard_manager
  local round
  for round in takeover sigterm; do
    set_clipboard "$abc_cipher"
    start_with_window
    code_and_ok "$window" 230
    no_main_window_left || fail "the window is still there after OK"
    sleep 0.5
    kill -0 "$program_pid" 2>/dev/null || fail "the secret was left to the clipboard manager"
    [ "$(clipboard)" = abc ] || fail "clipboard holds '$(clipboard)'"
    clipboard -t TARGETS | grep -qx application/x-copyq-hidden || fail "no mark for CopyQ"
    if [ "$round" = takeover ]; then
      set_clipboard "taken over"
      expect_exit "$program_pid" 0 "after the takeover"
    else
      kill -TERM "$program_pid"
      expect_exit "$program_pid" 0 "SIGTERM"
      [ "$(clipboard)" != abc ] || fail "the secret went to the clipboard manager at the end"
    fi
  done
  echo "clipboard manager, secret: passed"
}

# CopyQ keeps its clipboard history on disk; a decrypted result carries
# the mark by which it keeps no copy (it ignores x-kde-passwordManagerHint).
clipboard_history_copyq() {
  command -v copyq >/dev/null || { echo "CopyQ is not installed: skipped"; exit 77; }
  local home
  home=$(mktemp -d)
  copyq_() { HOME=$home COPYQ_SETTINGS_PATH=$home/config copyq --session="velunor$$" "$@"; }
  copyq_ --start-server >/dev/null 2>&1 &
  started_pids+=($!)
  # CopyQ watches the clipboard once a new text shows in its history.
  local probe
  for probe in $(seq 20); do
    set_clipboard "probe $probe"
    sleep 0.5
    [ "$(copyq_ read 0 2>/dev/null)" = "probe $probe" ] && break
  done
  set_clipboard "$abc_cipher"
  sleep 0.5
  start_with_window
  code_and_ok "$window" 230
  no_main_window_left || fail "the window is still there after OK"
  sleep 1
  [ "$(clipboard)" = abc ] || fail "clipboard holds '$(clipboard)'"
  set_clipboard "taken over"
  expect_exit "$program_pid" 0 "after the takeover"
  sleep 1
  local history
  history=$(copyq_ eval -- 'for (i = 0; i < size(); ++i) print(str(read(i)) + "\n")')
  copyq_ exit >/dev/null 2>&1
  grep -qx "$abc_cipher" <<<"$history" || fail "CopyQ kept no history: $history"
  grep -qx abc <<<"$history" && fail "CopyQ kept the decrypted text"
  grep -rq abc "$home" && fail "CopyQ saved the decrypted text"
  rm -rf "$home"
  echo "clipboard history, CopyQ: passed"
}

# A window property as xprop prints it, the part after "= ".
property() { xprop -id "$1" "$2" 2>/dev/null | sed -n 's/^[^=]*= //p'; }

# X,Y,WIDTH,HEIGHT of a window on the screen.
geometry_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x "," y "," w "," h }'
}

# The window at the top of the window manager's stacking order.
topmost_client() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*[ ,]//'; }

# Checks from outside that the window manager gives a window no frame of its
# own, that it keeps its task-bar entry and that it can be neither resized
# nor maximised: $1 the window, $2 its name in messages.
check_frame() {
  local window=$1 name=$2
  # Motif hints: flags, functions, decorations (0: no title, no border).
  local decorations
  decorations=$(property "$window" _MOTIF_WM_HINTS | cut -d, -f3 | tr -d ' ')
  [ "$decorations" = 0x0 ] || fail "$name asks for decorations $decorations"
  [ -n "$VELUNOR_TEST_WINDOW_MANAGER" ] || return 0

  [ "$(property "$window" _NET_FRAME_EXTENTS)" = "0, 0, 0, 0" ] ||
    fail "$name has a frame: $(property "$window" _NET_FRAME_EXTENTS)"
  local frame
  frame=$(xwininfo -children -id "$window" | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  [ "$(geometry_of "$frame")" = "$(geometry_of "$window")" ] ||
    fail "$name: the window manager's frame $(geometry_of "$frame") is not the window $(geometry_of "$window")"

  xprop -root _NET_CLIENT_LIST | grep -q "$(printf '0x%x' "$window")" ||
    fail "$name is not in the window manager's client list"
  property "$window" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_NORMAL ||
    fail "$name is not a normal window"
  property "$window" _NET_WM_STATE | grep -qE 'SKIP_TASKBAR|SKIP_PAGER' &&
    fail "$name has no task-bar entry"
  property "$window" _NET_WM_ALLOWED_ACTIONS | grep -qE 'RESIZE|MAXIMIZE' &&
    fail "$name may be resized or maximised"
  local before
  before=$(geometry_of "$window")
  wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
  wmctrl -i -r "$window" -b add,fullscreen
  sleep 0.5
  [ "$(geometry_of "$window")" = "$before" ] ||
    fail "$name was maximised: $before became $(geometry_of "$window")"
}

# The windows as a user's desktop shows them: one frame, the program's own
# caption bar; the cheat sheet active on top of the main window; Alt+Tab
# goes to another program and back.
frame() {
  start_with_window
  check_frame "$window" "the main window"
  focus "$window"
  open_cheat_sheet
  sleep 0.5
  check_frame "$sheet" "the cheat sheet"
  [ "$(active_window)" = "$sheet" ] || fail "the cheat sheet is not active"
  if [ -n "$VELUNOR_TEST_WINDOW_MANAGER" ]; then
    [ "$(topmost_client)" = "$(printf '0x%x' "$sheet")" ] || fail "the cheat sheet is not on top"
    xdotool key Escape
    sleep 0.3
    # Alt+Tab to another program and back.
    xmessage -name other 'another program' &
    started_pids+=($!)
    local other
    other=$(visible_window --classname '^other$')
    [ -n "$other" ] || fail "the other program shows no window"
    focus "$other"
    xdotool key alt+Tab
    sleep 0.5
    [ "$(active_window)" = "$window" ] || fail "Alt+Tab does not reach the main window"
    xdotool key alt+Tab
    sleep 0.5
    [ "$(active_window)" = "$other" ] || fail "Alt+Tab does not leave the main window"
  fi
  kill "$program_pid"
  echo "frame: passed"
}

# Started and used with the keyboard alone: no click, not even to give the
# window the focus. Paste, keyword, Tab to "Verschlüsseln", Space, Alt+O.
keyboard_only() {
  set_clipboard "abc"
  # The pointer away from where the window opens: no focus by pointing.
  [ -z "${WAYLAND_DISPLAY:-}" ] && xdotool mousemove 0 0
  start_with_window
  sleep 0.5
  press ctrl+v
  type_text "$keyword"
  press Tab space
  sleep 0.3
  press alt+o
  expect_served_until_takeover "the keys" "$abc_cipher"
  echo "keyboard only: passed"
}

# Another program clears the clipboard (sets no owner) while the program
# serves its result: the program ends, there is nothing left to serve.
clipboard_cleared() {
  set_clipboard "abc"
  start_with_window
  code_and_ok "$window" 131
  no_main_window_left || fail "the window is still there after OK"
  [ "$(clipboard)" = "$abc_cipher" ] || fail "clipboard holds '$(clipboard)'"
  clear_clipboard
  expect_exit "$program_pid" 0 "after the clipboard was cleared"
  echo "clipboard cleared: passed"
}

# A clipboard manager that answers the hand-over but keeps nothing (as
# weston's X window manager does): the program serves the result itself.
forgetful_clipboard_manager() {
  start_clipboard_manager --forgetful
  set_clipboard "abc"
  start_with_window
  code_and_ok "$window" 131
  no_main_window_left || fail "the window is still there after OK"
  sleep 1
  kill -0 "$program_pid" 2>/dev/null || fail "the program trusted a manager that kept nothing"
  [ "$(clipboard)" = "$abc_cipher" ] || fail "clipboard holds '$(clipboard)'"
  set_clipboard "taken over"
  expect_exit "$program_pid" 0 "after the takeover"
  echo "forgetful clipboard manager: passed"
}

# The cheat sheet opens active over the main window; after a click into
# the main window it stays above it where the session keeps a child window
# above its parent (sway raises the clicked window; see the README).
cheat_sheet() {
  start_with_window
  focus "$window"
  open_cheat_sheet
  sleep 0.5
  [ "$(active_window)" = "$sheet" ] || fail "the cheat sheet is not active"
  # A bare X server keeps no stacking list (the frame scenario covers X11).
  if [ -z "${WAYLAND_DISPLAY:-}" ]; then
    kill "$program_pid"
    echo "cheat sheet: passed"
    return
  fi
  [ "$(topmost_window)" = "$sheet" ] || fail "the cheat sheet is not on top"
  click_client "$window" 300 20
  sleep 0.5
  local expected=$sheet
  [ "${VELUNOR_TEST_SESSION:-}" = sway ] && expected=$window
  [ "$(topmost_window)" = "$expected" ] ||
    fail "on top after a click into the main window: $(topmost_window), expected $expected"
  kill "$program_pid"
  echo "cheat sheet: passed"
}

# A window manager that died leaves its client list on the root window,
# listing none of the windows made since: a second start must still find
# the running one.
dead_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  local wm=$!
  for _ in $(seq 200); do
    xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
  kill -KILL "$wm"
  wait "$wm" 2>/dev/null
  xprop -root _NET_CLIENT_LIST | grep -q 'window id' || fail "no client list was left behind"
  single_instance
}

# On a compositor that cannot be driven from here: the program starts
# natively on Wayland (its instance socket appears, no X display is there)
# and ends on SIGTERM with 0.
native_start() {
  [ -z "${DISPLAY:-}" ] || fail "an X display is set"
  start_program
  program_pid=$last_pid
  local socket=$XDG_RUNTIME_DIR/cmvelunor.$WAYLAND_DISPLAY.instance
  for _ in $(seq 150); do
    [ -S "$socket" ] && break
    sleep 0.1
  done
  [ -S "$socket" ] || fail "no instance socket: the program does not run natively"
  sleep 1
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
  kill -TERM "$program_pid"
  expect_exit "$program_pid" 0 "SIGTERM"
  echo "native start: passed"
}

# Beside XWayland the mail client's window (an X11 one) is found through
# X11, whether the program runs there (its choice while DISPLAY is set) or
# natively on Wayland (QT_QPA_PLATFORM=wayland): the letter is loaded, only
# "Verschlüsseln" shows, and "&OK" hands the result over.
mail_client_beside_wayland() {
  local platform letter stub_out
  letter=$(mktemp)
  stub_out=$(mktemp)
  for platform in xcb wayland; do
    printf 'Hallo Welt\r\n' >"$letter"
    QT_QPA_PLATFORM=$platform "$bin/mailclient-stub" --start "$program" "$letter" >"$stub_out" &
    started_pids+=($!)
    local stub=$!
    if [ "$platform" = xcb ]; then
      window=$(main_window)
      [ -n "$window" ] || fail "no X11 main window"
      focus "$window"
      keys() { xdotool key "$@"; }
      text() { xdotool type --delay 30 "$1"; }
    else
      sleep 3
      [ -z "$(xdotool search --class '^TFormVelunor$' 2>/dev/null)" ] ||
        fail "with QT_QPA_PLATFORM=wayland the window is an X11 one"
      keys() { DISPLAY=$VELUNOR_TEST_INPUT_DISPLAY xdotool key "$@"; }
      text() { DISPLAY=$VELUNOR_TEST_INPUT_DISPLAY xdotool type --delay 30 "$1"; }
    fi
    # The focus is on the keyword; Tab reaches the only coding button.
    text "$keyword"
    keys Tab space
    sleep 0.5
    keys alt+o
    for _ in $(seq 200); do
      grep -q '^ended' "$stub_out" && break
      sleep 0.05
    done
    grep -q '^WM_SYSCOMMAND wParam=888 lParam=0' "$stub_out" ||
      fail "$platform: no hand-off: $(cat "$stub_out")"
    [ "$(cat "$letter")" = "$(printf 'Hallo Welt' | "$bin/velunor" encrypt --text --keyword "$keyword")" ] ||
      fail "$platform: the letter holds $(cat "$letter")"
    kill "$stub" 2>/dev/null
    wait "$stub" 2>/dev/null
  done
  rm -f "$letter" "$stub_out"
  echo "mail client beside Wayland: passed"
}

# The message boxes open centred over the window that raised them and
# transient for it: the error box for a text of 200 characters that code
# page 1252 lacks (a long message, wrapped), and in mail-client mode the
# warning after a wrong keyword, which comes right after the start.
message_boxes() {
  set_clipboard "$(python3 -c 'print("".join(map(chr, range(0x4E00, 0x4EC8))), end="")')"
  start_with_window
  focus "$window"
  press ctrl+v
  type_text "$keyword"
  click "$window" 131 311
  local box
  box=$(visible_window --name '^CMVelunor$')
  [ -n "$box" ] || fail "no error box for the characters outside the code page"
  expect_centred_over "$box" "$window" "the error box"
  focus "$box"
  press Return
  focus "$window"
  press Escape
  expect_exit "$program_pid" 0 "Esc after the error box"

  local letter
  letter=$(mktemp)
  printf 'Hallo Welt' | "$bin/velunor" encrypt --text --keyword "$keyword" >"$letter"
  "$bin/mailclient-stub" --start "$program" "$letter" >/dev/null &
  started_pids+=($!)
  window=$(main_window)
  [ -n "$window" ] || fail "no main window in mail-client mode"
  focus "$window"
  type_text falsch
  press Tab Return
  box=$(visible_window --name '^Vermutlich falsches')
  [ -n "$box" ] || fail "no warning after the wrong keyword"
  expect_centred_over "$box" "$window" "the wrong-keyword warning"
  press Return
  focus "$window"
  press Escape
  rm -f "$letter"
  echo "message boxes: passed"
}

# The window as a mail program's filter and external editor, and the
# keyword dialog, by keyboard alone: the focus starts on the keyword, Tab
# reaches the only coding button shown. None of them is the single
# instance: on X11 one runs beside the window, and the window starts
# beside one.
filter_editor() {
  local work out
  work=$(mktemp -d)
  out=$work/out
  keyword_code_ok() {
    type_text "$1"
    press Tab space
    sleep 0.5
    press alt+o
  }
  # The filter's windows: on X11 by their class, on Wayland by their title.
  filter_window() {
    if [ -n "${main_window_title:-}" ]; then main_window; else
      visible_window --class '^TFormVelunorFilter$'
    fi
  }
  local x11=""
  [ -z "${main_window_title:-}" ] && x11=yes
  [ -n "$x11" ] && start_with_window

  printf 'Hallo Welt,\nbis bald!\n' | "$program" --filter --wrap 20 >"$out" &
  started_pids+=($!)
  local filter=$!
  focus "$(filter_window)"
  keyword_code_ok "$keyword"
  expect_exit "$filter" 0 "the filter's OK"
  [ "$(cat "$out")" = "$(printf 'Hallo Welt,\nbis bald!\n' |
    "$bin/velunor" encrypt --text --wrap 20 --keyword "$keyword")" ] ||
    fail "the filter printed $(cat "$out")"
  if [ -n "$x11" ]; then kill "$program_pid" && wait "$program_pid" 2>/dev/null; fi
  [ "$(awk '{ print length }' "$out" | sort -n | tail -n 1)" = 20 ] || fail "not wrapped at 20"

  # A whole message: the body, a cipher text alone, calls for decrypting.
  local mail=$work/mail.txt
  { printf 'Subject: Treffen\n\n'; cat "$out"; } >"$mail"
  "$program" --edit "$mail" &
  started_pids+=($!)
  local editor=$!
  focus "$(filter_window)"
  keyword_code_ok falsch
  local box
  box=$(visible_window --name '^Vermutlich falsches')
  [ -n "$box" ] || fail "no warning after a wrong keyword in the editor"
  press Return
  sleep 0.5
  keyword_code_ok "$keyword"
  expect_exit "$editor" 0 "the editor's OK"
  [ "$(cat "$mail")" = "$(printf 'Subject: Treffen\n\nHallo Welt,\nbis bald!')" ] ||
    fail "the edited file holds $(cat "$mail")"

  # An encryption in the editor: the cipher text broken at 76 columns
  # unless told otherwise, the file replaced by a new one (renamed over
  # it, never rewritten in place) with the old one's permissions.
  local body=$work/body.txt
  local lines
  lines=$(for _ in 1 2 3 4; do echo 'Eine Zeile Text, lang genug, um umbrochen zu werden.'; done)
  echo "$lines" >"$body"
  chmod 640 "$body"
  local inode
  inode=$(stat -c %i "$body")
  "$program" --edit "$body" &
  started_pids+=($!)
  editor=$!
  focus "$(filter_window)"
  keyword_code_ok "$keyword"
  expect_exit "$editor" 0 "the editor's OK after encrypting"
  [ "$(awk '{ print length }' "$body" | sort -n | tail -n 1)" = 76 ] ||
    fail "the editor did not wrap at 76: $(cat "$body")"
  [ "$(stat -c %a "$body")" = 640 ] || fail "the edited file lost its permissions"
  [ "$(stat -c %i "$body")" != "$inode" ] || fail "the edited file was rewritten in place"
  [ "$(VELUNOR_KEYWORD=$keyword "$bin/velunor" decrypt --text --mail <"$body")" = "$lines" ] ||
    fail "the edited file does not decrypt"

  # Esc hands nothing over: the edited file stays as it was, the filter
  # prints nothing.
  cp "$body" "$work/before"
  "$program" --edit "$body" &
  started_pids+=($!)
  editor=$!
  focus "$(filter_window)"
  if [ -n "$x11" ]; then
    start_with_window
    kill "$program_pid"
    focus "$(filter_window)"
  fi
  press Escape
  expect_exit "$editor" 1 "Esc in the editor"
  cmp -s "$body" "$work/before" || fail "Esc changed the edited file"
  printf 'Hallo\n' | "$program" --filter >"$out" &
  started_pids+=($!)
  filter=$!
  focus "$(filter_window)"
  type_text "$keyword"
  press Escape
  expect_exit "$filter" 1 "Esc in the filter"
  [ ! -s "$out" ] || fail "the cancelled filter printed $(cat "$out")"

  "$program" --ask-keyword 'Schlüsselwort für velunor:' >"$out" &
  started_pids+=($!)
  local ask=$!
  focus "$(visible_window --name '^CMVelunor - Schlüsselwort$')"
  type_text "$keyword"
  press Return
  expect_exit "$ask" 0 "the keyword dialog's OK"
  [ "$(cat "$out")" = "$keyword" ] || fail "the keyword dialog printed $(cat "$out")"
  "$program" --ask-keyword >"$out" &
  started_pids+=($!)
  ask=$!
  focus "$(visible_window --name '^CMVelunor - Schlüsselwort$')"
  press Escape
  expect_exit "$ask" 1 "Esc in the keyword dialog"
  [ ! -s "$out" ] || fail "the cancelled keyword dialog printed $(cat "$out")"
  rm -rf "$work"
  echo "filter, editor and keyword dialog: passed"
}

# "abc" as the window encrypts it with the keyword.
abc_cipher=$(printf 'abc' | "$bin/velunor" encrypt --text --keyword "$keyword") ||
  fail "velunor encrypt failed"

case "$scenario" in
  clipboard-manager-secret) clipboard_manager_gets_no_secret ;;
  clipboard-cleared) clipboard_cleared ;;
  forgetful-clipboard-manager) forgetful_clipboard_manager ;;
  cheat-sheet) cheat_sheet ;;
  message-boxes) message_boxes ;;
  filter-editor) filter_editor ;;
  native-start) native_start ;;
  mail-client-beside-wayland) mail_client_beside_wayland ;;
  clipboard-history-copyq) clipboard_history_copyq ;;
  frame) frame ;;
  keyboard-only) keyboard_only ;;
  dead-window-manager) dead_window_manager ;;
  single-instance) single_instance ;;
  clipboard) clipboard_outlives_program ;;
  clipboard-manager) clipboard_manager_takes_over ;;
  terminate) terminate_saves_cheat_sheet ;;
  terminate-unsavable) terminate_keeps_unsavable_cheat_sheet ;;
  caption) caption_bar ;;
  empty-clipboard) empty_clipboard ;;
  keys) keyboard_alone ;;
  *) fail "unknown scenario $scenario" ;;
esac
