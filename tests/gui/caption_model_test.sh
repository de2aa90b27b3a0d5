#!/bin/bash
# The caption bars of the Qt windows against the independent caption model
# (tests/support/caption_model.py), on a display of their own: the main
# window active, then the cheat sheet active over the main window inactive.
# The colours are those of Qt's own palette on a bare X server: tooltip
# base FFFFDC for the active bars, the inactive highlight 308CC6 for the
# inactive ones.
#   tests/gui/with_xvfb.sh tests/gui/caption_model_test.sh BIN_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_steps.sh"
bin=$1
work=$(mktemp -d)
program=""
trap '[ -n "$program" ] && kill $program 2>/dev/null; rm -rf "$work"' EXIT
cp "$bin/cmvelunor" "$work/cmvelunor"

# check_caption WINDOW NAME STOP TEXT-WIDTH
check_caption() {
  xwd -silent -id "$1" -out "$work/$2.xwd"
  python3 "$here/../support/caption_model.py" check "$work/$2.xwd" --start 000000 \
    --stop "$3" --text-width "$4" --right-margin 24 --min-height 16
}

"$work/cmvelunor" &
program=$!
window=$(main_window)
xdotool windowfocus --sync "$window"
sleep 0.5
check_caption "$window" main-active FFFFDC 260
xdotool key F1
sheet=$(visible_window --name '^Spickzettel')
sleep 0.7
check_caption "$sheet" sheet-active FFFFDC 200
check_caption "$window" main-inactive 308CC6 260
