#!/bin/bash
# Takes the screenshots of the windows for the documentation:
#   tests/gui/with_xvfb.sh tests/gui/take_screenshot.sh BIN_DIR DOCS_DIR
# screenshot-main.png: the main window, active, showing a pasted text, a
# keyword and the encrypted result.
# screenshot-windows.png: the same above; below it the cheat sheet opened
# over the main window, the cheat sheet active and the main window inactive.
set -eu
. "$(dirname "$0")/x11_steps.sh"
bin=$1
docs=$2

# The documentation shows the windows in German, whatever the desktop speaks.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
work=$(mktemp -d)
program=""
trap '[ -n "$program" ] && kill $program 2>/dev/null; rm -rf "$work"' EXIT
# A copy of the program, whose cheat-sheet file lies beside it.
cp "$bin/cmvelunor" "$work/cmvelunor"
printf 'Schl\xfcsselw\xf6rter:\r\nSommerwiese - Mails an Anna\r\nHerbstlaub - Kontoausz\xfcge' \
  >"$work/cmvelunor.msg"

printf 'Treffen wir uns am Freitag um 18 Uhr?\nGrüße, Anna' | xclip -i -selection clipboard 2>/dev/null
"$work/cmvelunor" &
program=$!
window=$(main_window)
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key ctrl+v
xdotool type --delay 30 'Sommerwiese'
click_client "$window" 131 311
# The pointer away from the buttons, so that none is shown lifted.
click_client "$window" 300 270
sleep 0.5
"$bin/grab_window" "$window" "$docs/screenshot-main.png"

xdotool key F1
visible_window --name '^Spickzettel' >/dev/null
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
"$bin/grab_window" 0 "$work/sheet.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
"$bin/grab_window" --stack "$docs/screenshot-windows.png" "$docs/screenshot-main.png" \
  "$work/sheet.png"
