#!/usr/bin/env bash
# Drives `vek browse` in a detached tmux session as a person would: keys go in with
# send-keys, the screen comes back with capture-pane. The archive must come out unchanged.
# Usage: browse_test.sh SOURCE_DIR PATH/TO/vek
set -euo pipefail
export LC_ALL=C.UTF-8

source_dir="$1"
vek="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
command -v tmux >/dev/null || { echo "tmux is not installed"; exit 77; }

socket=""
runs=0
work="$(mktemp -d)"
trap '[ -z "$socket" ] || tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
cp -p -r "$source_dir/examples/archive" "$work/ARC"
# Names, sizes and times to the nanosecond, the folder's own included: browsing writes nothing,
# not even a lock file.
listing() { (cd "$work/ARC" && stat -c '%n %s %y' -- . * | sort); }
before="$(listing)"

failures=0
fail() {
  echo "FAIL: $*"
  echo "--- screen ---"
  tmux -L "$socket" capture-pane -p 2>/dev/null || true
  failures=$((failures + 1))
}
expect() {
  for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
  fail "never true: $*"
}
start() {  # COLUMNS ROWS ARGUMENTS...
  [ -z "$socket" ] || tmux -L "$socket" kill-server 2>/dev/null || true
  socket="vek-browse-test-$$-$((++runs))"
  local columns="$1" rows="$2" quoted=""
  shift 2
  for word in "$@"; do quoted+=" $(printf '%q' "$word")"; done
  rm -f "$work/exit-code"
  tmux -L "$socket" -f /dev/null new-session -d -x "$columns" -y "$rows" \
    "cd $(printf '%q' "$work") && ${before_command:-}$(printf '%q' "$vek") browse$quoted; echo \$? > exit-code; sleep 0.2"
  tmux -L "$socket" set-option -g set-clipboard on
}
keys() { tmux -L "$socket" send-keys "$@"; }
screen() { tmux -L "$socket" capture-pane -p; }
shows() { grep -qF -- "$1" <<<"$(screen)"; }
status_is() { [ "$(screen | tail -n 1 | sed 's/ *$//')" = "$1" ]; }
status_holds() { grep -qF -- "$1" <<<"$(screen | tail -n 1)"; }
rows_are() { [ "$(screen | wc -l)" = "$1" ]; }
exited() { [ "$(cat "$work/exit-code" 2>/dev/null)" = "$1" ]; }
coloured() { grep -q $'\e\\[[0-9;]*3[1-6]m' <<<"$(tmux -L "$socket" capture-pane -p -e)"; }

# Without a terminal: a clear message and exit 2 at once.
for how in "</dev/null" "| cat"; do
  output="$(timeout 5 bash -o pipefail -c "$(printf '%q' "$vek") browse $(printf '%q' "$work/ARC") $how" 2>&1)" &&
    status=0 || status=$?
  [ "$status" = 2 ] && grep -q "needs a terminal" <<<"$output" || fail "without a terminal ($how): $status, $output"
done

# The packets, then SORTS and its snippets.
start 80 24 ARC
expect shows "SORTS        3"
keys j j Enter
expect shows "SORTS: 3 snippets"
expect shows "2 N  Shell sort of LONG integers"
# A snippet: its header fields, then its code, highlighted; Page Down reads on.
keys Down Enter
expect shows "Subject  Shell sort of LONG integers"
expect shows "SUB ShellSort (A&(), N)"
expect coloured
expect status_holds "SORTS 2/3"
keys PageDown
expect shows "END SUB"
# y puts the code on the clipboard (OSC 52, which tmux keeps as a buffer).
keys y
expect status_holds "Code copied (17 lines)"
clipboard() { tmux -L "$socket" show-buffer 2>/dev/null | grep -qF "SUB ShellSort (A&(), N)"; }
expect clipboard

# A search of the whole archive: the hits as a list titled with the term, n and N through them.
keys / s w a p Enter
expect shows 'Search "swap": 3 hits'
expect status_holds '"swap" hit 1/3'
keys n
expect status_holds '"swap" hit 2/3'
keys N N
expect status_holds "First hit"
keys / z z z q Enter
expect status_holds 'Nothing holds "zzzq"'

# ? lists every key; any key goes back.
keys ?
expect shows "vek browse: keys"
expect shows "x                 extract the snippet shown"
keys Space
expect shows 'Search "swap": 3 hits'

# Resizing: the panes follow; a screen too small asks to grow, and nothing breaks.
tmux -L "$socket" resize-window -x 40 -y 12
expect rows_are 12
expect shows "Packets"
tmux -L "$socket" resize-window -x 25 -y 6
expect shows "vek browse: too small"
tmux -L "$socket" resize-window -x 100 -y 30
expect shows 'Search "swap": 3 hits'
# A click selects the third hit, a second click opens it (mouse reports as the terminal sends
# them: button, column and row, each plus 32 and counted from 1).
click() { keys -l $'\e[M'" $1"; keys -l $'\e[M'"#$1"; }
click '5$'
expect status_holds '"swap" hit 3/3'
click '5$'
expect shows 'SUB QuickSort (A$(), Lo, Hi)'
keys q
expect exited 0

# An attachment shows its pages; v its lines; x extracts the set under a name it asks for,
# refusing one that exists, as vek extract does.
NO_COLOR=1 before_command="NO_COLOR=1 " start 80 24 ARC attach
expect shows "ATTACH: 1 snippet"
keys Enter
expect shows "ZORVIT attachment GREET.TXT: page 1 of 1"
! coloured || fail "NO_COLOR still colours"
keys v
expect shows "'>>> Page 1 of 1 of GREET.TXT begins here."
keys x
expect status_is "Extract to: GREET.TXT"
keys Enter
expect status_holds "GREET.TXT: "
[ -s "$work/GREET.TXT" ] || fail "nothing extracted"
keys x Enter
expect status_holds "GREET.TXT exists"
keys Escape
expect exited 0

[ "$(listing)" = "$before" ] || fail "the archive changed: $(diff <(echo "$before") <(listing))"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "vek browse: all checks passed"
