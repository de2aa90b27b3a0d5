#!/usr/bin/env bash
# The installer under Wine, as a user's machine meets it: installed silently
# (/S) into a Wine prefix of its own, it puts the package's files into
# "Program Files\CMVelunor", the Start-menu entry and the uninstaller's
# entry in the list of programs; the Start-menu entry starts the program, in
# German and, on an English Windows, in English; the uninstaller (/S) leaves
# none of it behind. Runs on a display of its own (tests/gui/with_xvfb.sh).
#   installer_test.sh INSTALLER PACKAGE_FOLDER
set -euo pipefail
installer=$1
package=$2
source "$(dirname "$0")/wine_window_steps.sh"

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all LC_ALL=de_DE.UTF-8
# No menu entries of the Linux desktop for the links the installer makes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
finish() {
  wineserver -k > /dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

[ -f "$installer" ] || fail "no installer $installer (make windows-package builds it)"

folder="$WINEPREFIX/drive_c/Program Files/CMVelunor"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/CMVelunor.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\CMVelunor'
installed_files=(cmvelunor.exe velunor.exe README.txt COPYRIGHT.txt)

wine wineboot --init > /dev/null 2>&1 < /dev/null
wineserver -p > /dev/null 2>&1 < /dev/null || true  # already running after wineboot

echo "Installing silently"
wine "$installer" /S < /dev/null || fail "the installer ended with status $?"
for file in "${installed_files[@]}"; do
  cmp "$package/$file" "$folder/$file" || fail "$file is not the package's"
done
[ -f "$folder/uninstall.exe" ] || fail "no uninstaller"
[ -f "$link" ] || fail "no Start-menu entry"
wine reg query "$uninstall_key" /v UninstallString 2> /dev/null | grep -qF 'C:\Program Files\CMVelunor\uninstall.exe' ||
  fail "the list of programs does not know the uninstaller"

# While the program runs, neither the uninstaller nor the installer touches
# its folder (the uninstaller runs in place here, "_?=", to give its status).
refuses_while_running() {
  echo "Uninstalling and installing again while the program runs"
  if wine "$folder/uninstall.exe" /S _?=C:\\Program Files\\CMVelunor < /dev/null; then
    fail "the uninstaller went on while the program ran"
  fi
  if wine "$installer" /S < /dev/null; then fail "the installer went on while the program ran"; fi
  for file in "${installed_files[@]}" uninstall.exe; do
    [ -f "$folder/$file" ] || fail "$file is gone"
  done
}

# The Start-menu entry starts the installed program, whose window speaks
# Windows' language.
for run in "German:CMVelunor - Text ent-/verschlüsseln" "English:CMVelunor - Encrypt/decrypt text"; do
  language=${run%%:*} caption=${run#*:}
  echo "Starting the program from the Start menu, in $language"
  if [ "$language" = English ]; then
    wine_in_english wine start /unix "$link" < /dev/null
  else
    wine start /unix "$link" < /dev/null
  fi
  window=$(wine_wait_window "^$caption\$") || fail "no window '$caption' in $language"
  [ "$language" = English ] || refuses_while_running
  wine_close_window "$window" || fail "the window did not close with Alt+F4"
done

echo "Uninstalling silently"
wine "$folder/uninstall.exe" /S < /dev/null || fail "the uninstaller ended with status $?"
# The uninstaller runs on as a copy of itself in the temporary folder.
for _ in $(seq 300); do
  [ -e "$folder" ] || break
  sleep 0.1
done
[ ! -e "$folder" ] || fail "left behind: $(ls "$folder")"
[ ! -e "$link" ] || fail "the Start-menu entry is left behind"
for _ in $(seq 20); do
  wine reg query "$uninstall_key" > /dev/null 2>&1 || break
  sleep 0.5
done
if wine reg query "$uninstall_key" > /dev/null 2>&1; then fail "the uninstaller's entry is left behind"; fi
echo "Installed, started and uninstalled"
