# Sourced by the program's scenarios on a Wayland session (under
# with_wayland.sh): the steps of x11_steps.sh, taken on a Wayland
# compositor. Windows are the compositor's (wayland_windows.py); keys and
# the pointer come from the X display the compositor's X11 backend reads
# (VELUNOR_TEST_INPUT_DISPLAY); the clipboard is read and set with
# wl-clipboard. A window is named by the compositor's id for it.

. "$(dirname "${BASH_SOURCE[0]}")/desktop_steps.sh"
wayland_session=${VELUNOR_TEST_SESSION%-*}
windows() { "$(dirname "${BASH_SOURCE[0]}")/wayland_windows.py" "$wayland_session"; }

# xdotool on the compositor's input display, where the compositor's window
# covers the screen from its top left corner: the screen's coordinates are
# the compositor's.
input() { DISPLAY=$VELUNOR_TEST_INPUT_DISPLAY xdotool "$@"; }

# The id of the first window whose title matches the extended regular
# expression $2 ($1 is --name, as for xdotool), waiting up to 15 s.
visible_window() {
  local pattern=$2 found
  for _ in $(seq 150); do
    found=$(windows | awk -v re="$pattern" '{ t = $0; for (i = 1; i <= 7; i++) sub(/^[^ ]* /, "", t) }
      t ~ re { print $1; exit }')
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
}

main_window_title='^CMVelunor - Text ent-/verschlüsseln$'
main_window() { visible_window --name "$main_window_title"; }

main_window_count() {
  windows | awk '{ t = $0; for (i = 1; i <= 7; i++) sub(/^[^ ]* /, "", t) } t ~ /^CMVelunor - Text/' |
    wc -l
}

# X Y WIDTH HEIGHT of window $1.
window_geometry() { windows | awk -v id="$1" '$1 == id { print $2, $3, $4, $5 }'; }

# The compositor's id of the focused window: as sway tells it; weston
# does not, and gives the focus to the window it raises.
active_window() {
  if [ "$wayland_session" = sway ]; then
    windows | awk '$6 == 1 { print $1; exit }'
  else
    topmost_window
  fi
}
topmost_window() { windows | awk 'NR == 1 { print $1 }'; }

# Moves the pointer to $2, $3 in window $1.
pointer_at() {
  local x y width height
  read -r x y width height < <(window_geometry "$1")
  input mousemove $((x + $2)) $((y + $3))
}

# Gives window $1 the keyboard focus: sway's focus command; on weston a
# click on its caption bar's left end.
focus() {
  if [ "$wayland_session" = sway ]; then
    swaymsg "[con_id=$1] focus" >/dev/null || fail "cannot focus window $1"
  else
    pointer_at "$1" 12 10
    input click 1
  fi
  sleep 0.3
}

press() { input key --delay 50 "$@"; }
type_text() { input type --delay 30 "$1"; }

# Clicks into the main window by the position of a control in the client
# area (536 × 331), below the window's own border and caption bar.
click_client() {
  local x y width height
  read -r x y width height < <(window_geometry "$1")
  local border=$(((width - 536) / 2))
  local top=$((height - 331 - border))
  pointer_at "$1" $(($2 + border)) $(($3 + top))
  input click 1
}

# Drags the caption bar of window $1 by $2, $3 pixels in two steps.
drag_caption() {
  pointer_at "$1" 100 10
  input mousedown 1 sleep 0.2 mousemove_relative -- $(($2 / 2)) $(($3 / 2)) sleep 0.2 \
    mousemove_relative -- $(($2 / 2)) $(($3 / 2)) sleep 0.2 mouseup 1
  sleep 0.3
}

# Clicks the close button of window $1's caption bar.
click_close_button() {
  local x y width height
  read -r x y width height < <(window_geometry "$1")
  pointer_at "$1" $((width - (width - 536) / 2 - 8)) 10
  input click 1
}

clipboard() {
  if [ "${1:-}" = -t ]; then
    timeout 5 wl-paste --no-newline --type "$2" 2>/dev/null
  else
    timeout 5 wl-paste --no-newline 2>/dev/null
  fi
}
clipboard_types() { timeout 5 wl-paste --list-types 2>/dev/null; }
# wl-copy serves in the background: it must not hold the test's output open.
set_clipboard() { printf '%s' "$1" | wl-copy >/dev/null 2>&1; }
clear_clipboard() { wl-copy --clear >/dev/null 2>&1; }

