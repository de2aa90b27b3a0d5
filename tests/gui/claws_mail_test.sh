#!/bin/bash
# Claws Mail with the recipe of share/examples/claws-mail-actionsrc and the
# window as its external editor, on a display of its own (under
# with_xvfb.sh), with a home of its own, a local MH mailbox and a mail
# command that delivers into its inbox. A mail encrypted by the action
# (velunor, the keyword asked by cmvelunor --ask-keyword) decrypts in the
# window (cmvelunor --edit); a mail encrypted in the window as the external
# editor decrypts by the action.
#
#   claws_mail_test.sh BIN_DIR SOURCE_DIR
set -u
. "$(dirname "$0")/x11_steps.sh"
. "$(dirname "$0")/mail_program_steps.sh"

bin=$(cd "$1" && pwd)
recipe=$2/share/examples/claws-mail-actionsrc
editor_command='cmvelunor --edit %s'
keyword=Geheimnis
work=$(mktemp -d)
home=$work/home
config=$home/.claws-mail
mailbox=$work/Mail
claws_pid=""

cleanup() {
  [ -n "$claws_pid" ] && kill "$claws_pid" 2>/dev/null && wait "$claws_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "Claws Mail printed:" >&2
  grep -v 'Gtk-WARNING\|^$' "$work/claws.log" >&2 2>/dev/null
  exit 1
}

command -v claws-mail >/dev/null || fail "Claws Mail is not installed (make test-deps installs it)"

check_recipe_shown "$recipe" "$2"
grep -qF "$editor_command" "$2/README.md" || fail "the README lacks the external editor"

mkdir -p "$config" "$mailbox"/{inbox,sent,queue,draft,trash} "$work/path" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
# velunor as the actions run it, its output and exit status kept for the
# test too.
cat >"$work/path/velunor" <<EOF
#!/bin/bash
"$bin/velunor" "\$@" | tee -a "$work/velunor.out"
status=\${PIPESTATUS[0]}
echo "\$status" >>"$work/velunor.status"
exit "\$status"
EOF
ln -s "$bin/cmvelunor" "$work/path/cmvelunor"
# The mail command delivers into the inbox, as MH numbers its messages.
cat >"$work/deliver" <<EOF
#!/bin/sh
n=1
while [ -e "$mailbox/inbox/\$n" ]; do n=\$((n + 1)); done
cat >"$mailbox/inbox/.new" && mv "$mailbox/inbox/.new" "$mailbox/inbox/\$n"
EOF
chmod +x "$work/path/velunor" "$work/deliver"
: >"$work/velunor.status"
cat >"$config/accountrc" <<EOF
[Account: 1]
account_name=Alice
is_default=1
name=Alice
address=alice@example.org
protocol=6
use_mail_command=1
mail_command=$work/deliver
EOF
cat >"$config/folderlist.xml" <<EOF
<?xml version="1.0" encoding="UTF-8" ?>
<folderlist>
  <folder type="mh" name="Mailbox" path="$mailbox">
    <folderitem type="inbox" name="inbox" path="inbox" />
    <folderitem type="outbox" name="sent" path="sent" />
    <folderitem type="queue" name="queue" path="queue" />
    <folderitem type="draft" name="draft" path="draft" />
    <folderitem type="trash" name="trash" path="trash" />
  </folder>
</folderlist>
EOF
cat >"$config/clawsrc" <<EOF
[Common]
enable_aspell=0
ext_editor_command=$editor_command
EOF
cp "$recipe" "$config/actionsrc"
# Keys for the actions (Ctrl+Alt+E in a compose window, Ctrl+Alt+D on the
# selected message), as a user sets them by pressing them over the menu item.
cat >"$config/menurc" <<EOF
(gtk_accel_path "<ComposeActions>/Menu/Tools/Actions/Velunor/Encrypt" "<Primary><Alt>e")
(gtk_accel_path "<MainwinActions>/Menu/Tools/Actions/Velunor/Decrypt" "<Primary><Alt>d")
EOF

letter='das Treffen ist morgen um acht, am alten Bahnhof. Grüße, Alice'
printf 'To: bob@example.org\nSubject: Treffen\n\nHallo Bob,\n\n%s\n' "$letter" >"$work/draft.txt"

claws() {
  HOME=$home LANG=C.UTF-8 PATH=$work/path:$PATH claws-mail "$@"
}

claws >"$work/claws.log" 2>&1 &
claws_pid=$!
main=$(visible_window --name ' - Claws Mail ')
[ -n "$main" ] || fail "Claws Mail shows no main window"

# Opens a new mail from the draft and focuses its window.
compose() {
  claws --compose-from-file "$work/draft.txt"
  compose_window=$(visible_window --name '^Treffen - Compose message$')
  [ -n "$compose_window" ] || fail "no compose window"
  focus "$compose_window"
}

# Waits until the text of the compose window has changed.
wait_for_edited_text() {
  [ -n "$(visible_window --name '^Treffen - Compose message \[Edited\]$')" ] ||
    fail "the mail's text was not replaced"
}

# Sends the mail of the compose window with its "Send" button; waits for
# mail $1 in the inbox.
send() {
  # While an action or the editor is still ending, Claws Mail may not send
  # yet: the button is pressed again as long as the window is there.
  for _ in 1 2 3; do
    xdotool mousemove --window "$compose_window" 35 50 click 1 2>/dev/null
    for _ in $(seq 50); do
      [ -e "$mailbox/inbox/$1" ] && return 0
      sleep 0.1
    done
  done
  fail "mail $1 was not delivered"
}

# Waits until velunor has run $1 times and sets velunor_status to the
# last run's exit status.
wait_for_velunor_runs() {
  for _ in $(seq 300); do
    if [ "$(wc -l <"$work/velunor.status" 2>/dev/null)" = "$1" ]; then
      velunor_status=$(tail -n 1 "$work/velunor.status")
      return 0
    fi
    sleep 0.1
  done
  fail "velunor did not run $1 times"
}

# Answers the keyword dialog with keyword $1.
give_keyword() {
  local dialog
  dialog=$(visible_window --name '^CMVelunor - Schlüsselwort$')
  [ -n "$dialog" ] || fail "no keyword dialog for $1"
  focus "$dialog"
  type_text "$1"
  press Return
}

body() { sed '1,/^$/d' "$1"; }

# Encrypted by the action (Ctrl+Alt+E), the keyword asked in the dialog.
compose
press ctrl+alt+e
give_keyword "$keyword"
wait_for_velunor_runs 1
wait_for_edited_text
send 1
body "$mailbox/inbox/1" | grep -q 'Hallo' && fail "the mail went out in plain text"
[ "$(body "$mailbox/inbox/1" | awk '{ print length }' | sort -n | tail -n 1)" = 76 ] ||
  fail "the cipher text is not broken at 76 columns: $(cat "$mailbox/inbox/1")"

# The mail decrypts in the window as an external editor on the message.
cp "$mailbox/inbox/1" "$work/first.eml"
"$bin/cmvelunor" --edit "$work/first.eml" &
code_in_window
grep -qxF "$letter" "$work/first.eml" || fail "the window decrypted to $(cat "$work/first.eml")"

# Encrypted in the window as Claws Mail's external editor (Ctrl+Shift+X):
# the same cipher text as the action's.
compose
press ctrl+shift+x
code_in_window
sleep 2
send 2
[ "$(body "$mailbox/inbox/2")" = "$(body "$mailbox/inbox/1")" ] ||
  fail "the window encrypted to $(cat "$mailbox/inbox/2")"

# Decrypted by the action on the selected message (Ctrl+Alt+D): nothing
# with a wrong keyword, the letter with the right one.
claws --select "$mailbox/inbox/2"
sleep 1
: >"$work/velunor.out"
focus "$main"
press ctrl+alt+d
give_keyword falsch
wait_for_velunor_runs 2
[ "$velunor_status" = 3 ] || fail "a wrong keyword ended velunor with $velunor_status"
# Claws Mail shows what the action printed, here velunor's complaint.
output=$(visible_window --name "^Action's input/output$")
[ -n "$output" ] || fail "no output window after a wrong keyword"
[ -s "$work/velunor.out" ] && fail "a wrong keyword decrypted to $(cat "$work/velunor.out")"
# The README's picture of this moment, when asked for (a folder to put it in).
if [ -n "${VELUNOR_SCREENSHOT_DIR:-}" ]; then
  sleep 1
  read -r x1 y1 w1 h1 <<<"$(window_geometry "$main")"
  read -r x2 y2 w2 h2 <<<"$(window_geometry "$output")"
  right=$((x1 + w1 > x2 + w2 ? x1 + w1 : x2 + w2))
  bottom=$((y1 + h1 > y2 + h2 ? y1 + h1 : y2 + h2))
  "$bin/grab_window" 0 "$VELUNOR_SCREENSHOT_DIR/screenshot-claws-mail.png" "$x1" "$y1" \
    $((right - x1)) $((bottom - y1)) || fail "no screenshot"
fi
focus "$output"
press Escape
sleep 1
focus "$main"
press ctrl+alt+d
give_keyword "$keyword"
wait_for_velunor_runs 3
grep -qxF "$letter" "$work/velunor.out" ||
  fail "the action decrypted to $(cat "$work/velunor.out" 2>/dev/null)"
grep -qx 'Subject: Treffen' "$work/velunor.out" || fail "the action lost the header"
echo "Claws Mail with velunor and the window: passed"
