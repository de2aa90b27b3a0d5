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

# Closes the window $1 as a user does, with Alt+F4, and waits until it is
# gone.
wine_close_window() {
  local id=$1
  xdotool windowactivate --sync "$id" 2> /dev/null || xdotool windowfocus --sync "$id"
  xdotool key --clearmodifiers alt+F4
  wine_wait_window_gone "$id"
}

# Runs the command $@ (a Wine program) on an English Windows: the tests' Wine
# speaks German (tests/windows/with_wine.sh), and Wine takes Windows'
# language from the locale.
wine_in_english() {
  LC_ALL=en_US.UTF-8 "$@"
}
