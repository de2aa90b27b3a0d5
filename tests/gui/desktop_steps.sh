# Sourced by x11_steps.sh and wayland_steps.sh: the steps that are the same
# on every desktop, built on the ones each of them defines.

# Types the keyword into the focused main window $1, presses the coding
# button at x = $2 (131 "Verschlüsseln", 230 "Entschlüsseln"), then "&OK".
type_keyword_code_and_ok() {
  type_text "$keyword"
  click_client "$1" "$2" 311
  sleep 0.3
  press alt+o
}

no_main_window_left() {
  for _ in $(seq 100); do
    [ "$(main_window_count)" = 0 ] && return 0
    sleep 0.05
  done
  return 1
}
