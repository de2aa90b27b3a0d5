#!/usr/bin/env bash
# The gradient caption and the cheat sheet of cmvelunor.exe under Wine,
# on a display of their own (with_xvfb.sh) and a Wine prefix of their own
# (with_wine.sh):
#   - the caption bars' pixels, active and inactive, against the independent
#     caption model (tests/support/caption_model.py), with the system colours
#     set to known values first;
#   - the cheat sheet's file beside the program: created at "&Schließen",
#     read back by the next sheet;
#   - a program folder that cannot be written: the file goes to
#     %APPDATA%\CMVelunor\cmvelunor.msg, nothing beside the program.
#   caption_cheat_sheet_test.sh PROGRAM.exe TITLE KEY
# PROGRAM.exe opens a cheat sheet at KEY from its main window named TITLE.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_window_steps.sh"
model=$here/../support/caption_model.py
program=$1 title=$2 open_key=$3

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  chattr -i "$work/readonly" 2>/dev/null || true
  [ -n "${KEEP_PICTURES:-}" ] && cp "$work"/*.xwd "$KEEP_PICTURES"/ 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Known system colours, so that the model's colours do not depend on Wine's
# defaults: the active bars run from black to the tooltip colour, the
# inactive ones from black to the inactive caption colour.
info=FFFFE1 inactive=7A96DF
set_up_wine() { wine_set_screen "255 255 225" "122 150 223" "$1"; }
set_up_wine 96
# The prefix outlives a run: no sheet of an earlier one.
find "$WINEPREFIX/drive_c/users" -type d -name CMVelunor -exec rm -rf {} + 2>/dev/null || true

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_program() {
  local folder=$1
  mkdir -p "$folder"
  cp "$program" "$folder/"
  wine "$folder/$(basename "$program")" > /dev/null 2>&1 &
  pid=$!
  main=$(wine_wait_window "^$title\$")
  open_sheet
  sheet=$(wine_wait_window '^Spickzettel für Schlüsselwörter$')
  sleep 1
}

open_sheet() { wine_keys "$main" "$open_key"; }

# Types into the cheat sheet and closes it with Esc, or with a click on
# the close button of its caption bar when $2 is "close-button".
type_into_sheet() {
  wine_type "$sheet" "$1"
  if [ "${2:-}" = close-button ]; then
    eval "$(xdotool getwindowgeometry --shell "$sheet" | grep WIDTH)"
    xdotool mousemove --window "$sheet" $((WIDTH - 12)) 10 click 1
  else
    wine_keys "$sheet" Escape
  fi
  wine_wait_window_gone "$sheet"
  sleep 1
}

stop_program() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}

# check_caption WINDOW STATE STOP TEXT-WIDTH [HEIGHT]: the bar's pixels, at
# least HEIGHT rows of them (default 15, the small caption at 100 %).
check_caption() {
  local picture=$work/$2-$1.xwd
  xwd -silent -id "$1" -out "$picture"
  python3 "$model" check "$picture" --start 000000 --stop "$3" --text-width "$4" \
    --right-margin 24 --min-height "${5:-15}" || fail "the $2 caption of window $1 is not the model's"
}

# Beside the program: the sheet is active, its owner inactive.
folder=$work/program
start_program "$folder"
check_caption "$sheet" active "$info" 200
check_caption "$main" inactive "$inactive" 260
type_into_sheet 'Schluessel eins'
[ "$(iconv -f CP1252 -t UTF-8 "$folder"/*.msg)" = 'Schluessel eins' ] ||
  fail "no cheat sheet beside the program after \"&Schließen\""
check_caption "$main" active "$info" 260

# The next sheet reads the file: what it saves starts with the old text.
open_sheet
sheet=$(wine_wait_window '^Spickzettel für Schlüsselwörter$')
sleep 1
wine_keys "$sheet" ctrl+End
type_into_sheet ', zwei' close-button
[ "$(iconv -f CP1252 -t UTF-8 "$folder"/*.msg)" = 'Schluessel eins, zwei' ] ||
  fail "the second sheet did not read the first one's text back: $(cat "$folder"/*.msg)"
stop_program

# A program folder that cannot be written (immutable even for root).
folder=$work/readonly
mkdir -p "$folder"
cp "$program" "$folder/"
chattr +i "$folder" || fail "cannot make $folder read-only"
start_program "$folder"
type_into_sheet 'notiz'
stop_program
saved=$(find "$WINEPREFIX/drive_c/users" -path '*/CMVelunor/cmvelunor.msg' | head -n 1)
[ -n "$saved" ] || fail "no cheat sheet under %APPDATA%\\CMVelunor"
[ "$(cat "$saved")" = notiz ] || fail "the sheet under %APPDATA% holds: $(cat "$saved")"
[ -z "$(ls "$folder"/*.msg 2>/dev/null)" ] || fail "a sheet beside a read-only program"

# At 150 %: the bars as wide as the frames are, the gradient still the model's.
set_up_wine 144
[ -n "${KEEP_PICTURES:-}" ] && cp "$work"/*.xwd "$KEEP_PICTURES"/
start_program "$work/scaled"
check_caption "$sheet" active "$info" 300 23
check_caption "$main" inactive "$inactive" 390 23
stop_program
echo "caption pixels and cheat sheet: as expected"
