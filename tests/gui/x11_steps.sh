# Sourced by the X11 scripts: the steps they share in driving the window
# program with xdotool. A script that sources it defines fail (MESSAGE) and,
# for type_keyword_code_and_ok, keyword.
. "$(dirname "${BASH_SOURCE[0]}")/desktop_steps.sh"

# The first visible window that `xdotool search` finds with the arguments,
# waiting up to 15 s for one; empty when none comes.
visible_window() {
  timeout 15 xdotool search --sync --onlyvisible "$@" | head -n 1
}

# The visible main window, waiting up to 15 s for it.
main_window() { visible_window --class '^TFormVelunor$'; }

# Gives window $1 the keyboard focus, and the window time to take it.
focus() {
  # Under XWayland the compositor's keyboard focus must follow: it is asked
  # to activate the window first.
  [ "${VELUNOR_TEST_SESSION:-}" = weston-xwayland ] && xdotool windowactivate --sync "$1"
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


# The steps the program's scenarios share with a Wayland session
# (wayland_steps.sh has them there).

press() { xdotool key "$@"; }
type_text() { xdotool type --delay 30 "$1"; }

clipboard() { xclip -o -selection clipboard "$@" 2>/dev/null; }
clipboard_types() { clipboard -t TARGETS; }
# Puts text on the clipboard; xclip serves it until another client takes over.
set_clipboard() { printf '%s' "$1" | xclip -i -selection clipboard 2>/dev/null; }
# Another program clears the clipboard: it takes it and gives it up.
clear_clipboard() { "$bin/fake_clipboard_manager" --clear; }

main_window_count() { xdotool search --class '^TFormVelunor$' 2>/dev/null | wc -l; }

# X Y WIDTH HEIGHT of window $1, its frame's border and caption included.
window_geometry() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  echo "$X $Y $WIDTH $HEIGHT"
}

# Drags the caption bar of window $1 by $2, $3 pixels in two steps. The bar
# lies between the frame's top border and the client area.
drag_caption() {
  local x y width height
  read -r x y width height < <(window_geometry "$1")
  xdotool mousemove --window "$1" 100 $(((height - 331) / 2)) mousedown 1 sleep 0.2 \
    mousemove_relative -- $(($2 / 2)) $(($3 / 2)) sleep 0.2 \
    mousemove_relative -- $(($2 / 2)) $(($3 / 2)) sleep 0.2 mouseup 1
  sleep 0.3
}

# Clicks the close button of window $1's caption bar.
click_close_button() {
  local x y width height
  read -r x y width height < <(window_geometry "$1")
  local border=$(((width - 536) / 2))
  xdotool mousemove --window "$1" $((width - border - 8)) $(((height - 331) / 2)) click 1
}

# The window with the keyboard focus: the active one as the window manager
# tells, else the X server's focus window.
active_window() {
  if [ -n "${VELUNOR_TEST_WINDOW_MANAGER:-}" ]; then xdotool getactivewindow; else xdotool getwindowfocus; fi
}

# The window at the top of the window manager's stacking order.
topmost_window() { printf '%d\n' "$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*[ ,]//')"; }

# X Y WIDTH HEIGHT of what the user sees of window $1: the window manager's
# frame around it, or the window itself where there is none.
outer_geometry() {
  local window=$1 tree
  while tree=$(xwininfo -children -id "$window") && ! grep -q '^ *Parent window id: .*(the root window)' <<<"$tree"; do
    window=$(sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
  done
  xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# Fails unless the message box $1 is transient for window $2 and sits
# centred over it (within 2 pixels), as the user sees both; $3 names the box.
expect_centred_over() {
  local box=$1 owner=$2 name=$3
  xprop -id "$box" WM_TRANSIENT_FOR | grep -q "# $(printf '0x%x' "$owner")\$" ||
    fail "$name is not transient for its window: $(xprop -id "$box" WM_TRANSIENT_FOR)"
  sleep 0.3
  local bx by bw bh ox oy ow oh
  read -r bx by bw bh < <(outer_geometry "$box")
  read -r ox oy ow oh < <(outer_geometry "$owner")
  local dx=$(((2 * bx + bw) - (2 * ox + ow))) dy=$(((2 * by + bh) - (2 * oy + oh)))
  ((dx >= -4 && dx <= 4 && dy >= -4 && dy <= 4)) ||
    fail "$name at $bx,$by (${bw}x$bh) is not centred over its window at $ox,$oy (${ow}x$oh)"
}
