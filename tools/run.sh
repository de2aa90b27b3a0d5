#!/bin/bash
# What `make run` starts: the window program, or, where no graphical desktop
# can be reached (cmvelunor then says so and ends with 1), a short
# demonstration of the command line tool velunor: the window's coding, there
# and back, and its help.
#
#   tools/run.sh BIN_DIR
set -u
bin=$1

if [ -x "$bin/cmvelunor" ]; then
  "$bin/cmvelunor"
  status=$?
  [ "$status" = 1 ] || exit "$status"
fi

text='Grüße aus Velunor'
keyword=Geheimnis
echo
echo "velunor verschlüsselt wie das Fenster (Schlüsselwort \"$keyword\"):"
echo "  \$ printf '%s\\n' '$text' | velunor encrypt --text --keyword $keyword"
cipher=$(printf '%s\n' "$text" | "$bin/velunor" encrypt --text --keyword "$keyword") || exit 1
echo "  $cipher"
echo "und zurück:"
echo "  \$ printf '%s' '$cipher' | velunor decrypt --text --keyword $keyword"
printf '%s' "$cipher" | "$bin/velunor" decrypt --text --keyword "$keyword" | sed 's/^/  /' ||
  exit 1
echo
"$bin/velunor" --help
