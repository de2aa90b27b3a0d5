#!/usr/bin/env bash
# Takes the screenshot of the Win32 windows under Wine for the documentation,
# beside the Linux ones (tests/gui/take_screenshot.sh):
#   tests/gui/with_xvfb.sh tests/windows/with_wine.sh PREFIX \
#     tests/windows/take_screenshot.sh WINDOWS_BIN_DIR LINUX_BIN_DIR DOCS_DIR [PERCENT]
# screenshot-windows-win32.png: the main window with a text encrypted; below
# it the cheat sheet opened over the main window, active, the main window
# inactive. With PERCENT other than 100 the screen has that scale and the
# picture is screenshot-windows-win32-PERCENT.png. grab_window of the Linux
# build takes the pictures.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_window_steps.sh"
windows_bin=$1 linux_bin=$2 docs=$3 percent=${4:-100}
picture=screenshot-windows-win32.png
[ "$percent" = 100 ] || picture=screenshot-windows-win32-$percent.png
# A point of the window's 100 % layout at the screen's scale.
scaled() { echo $(($1 * percent / 100)); }
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT

# The caption colours of the tests: tooltip yellow, inactive blue.
wine_set_screen "255 255 225" "122 150 223" $((96 * percent / 100))
cp "$windows_bin/cmvelunor.exe" "$work/"
printf 'Schl\xfcsselw\xf6rter:\r\nSommerwiese - Mails an Anna\r\nHerbstlaub - Kontoausz\xfcge' \
  > "$work/cmvelunor.msg"
clipboard_in "$(printf 'Treffen wir uns am Freitag um 18 Uhr?\nGrüße, Anna')"
wine "$work/cmvelunor.exe" > /dev/null 2>&1 &
pid=$!
main=$(wine_wait_window '^CMVelunor - Text' 60)
sleep 1
wine_keys "$main" ctrl+v
wine_type "$main" Sommerwiese
# "Verschlüsseln", then the pointer away from the buttons.
xdotool mousemove --window "$main" "$(scaled 130)" "$(scaled 330)" click 1
sleep 1
xdotool mousemove --window "$main" "$(scaled 300)" "$(scaled 300)"
"$linux_bin/grab_window" "$main" "$work/main.png"

wine_keys "$main" F1
wine_wait_window '^Spickzettel' > /dev/null
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
"$linux_bin/grab_window" 0 "$work/sheet.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
"$linux_bin/grab_window" --stack "$docs/$picture" "$work/main.png" \
  "$work/sheet.png"
