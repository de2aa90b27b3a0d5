#!/usr/bin/env bash
# Runs a command with Wine ready for Windows programs: a Wine prefix of its
# own (made on first use), one Wine server kept running for every Wine
# process of the command (Wine starts slowly), and a German UTF-8 locale:
# Windows' language is then German, as the program's users have it, and
# arguments reach the programs as the UTF-16 they spell. A Wine process
# started with LC_ALL=en_US.UTF-8 sees an English Windows.
#   with_wine.sh PREFIX COMMAND...
set -u
export WINEPREFIX=$1
shift
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=de_DE.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  wine wineboot --init > /dev/null 2>&1 < /dev/null
fi
# The server and Wine's services must not hold the command's output open.
wineserver -p > /dev/null 2>&1 < /dev/null
wine wineboot > /dev/null 2>&1 < /dev/null
"$@"
status=$?
wineserver -k > /dev/null 2>&1
exit "$status"
