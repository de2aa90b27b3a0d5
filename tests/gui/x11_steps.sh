# Sourced by the X11 scripts: the steps they share in driving the window
# program with xdotool. A script that sources it defines fail (MESSAGE) and,
# for type_keyword_code_and_ok, keyword.

# The first visible window that `xdotool search` finds with the arguments,
# waiting up to 15 s for one; empty when none comes.
visible_window() {
  timeout 15 xdotool search --sync --onlyvisible "$@" | head -n 1
}

# The visible main window, waiting up to 15 s for it.
main_window() { visible_window --class '^TFormVelunor$'; }

# Gives window $1 the keyboard focus, and the window time to take it.
focus() {
  xdotool windowfocus --sync "$1" || fail "cannot focus window $1"
  sleep 0.3
}

# Clicks into the main window by the position of the control in the
# window's client area (536 × 331), wherever the caption bar and the frame's
# border put that area in the window. The frame's border is as wide at the
# bottom as at the sides; the caption bar takes the rest above.
#
#   click_client WINDOW X Y
click_client() {
  local window=$1 x=$2 y=$3
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  local border=$(((WIDTH - 536) / 2))
  local top=$((HEIGHT - 331 - border))
  xdotool mousemove --window "$window" $((x + border)) $((y + top)) click 1
}

# Types the keyword into the focused main window $1, presses the coding
# button at x = $2 (131 "Verschlüsseln", 230 "Entschlüsseln"), then "&OK".
type_keyword_code_and_ok() {
  xdotool type --delay 30 "$keyword"
  click_client "$1" "$2" 311
  sleep 0.3
  xdotool key alt+o
}
