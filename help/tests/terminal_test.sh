#!/usr/bin/env bash
# Drives the terminal VekHelp in a detached tmux session: keys go in with send-keys, the
# screen comes back with capture-pane. Usage: terminal_test.sh PATH/TO/VekHelp
set -euo pipefail

viewer="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
command -v tmux >/dev/null || { echo "tmux is not installed"; exit 77; }

socket="vekhelp-test-$$"
folder="$(mktemp -d)"
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$folder"' EXIT

# The help file, CR LF line ends as on Windows.
printf '%s\r\n' \
  '<CONTENTS>' 'INTRODUCTION' 'SORTING' 'SEARCHING' 'FILES' '<END>' \
  '<INTRODUCTION>' 'Welcome to the terminal test.' '[SORTING][FILES]' '<END>' \
  '<SORTING>' 'A bubble sort swaps neighbours.' '[SEARCHING][FILES]' '<END>' \
  '<SEARCHING>' 'A binary search halves the range.' 'A bubble of air rises.' '[SORTING]' '<END>' \
  '<FILES>' 'Files are opened on every request.' '<ENDHELP>' > "$folder/VEKHelp.CFG"

failures=0
fail() {
  echo "FAIL: $*"
  echo "--- screen ---"
  tmux -L "$socket" capture-pane -p 2>/dev/null || true
  failures=$((failures + 1))
}

# Starts the viewer with the given argument words in a 100 x 30 terminal.
start() {
  rm -f "$folder/exit-code"
  local quoted=""
  for word in "$@"; do quoted+=" $(printf '%q' "$word")"; done
  tmux -L "$socket" -f /dev/null new-session -d -x 100 -y 30 \
    "cd $(printf '%q' "$folder") && $(printf '%q' "$viewer")$quoted; echo \$? > exit-code; sleep 0.2"
}

# Screens are captured whole before they are searched: grep -q ending a pipe early would fail it.
screen() { tmux -L "$socket" capture-pane -p; }
on_screen() { grep -qE -- "$1" <<<"$(screen)"; }
# The areas, rows 3 to 29 of a 100-column screen: contents 21 columns, a separator, the topic
# text 59 columns, a separator, see-also 18 columns.
text_area() { screen | sed -n '3,29p' | cut -c23-81; }
see_also() { screen | sed -n '3,29p' | cut -c83- | sed '/^ *$/d'; }
keys() { tmux -L "$socket" send-keys "$@"; }

# Waits up to five seconds for a fixed text on the screen.
wait_for() {
  for _ in $(seq 50); do
    grep -qF -- "$1" <<<"$(screen)" && return 0
    sleep 0.1
  done
  fail "never showed: $1"
}

expect_see_also() {
  local want
  want="$(printf '%s\n' "$@")"
  [ "$(see_also)" = "$want" ] || fail "see-also should be: $*; is: $(see_also | tr '\n' ',')"
}

# A selected entry is drawn underlined or reversed. The capture carries attributes as escape
# sequences that only say what changes, so their state is followed from the top of the screen.
expect_selected() {
  tmux -L "$socket" capture-pane -p -e | awk -v name="$1 " '
    {
      rest = $0; first = 1
      while (rest != "") {
        if (match(rest, /^\033\[[0-9;]*m/)) {
          count = split(substr(rest, 3, RLENGTH - 3), codes, ";")
          if (count == 0) { codes[1] = 0; count = 1 }
          for (i = 1; i <= count; i++) {
            code = codes[i] + 0
            if (code == 0) { underline = 0; reverse = 0 }
            else if (code == 4) underline = 1
            else if (code == 24) underline = 0
            else if (code == 7) reverse = 1
            else if (code == 27) reverse = 0
          }
          rest = substr(rest, RLENGTH + 1)
        } else {
          next_escape = index(rest, "\033")
          text = next_escape ? substr(rest, 1, next_escape - 1) : rest
          if (first && index(text, name) == 1 && (underline || reverse)) found = 1
          first = 0
          rest = next_escape ? substr(rest, next_escape) : ""
        }
      }
    }
    END { exit !found }' || fail "contents entry $1 is not selected"
}

expect_exit_code_0() {
  for _ in $(seq 50); do
    [ -s "$folder/exit-code" ] && break
    sleep 0.1
  done
  [ "$(cat "$folder/exit-code" 2>/dev/null)" = "0" ] || fail "exit code: $(cat "$folder/exit-code" 2>/dev/null || echo none)"
}

# A quoted header on the command line names the first topic.
start '"<SORTING>"'
wait_for "A bubble sort swaps neighbours."
wait_for "Find : FIND WHAT?"
grep -qE '^ {30}SORTING +$' <<<"$(text_area)" || fail "header not shown as a caption"
expect_selected SORTING
expect_see_also SEARCHING FILES

# Typing replaces the selected search text, upper-cased; Enter searches and keeps the topic's
# own see-also entries in front of the results.
keys b u b b l e Enter
wait_for "<SEARCHING>"
wait_for "Find : BUBBLE"
expect_see_also SEARCHING FILES "<SORTING>" "<SEARCHING>"

# A search result opens as it is; the contents selection follows.
keys BTab End Enter
wait_for "A binary search halves the range."
expect_selected SEARCHING
expect_see_also SORTING

# A see-also name opens the topic of that name.
keys Enter
wait_for "A bubble sort swaps neighbours."
expect_see_also SEARCHING FILES

# From the contents list: a topic without see-also lines empties the see-also area.
keys Tab Tab End Enter
wait_for "Files are opened on every request."
expect_selected FILES
expect_see_also

# A search that finds nothing still leaves no earlier result behind.
keys BTab a i r Enter
wait_for "Find : AIR"
expect_see_also "<SEARCHING>"
keys C-h C-h C-h z z z Enter
wait_for "Find : ZZZ"
expect_see_also

# q is text on the search line; elsewhere it leaves, with exit code 0.
keys Tab q
expect_exit_code_0

# No argument: the introduction, its contents entry selected; Esc leaves.
start
wait_for "Welcome to the terminal test."
expect_selected INTRODUCTION
expect_see_also SORTING FILES
keys Escape
expect_exit_code_0

# No help file: an empty viewer that still starts and leaves cleanly.
rm "$folder/VEKHelp.CFG"
start
wait_for "CONTENTS"
on_screen "Welcome" && fail "text shown without a help file"
keys Escape
expect_exit_code_0

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "terminal viewer: all checks passed"
