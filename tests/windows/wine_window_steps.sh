# Steps for driving the windows of Windows programs under Wine with xdotool
# (Wine shows each top-level window as an X window named by its caption).
# Sourced by the Wine window tests, which run on a display of their own
# (tests/gui/with_xvfb.sh) with a Wine prefix and server of their own
# (tests/windows/with_wine.sh).

# Prints the X window id of the first visible window whose name matches the
# regular expression $1, waiting up to $2 seconds (default 30); fails when
# none appears.
wine_wait_window() {
  local pattern=$1 seconds=${2:-30} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "no window named '$pattern' appeared within ${seconds}s" >&2
  return 1
}

# Waits up to $2 seconds (default 10) until the window $1 is gone.
wine_wait_window_gone() {
  local id=$1 seconds=${2:-10}
  for _ in $(seq $((seconds * 10))); do
    xdotool getwindowname "$id" > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "window $id still there after ${seconds}s" >&2
  return 1
}

# Gives the keyboard focus to the window $1 and presses the keys $2... there
# (xdotool key names), one after the other, with a moment for each to work.
wine_keys() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.3
  done
}

# Types the text $2 into the window $1.
wine_type() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool type --delay 30 "$2"
  sleep 0.3
}

# The X clipboard: put the text $1 on it; print what it holds. xclip stays
# to serve the text, its output closed, so that no one waits for its end.
clipboard_in() { printf %s "$1" | xclip -i -selection clipboard >/dev/null 2>&1; }
clipboard_out() { xclip -o -selection clipboard 2>/dev/null; }

# Waits up to $2 seconds (default 15) for the background process $1 to end
# and sets exit_status to its exit status, or to "running" when it has not
# ended. (Not in a subshell: only the shell that started it can wait for it.)
wine_wait_exit() {
  local pid=$1 seconds=${2:-15}
  exit_status=running
  for _ in $(seq $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      exit_status=$?
      return 0
    fi
    sleep 0.1
  done
}

# Sets the system colours the caption bars run to, the tooltip colour $1 and
# the inactive caption colour $2 ("R G B"), and the screen's dots per inch
# $3, then restarts the Wine server, which reads them as it starts.
wine_set_screen() {
  local colors='HKCU\Control Panel\Colors'
  wine reg add "$colors" /v InfoWindow /d "$1" /f > /dev/null 2>&1
  wine reg add "$colors" /v InactiveTitle /d "$2" /f > /dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$3" /f \
    > /dev/null 2>&1
  wineserver -k > /dev/null 2>&1 || true
  wineserver -p > /dev/null 2>&1
}

# Closes the window $1 as a user does, with Alt+F4, and waits until it is
# gone.
wine_close_window() {
  wine_keys "$1" alt+F4
  wine_wait_window_gone "$1"
}

# Runs the command $@ (a Wine program) on an English Windows: the tests' Wine
# speaks German (tests/windows/with_wine.sh), and Wine takes Windows'
# language from the locale.
wine_in_english() {
  LC_ALL=en_US.UTF-8 "$@"
}
