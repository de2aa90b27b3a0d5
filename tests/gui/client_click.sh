# Sourced by the X11 scripts: clicks into the main window by the position
# of the control in the window's client area (536 × 331), wherever the
# caption bar and the frame's border put that area in the window. The
# frame's border is as wide at the bottom as at the sides; the caption bar
# takes the rest above.
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
