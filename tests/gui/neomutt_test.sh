#!/bin/bash
# neomutt with the recipe of share/examples/neomuttrc, run in a terminal of
# tmux on a display of its own (under with_xvfb.sh), with a home of its own
# and a local Maildir that its mails are delivered to. A mail encrypted
# with velunor in neomutt's compose menu decrypts in neomutt and in the
# window (cmvelunor --edit); a mail encrypted in the window, opened from the
# compose menu, decrypts in neomutt, and not with a wrong keyword.
#
#   neomutt_test.sh BIN_DIR SOURCE_DIR
set -u
. "$(dirname "$0")/x11_steps.sh"
. "$(dirname "$0")/mail_program_steps.sh"

bin=$1
recipe=$2/share/examples/neomuttrc
keyword=Geheimnis
work=$(mktemp -d)
inbox=$work/Mail/inbox
runs=0
terminal=(tmux -f /dev/null -S "$work/tmux.0")

cleanup() {
  "${terminal[@]}" kill-server 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "the terminal shows:" >&2
  "${terminal[@]}" capture-pane -p >&2 2>/dev/null
  exit 1
}

command -v neomutt >/dev/null && command -v tmux >/dev/null ||
  fail "neomutt and tmux are not installed (make test-deps installs them)"

check_recipe_shown "$recipe" "$2"

mkdir -p "$inbox"/{cur,new,tmp} "$work/home"
letter='das Treffen ist morgen um acht, am alten Bahnhof. Grüße, Alice'
printf 'Hallo Bob,\n\n%s\n' "$letter" >"$work/letter.txt"
# Sending delivers into the inbox.
cat >"$work/deliver" <<EOF
#!/bin/sh
name=\$(date +%s).\$\$.velunor
cat >"$inbox/tmp/\$name" && mv "$inbox/tmp/\$name" "$inbox/new/\$name"
EOF
chmod +x "$work/deliver"
cat >"$work/neomuttrc" <<EOF
set folder=$work/Mail spoolfile=+inbox mbox_type=Maildir
set from=alice@example.org realname=Alice use_from=yes
set sendmail=$work/deliver record="" copy=no quit=yes
set charset=utf-8 send_charset=utf-8
# A new mail's text, as if written in an editor.
set editor="cp $work/letter.txt"
source $recipe
EOF

# Runs neomutt with the arguments in a new terminal (a tmux server of its
# own: one that is just ending may refuse a new session).
neomutt_in_terminal() {
  "${terminal[@]}" kill-server 2>/dev/null
  runs=$((runs + 1))
  terminal=(tmux -f /dev/null -S "$work/tmux.$runs")
  "${terminal[@]}" new-session -d -x 120 -y 40 \
    "env HOME=$work/home LANG=C.UTF-8 PATH=$bin:\$PATH neomutt -n -F $work/neomuttrc $*"
}

keys() { "${terminal[@]}" send-keys "$@"; }

# Waits up to 15 s for the terminal to show text $1.
wait_for_screen() {
  for _ in $(seq 150); do
    "${terminal[@]}" capture-pane -p 2>/dev/null | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "the terminal does not show \"$1\""
}

# Waits up to 15 s for velunor's keyword prompt on the last line: the
# terminal may still show an earlier one above.
wait_for_keyword_prompt() {
  for _ in $(seq 150); do
    [ "$("${terminal[@]}" capture-pane -p 2>/dev/null | sed -e 's/ *$//' -e '/^$/d' | tail -n 1)" = \
      "Keyword:" ] && return 0
    sleep 0.1
  done
  fail "the terminal does not ask for the keyword"
}

# Waits until the inbox holds $1 mails.
wait_for_mails() {
  for _ in $(seq 150); do
    [ "$(ls "$inbox/new" | wc -l)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the inbox holds $(ls "$inbox/new" | wc -l) mails, not $1"
}

# Starts a new mail with subject $1 and waits for the compose menu.
compose() {
  neomutt_in_terminal -s "$1" bob@example.org
  wait_for_screen "To: bob@example.org"
  keys Enter
  wait_for_screen "Subject: $1"
  keys Enter
  wait_for_screen "NeoMutt: Compose"
}

# Sends the mail of the compose menu and waits for its delivery as mail $1.
send() {
  keys y
  wait_for_mails "$1"
}

# Quits neomutt and waits until it has saved its folder and ended.
quit_neomutt() {
  keys q
  for _ in $(seq 100); do
    "${terminal[@]}" has-session 2>/dev/null || return 0
    sleep 0.1
  done
  fail "neomutt does not end"
}

# Answers "Press any key to continue" once the command has ended (a key
# pressed before goes to the command's terminal and is lost).
continue_after_command() {
  wait_for_screen "Press any key"
  keys Enter
}

# Decrypts the mail under the cursor with keyword $1 (Esc v).
decrypt_in_neomutt() {
  keys Escape v
  wait_for_keyword_prompt
  keys "$1" Enter
}

# Encrypted in neomutt with velunor, the keyword typed in the terminal: the
# delivered mail holds the cipher text broken at 76 columns.
compose Treffen
keys Escape v
wait_for_keyword_prompt
keys "$keyword" Enter
continue_after_command
send 1
first=$(ls -d "$inbox"/new/*)
grep -q 'Hallo' "$first" && fail "the mail went out in plain text"
[ "$(sed '1,/^$/d' "$first" | awk '{ print length }' | sort -n | tail -n 1)" = 76 ] ||
  fail "the cipher text is not broken at 76 columns: $(cat "$first")"

# Read back in neomutt.
neomutt_in_terminal
wait_for_screen "Treffen"
decrypt_in_neomutt "$keyword"
wait_for_screen "das Treffen ist morgen um acht, am alten Bahnhof."
continue_after_command
quit_neomutt
mv "$inbox"/*/* "$work/first.eml"

# The same mail decrypts in the window, as an external editor.
"$bin/cmvelunor" --edit "$work/first.eml" &
editor=$!
code_in_window
wait "$editor" || fail "the window as editor ended with $?"
grep -qxF "$letter" "$work/first.eml" || fail "the window decrypted to $(cat "$work/first.eml")"
grep -qx 'Subject: Treffen' "$work/first.eml" || fail "the window lost the header"

# Encrypted in the window, opened from the compose menu (Esc V).
compose Abendessen
keys Escape V
code_in_window
continue_after_command
send 1
grep -q 'Hallo' "$inbox"/new/* && fail "the window's mail went out in plain text"

# Read in neomutt: a wrong keyword shows no text, the right one does.
neomutt_in_terminal
wait_for_screen "Abendessen"
decrypt_in_neomutt falsch
wait_for_screen "wrong keyword or damaged cipher text"
continue_after_command
decrypt_in_neomutt "$keyword"
wait_for_screen "das Treffen ist morgen um acht, am alten Bahnhof."
continue_after_command
quit_neomutt
echo "neomutt with velunor and the window: passed"
