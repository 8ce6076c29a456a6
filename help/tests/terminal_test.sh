#!/usr/bin/env bash
# Drives the terminal VekHelp in a detached tmux session: keys go in with send-keys, the
# screen comes back with capture-pane. Usage: terminal_test.sh PATH/TO/VekHelp
set -euo pipefail
export LC_ALL=C.UTF-8  # the screen holds characters beyond ASCII; ${line:i:1} counts characters

viewer="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
command -v tmux >/dev/null || { echo "tmux is not installed"; exit 77; }

socket=""
runs=0
folder="$(mktemp -d)"
trap '[ -z "$socket" ] || tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$folder"' EXIT

# The help file, CR LF line ends as on Windows. FILES holds a tab, control bytes and
# Windows-1252 bytes (e9 is an e acute, 80 the euro sign), and a list item too long for a row.
printf '%s\r\n' \
  '<CONTENTS>' 'INTRODUCTION' 'SORTING' 'SEARCHING' 'FILES' '<END>' \
  '<INTRODUCTION>' 'Welcome to the terminal test.' '[SORTING][FILES]' '<END>' \
  '<SORTING>' 'A bubble sort swaps neighbours.' '[SEARCHING][FILES]' '<END>' \
  '<SEARCHING>' 'A binary search halves the range.' 'A bubble of air rises.' '[SORTING]' '<END>' \
  '<FILES>' 'Files are opened on every request.' $'Tab\tstop, bell\a, escape\e, delete\x7f.' \
  $'Caf\xe9 for 3 \x80.' '  - a list item that goes on for long enough to be wrapped in a narrow window' \
  '<ENDHELP>' > "$folder/VEKHelp.CFG"
mkdir "$folder/other"
printf '%s\r\n' '<CONTENTS>' 'OTHER' 'Loops' '<END>' '<OTHER>' 'From another help file.' 'FOR loops count.' '<END>' \
  '<Loops>' 'Loops repeat statements.' '<ENDHELP>' > "$folder/other/more.cfg"

failures=0
fail() {
  echo "FAIL: $*"
  echo "--- screen ---"
  tmux -L "$socket" capture-pane -p 2>/dev/null || true
  failures=$((failures + 1))
}
# Runs a check until it holds, for up to five seconds.
expect() {
  for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
  fail "never true: $*"
}

# Starts the viewer with the given argument words in a 100 x 30 terminal, each time under a
# tmux server of its own: a new session could reach the last one's server as it shuts down.
# `before` is shell text put in front of the viewer's command. The pane outlives the viewer so that
# what it printed last can still be read on a loaded machine.
start() {
  [ -z "$socket" ] || tmux -L "$socket" kill-server 2>/dev/null || true
  socket="vekhelp-test-$$-$((++runs))"
  rm -f "$folder/exit-code"
  local quoted=""
  for word in "$@"; do quoted+=" $(printf '%q' "$word")"; done
  tmux -L "$socket" -f /dev/null new-session -d -x 100 -y 30 \
    "cd $(printf '%q' "$folder") && ${before:-}$(printf '%q' "$viewer")$quoted; echo \$? > exit-code; sleep 30"
}
keys() { tmux -L "$socket" send-keys "$@"; }

# The checks. Screens are captured whole before they are searched: grep -q ending a pipe early
# would fail it.
screen() { tmux -L "$socket" capture-pane -p; }
shows() { grep -qF -- "$1" <<<"$(screen)"; }
shows_pattern() { grep -qE -- "$1" <<<"$(screen)"; }
# The status line is second from the bottom.
says() { [ "$(screen | tail -n 2 | head -n 1 | sed 's/ *$//')" = "$1" ]; }
# The see-also area of a 100 x 30 screen with this file: columns 80 to 99 of rows 3 to 28.
see_also_is() {
  local area
  area="$(screen | sed -n '3,28p' | while IFS= read -r line; do echo "${line:80}"; done | sed 's/ *$//; /^$/d')"
  [ "$area" = "$(printf '%s\n' "$@")" ]
}
exited() { [ "$(cat "$folder/exit-code" 2>/dev/null)" = "$1" ]; }

# The runs of text drawn reversed or underlined, one "column:text" a line. The capture carries
# attributes as escape sequences that only say what changes, so their state is followed from
# the top of the screen.
marked() {
  tmux -L "$socket" capture-pane -p -e | awk -F '\033\\[' '
    {
      if ((underline || reverse) && $1 != "") print "0:" $1
      column = length($1)
      for (f = 2; f <= NF; f++) {  # each field: the codes up to "m", then text
        end = index($f, "m")
        count = split(substr($f, 1, end - 1), codes, ";")
        for (i = 1; i <= count || i == 1; i++) {  # no code at all resets too
          code = codes[i] + 0
          if (code == 0 || code == 4 || code == 24) underline = code == 4
          if (code == 0 || code == 7 || code == 27) reverse = code == 7
        }
        text = substr($f, end + 1)
        if ((underline || reverse) && text != "") print column ":" text
        column += length(text)
      }
    }'
}
selected() { grep -qE "^0:$1 " <<<"$(marked)"; }  # in the contents list
highlighted() { grep -qxF -- "$1" <<<"$(marked | cut -d: -f2-)"; }

# The separators stand in the same two columns on every row of the areas, whatever the text
# holds, and the key help is on the last row.
laid_out() {  # ROWS LEFT RIGHT
  local shown
  shown="$(screen)"
  [ "$(wc -l <<<"$shown")" = "$1" ] && [[ "$(tail -n 1 <<<"$shown")" == Tab:* ]] || return 1
  [ -z "$(sed -n "2,$(($1 - 2))p" <<<"$shown" | while IFS= read -r line; do echo "${line:$2:1}${line:$3:1}"; done |
    grep -vx '||')" ]
}

# Without a terminal it says so at once and exits with status 2; the options need none.
for how in "</dev/null" "| cat"; do
  output="$(cd "$folder" && timeout 5 bash -o pipefail -c "$(printf '%q' "$viewer") $how" 2>&1)" && status=0 || status=$?
  [ "$status" = 2 ] && grep -q "needs a terminal" <<<"$output" || fail "without a terminal ($how): $status, $output"
done
"$viewer" --help | grep -q -- "-f,--file" || fail "--help shows no options"
"$viewer" --version | grep -qE "^[0-9]+\.[0-9]+" || fail "--version shows no version"

# A quoted header on the command line names the first topic, shown as a caption.
start '"<SORTING>"'
expect shows_pattern '\| {30}SORTING +\|'
expect see_also_is SEARCHING FILES

# Typing replaces the selected search text, upper-cased; Enter searches.
keys b u b b l e Enter
expect shows "2 topics found: Enter on one in SEE, or n for the next"
expect shows "Find : BUBBLE"

# A search result opens as it is (the focus is on the see-also list after a search); the
# contents selection follows.
keys End Enter
expect shows "A binary search halves the range."
expect selected SEARCHING

# A see-also name opens the topic of that name; n goes on to the next topic found, then round.
keys Enter
expect shows "A bubble sort swaps neighbours."
for found in "2 of 2: <SEARCHING>" "1 of 2: <SORTING>"; do keys n; expect says "Found $found"; done

# From the contents list, twice: a topic without see-also lines empties the see-also area.
keys Tab Tab End Enter Enter
expect shows "Files are opened on every request."
expect see_also_is

# Backspace and Alt-Left go back through every topic shown (twice in a row counts once), then stop.
for topic in "<SORTING>" "<SEARCHING>" "<SORTING>" "<SEARCHING>" "<SORTING>"; do
  keys BSpace
  expect says "$topic"
done
keys M-Left
expect says "No earlier topic"

# A search that finds nothing says so and leaves no earlier result or mark behind.
keys / s w a p s Enter
keys / z z z Enter
expect says 'No topic holds "ZZZ"'
! highlighted swaps || fail "the earlier search's mark stays"
expect see_also_is SEARCHING FILES

# A double-click opens a contents entry (a mouse report as the terminal sends it: button,
# column and row, each plus 32 and counted from 1).
click() { keys -l $'\e[M'" $1"; keys -l $'\e[M'"#$1"; }
click '!&'
click '!&'
expect shows "Files are opened on every request."

# q is text on the search line; elsewhere it leaves, with exit code 0.
keys Tab q
expect exited 0

# Every byte in a cell of its own, wherever the window's size leaves the separators.
start FILES
expect shows 'Tab     stop, bell␇, escape␛, delete␡.'
expect shows 'Café for 3 €.'
keys -l 'café'  # typed as UTF-8, searched for as the file's byte e9, marked where it stands
keys Enter
expect says "1 topic found: Enter on one in SEE, or n for the next"
expect highlighted Café
expect laid_out 30 12 79
tmux -L "$socket" resize-window -x 80 -y 24
expect laid_out 24 12 63
expect shows_pattern '\|    wrapped in a narrow window +\|'
keys Escape
expect exited 0

# A terminal that goes away without a hang-up signal (ignored here) ends the viewer at once.
before="trap '' HUP; echo \$\$ > pid; exec " start
expect shows "Welcome to the terminal test."
tmux -L "$socket" kill-server
viewer_ended() { ! kill -0 "$(cat "$folder/pid")" 2>/dev/null; }
expect viewer_ended
kill "$(cat "$folder/pid")" 2>/dev/null || true

# A name without brackets, upper-cased; unknown topics, another file, a missing file.
while IFS='|' read -r words shown; do
  eval "start $words"
  expect shows "$shown"
  keys Escape
  expect exited 0
done <<'CASES'
sorting|A bubble sort swaps neighbours.
no such topic|Topic not found: <NO SUCH TOPIC>
-f other/more.cfg OTHER|From another help file.
CASES

# Any letter case: "loops" names <Loops>, and finds it typed in the Find line; the focus then
# leaves the Find line, so n goes on to the topics found.
start -f other/more.cfg loops
expect shows "Loops repeat statements."
keys l o o p s Enter
expect says "2 topics found: Enter on one in SEE, or n for the next"
for found in "1 of 2: <OTHER>" "2 of 2: <Loops>"; do keys n; expect says "Found $found"; done

# Colour unless NO_COLOR is set (to anything) or the terminal has none.
coloured() { grep -qE $'\e\\[([0-9;]*;)?(3[0-7]|4[0-7]|38|48)[;m]' <<<"$(tmux -L "$socket" capture-pane -p -e)"; }
expect coloured
for before in "NO_COLOR= " "TERM=vt100 "; do
  start
  expect shows "Welcome to the terminal test."
  ! coloured || fail "colours with ${before}"
done
before=""

# A help file named by -f that cannot be shown is said before the screen is taken: missing,
# empty, a folder, unreadable (unless root, who reads it anyway).
: >"$folder/empty.cfg"
cp "$folder/VEKHelp.CFG" "$folder/locked.cfg" && chmod 000 "$folder/locked.cfg"
while IFS='|' read -r name problem; do
  [ "$name" != locked.cfg ] || [ "$(id -u)" != 0 ] || continue
  output="$(cd "$folder" && "$viewer" -f "$name" </dev/null 2>&1)" && status=0 || status=$?
  [ "$status" = 1 ] && [ "$output" = "VekHelp: $name: $problem" ] || fail "-f $name: $status, $output"
done <<'CASES'
missing.cfg|no such file
empty.cfg|is empty
other|is a folder, not a help file
locked.cfg|cannot be read (Permission denied)
CASES
start -f missing.cfg
expect exited 1
expect shows "VekHelp: missing.cfg: no such file"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "terminal viewer: all checks passed"
