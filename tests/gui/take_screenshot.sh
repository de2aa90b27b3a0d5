#!/bin/bash
# Takes the screenshot of the main window for the documentation:
#   tests/gui/with_xvfb.sh tests/gui/take_screenshot.sh BIN_DIR OUTPUT.png
# The window shows a pasted text, a keyword and the encrypted result.
set -eu
bin=$1
output=$2

printf 'Treffen wir uns am Freitag um 18 Uhr?\nGrüße, Anna' | xclip -i -selection clipboard 2>/dev/null
"$bin/cmvelunor" &
program=$!
trap 'kill $program 2>/dev/null' EXIT
window=$(timeout 15 xdotool search --sync --onlyvisible --class '^TFormVelunor$' | head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key ctrl+v
xdotool type --delay 30 'Sommerwiese'
xdotool mousemove --window "$window" 131 311 click 1
# The pointer away from the buttons, so that none is shown lifted.
xdotool mousemove --window "$window" 300 20
sleep 0.5
"$bin/grab_window" "$window" "$output"
