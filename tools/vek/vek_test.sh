#!/usr/bin/env bash
# vek run as a process on a copy of the sample archive: exit codes, messages, files and
# round trips. Usage: vek_test.sh ROOT VEK [EMULATOR], e.g. scripts/wine-run for vek.exe.
set -euo pipefail
root="$1"
program="$2"
emulator="${3:-}"
vek() { ${emulator:+"$emulator"} "$program" "$@"; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
arc="$work/arc"
cp -r "$root/examples/archive" "$arc"
cd "$work"
fail() { echo "vek_test: $*" >&2; exit 1; }
# run CODE PATTERN ARGS...: vek exits CODE and its output (stdout and stderr) matches PATTERN.
run() {
  local code="$1" pattern="$2" got=0
  shift 2
  vek "$@" >"$work/out" 2>&1 || got=$?
  [ "$got" -eq "$code" ] || fail "vek $* exited $got, not $code: $(cat "$work/out")"
  [ -z "$pattern" ] || grep -qE -- "$pattern" "$work/out" || fail "vek $*: no \"$pattern\" in: $(cat "$work/out")"
}

run 0 '^[0-9]+\.[0-9]+\.[0-9]+' --version
run 3 'no packet NOPE' list "$arc" NOPE
run 3 'no such folder' search "$work/nowhere" x
# "arc\" is the folder arc on Windows; on Linux it is a name no folder has.
[ -n "$emulator" ] || run 3 'no such folder' list 'arc\'
run 1 '0 matches' search "$arc" "no such words"
run 0 '~SORTS.VEK~1$' search "$arc" "SWAP A\$(I)" --in=code
# search: EXIT, a pattern of the output, the arguments after "search" (as typed in a shell).
# SWAP stands in the code of SORTS 1 to 3; Margit Halloran wrote SORTS 1 and 3 and FILEIO 3.
regex_rows='1	^0 matches	-E "$arc" "(?-i)SWAPPED" --in code
0	^00003~Recursive	-E "$arc" "swap a\\$\\(i\\), a\\$\\(j\\)" --in code
0	^3 matches	--regex "$arc" "halloran$" --in author
2	not a regular expression	-E "$arc" "(" --in code'
[ -z "$emulator" ] || regex_rows='2	built without regular expressions	-E "$arc" x'
while IFS=$'\t' read -r code pattern args; do
  eval "set -- $args"
  run "$code" "$pattern" search "$@"
done <<ROWS
0	^2 matches	"$arc" swap --in code --in author=margit
0	^SORTS:2\b	-c "$arc" --in code=swap --in author=MARGIT
0	^3\r?$	--count "$arc" --in code=swap sorts
0	^FILEIO\b	-l "$arc" --in author=halloran
0	^1 match\b	"$arc" quick --in subject --in code=swap --in origin=sample
2	TEXT is missing	"$arc"
2	the field is subject, author	"$arc" --in date=1996
2	1 to 32 characters	"$arc" --in author=
$regex_rows
ROWS
[ "$(vek search -l "$arc" --in author=halloran | tr -d '\r')" = "$(printf 'FILEIO\nSORTS')" ] || fail "search -l"
run 1 "" search --files-with-matches "$arc" --in author=nobody
mkdir broken && cp "$arc"/SORTS.* "$arc"/FILEIO.IDX broken/  # FILEIO.VEK is missing
run 3 'left out a packet that could not be read' search -c broken --in code=swap
grep -q '^SORTS:3' "$work/out" && ! grep -q '^FILEIO:' "$work/out" || fail "search -c of an unreadable packet"
run 0 '^SORTS \(3 snippets\)' list "$arc" sorts  # named as its index file is
for record in 0 4 2x -1 9223372036854775809; do
  run 2 'RECORD .* from 1 to 3 \(SORTS has 3 snippets\)' delete "$arc" SORTS "$record"
done
run 2 'is not a file in the archive folder' move "$arc" SORTS 1 ../escape
run 2 '--header "abc" is not a whole number' cde "$arc" all.cde SORTS --header abc
run 3 'SORTS snippet 1 holds no ZORVIT page' extract "$arc" SORTS 1 plain.out
run 2 'subject is 32 characters; the field holds 31' add "$arc" SORTS /dev/null --subject "$(printf 'x%.0s' {1..32})"
[ -z "$(ls "$arc" | grep -v -E '^(ATTACH|FILEIO|SORTS|STRINGS)\.(VEK|IDX|\$LK)$')" ] || fail "files left: $(ls "$arc")"
[ ! -e plain.out ] && [ ! -e all.cde ] || fail "a refused command left its output"
mkdir lower && cp "$arc/SORTS.IDX" lower/sorts.idx && cp "$arc/SORTS.VEK" lower/sorts.vek
run 0 '^  00003~' list lower SORTS
python3 -c '  # a NUL in the Subject of snippet 2
start = int(open("lower/sorts.idx", "rb").read()[79:89])
f = open("lower/sorts.vek", "r+b"); f.seek(start - 1 + 31 + 5); f.write(b"\0")'
run 0 '~sorts.VEK~79$' list lower SORTS  # the packet as its index file names it

# new, add (CR LF lines, "~" kept in JSON), show, retitle, move, delete, check
run 0 '' new "$arc" BOX
run 3 'exists' new "$arc" box
printf '10 PRINT "A~B"\r\n20 END\r\n' >prog.bas
run 0 'record 1 of BOX' add "$arc" BOX prog.bas --author "Ann Example"
run 0 '^20 END$' show "$arc" BOX 1 --keep-unread
printf '1 REM piped\n' | vek add "$arc" BOX - --subject=piped | grep -q 'record 2 of BOX' || fail "add -"
run 1 '0 matches' search -- "$arc" -piped-
vek list --json "$arc" BOX >list.json && vek show --json "$arc" BOX 1 >show.json
python3 -c 'import json
s = json.load(open("list.json"))["packets"][0]["snippets"][0]
assert (s["subject"], s["author"], s["unread"]) == ("prog.bas", "Ann Example", True), s
assert json.load(open("show.json"))["lines"] == ["10 PRINT \"A~B\"", "20 END"]'
printf 'bad \xe3 byte\n' >bad.bas
run 3 'bad.bas line 1 holds the byte 0xE3' add "$arc" BOX bad.bas
run 0 '' retitle "$arc" BOX 1 --subject=Renamed
run 0 '^Subject  Renamed$' show "$arc" BOX 1
run 0 'now record 4 of SORTS' move "$arc" BOX 1 SORTS
run 0 '' cde "$arc" all.cde SORTS --lead VEKCDE
[ "$(head -c 6 all.cde)" = VEKCDE ] || fail "code file lead text"
run 0 'sound' check "$arc"
head -c -1 "$arc/FILEIO.VEK" >cut && cp cut "$arc/FILEIO.VEK" && printf 'x' >>"$arc/STRINGS.IDX"
run 3 'snippet 3: its last code line has no terminator' check "$arc" FILEIO
run 3 'partial record of 1 bytes' check --json "$arc" STRINGS
run 3 '' check --json "$arc"
python3 -c '
import json, sys; assert sum(len(p["problems"]) for p in json.load(sys.stdin)["packets"]) == 2' <out || fail "check --json"

# Text: typed in the locale's encoding (UTF-8 here), stored in the archive's (Windows-1252
# unless --encoding, before or after the command, or VEK_ENCODING says), shown in the locale's;
# show --raw keeps the bytes, JSON is UTF-8, names are the file system's bytes. vek.exe reads
# the ANSI code page, which the Linux test cannot set: these run natively.
if [ -z "$emulator" ]; then
  export LC_ALL=C.UTF-8
  run 0 '' new "$arc" TXT
  printf '10 PRINT "caf\xe9 \xb3"\r\n' >cafe.bas
  run 0 'record 1 of TXT' add "$arc" TXT cafe.bas --author 'Zoë Ångström'
  cp "$arc/TXT.VEK" before.vek
  while IFS='|' read -r code pattern args; do
    eval "set -- $args"
    run "$code" "$pattern" "$@"
  done <<ROWS
0|^Author +Zoë Ångström$|show "$arc" TXT 1 --keep-unread
0|^10 PRINT "café ³"$|show "$arc" TXT 1 --keep-unread
0|^10 PRINT "cafΘ │"$|--encoding cp437 show "$arc" TXT 1 --keep-unread
0|^10 PRINT "cafÚ │"$|show "$arc" TXT 1 --keep-unread --encoding cp850
0|~Zoë Ångström~~TXT.VEK~1$|search "$arc" ZOË --in author
0|^1 match|search "$arc" 'CAFÉ ³' --in code
0|^1 match|search -E "$arc" 'CAFÉ ³.$' --in code
2|--author: the archive's encoding cp437 has no "€" \(U\+20AC\)|retitle "$arc" TXT 1 --author '€uro' --encoding cp437
2|--subject: the archive's encoding windows-1252 has no "│" \(U\+2502\)|retitle "$arc" TXT 1 --subject '│'
2|the search text: the archive's encoding latin1 has no "€"|search "$arc" '€' --encoding latin1
2|--encoding utf-8: not an encoding of one byte per character|list "$arc" --encoding utf-8
ROWS
  cmp -s before.vek "$arc/TXT.VEK" || fail "a refused text was written"
  VEK_ENCODING=cp437 run 0 '' retitle "$arc" TXT 1 --subject '┌─┐ Box'
  grep -q $'\xda\xc4\xbf Box' "$arc/TXT.VEK" || fail "VEK_ENCODING=cp437: box drawing not stored as cp437"
  vek show --raw "$arc" TXT 1 | cmp -s - <(printf '10 PRINT "caf\xe9 \xb3"\n') || fail "show --raw changed the bytes"
  mkdir $'n\xe9' && cp "$arc"/TXT.* $'n\xe9/'
  vek list --json $'n\xe9' --encoding cp437 >text.json
  python3 -c 'import json
d = json.load(open("text.json")); s = d["packets"][0]["snippets"][0]
author = "Zoë Ångström".encode("cp1252").decode("cp437")
assert (d["folder"], s["author"], s["subject"]) == ("n\\xE9", author, "┌─┐ Box"), (d, s)' ||
    fail "list --json of text and of a name that is not UTF-8"
fi

# attach a three-page file, extract it whole; pages decoded in any order, with damage found
python3 -c 'import random, sys; random.seed(15); sys.stdout.buffer.write(random.randbytes(400000))' >blob.bin
run 0 'page 3 of 3' attach "$arc" SORTS blob.bin --quiet
run 0 'sound' check "$arc" SORTS
run 0 '400000 bytes from 3 pages, length and checksum and CRC-32' extract "$arc" SORTS 5 blob.out
cmp blob.bin blob.out || fail "attach and extract changed the file"
run 2 'exists; --force' extract "$arc" SORTS 5 blob.out
run 0 '' extract --force "$arc" SORTS 5 - --quiet
cmp blob.bin out || fail "extract to standard output"
run 0 'pages[/\\]blob.BAS' encode blob.bin --dir pages
run 3 'nope.bin' encode nope.bin --dir empty
[ -z "$(ls -A empty)" ] || fail "a failed encode left $(ls -A empty)"
run 0 '400000 bytes from 3 pages' decode pages/blob11.BAS pages/blob.BAS pages/blob10.BAS -o joined.bin
! grep -q 'sum only' out || fail "decode of pages with CRC-32 lines said only the sum was checked"
cmp blob.bin joined.bin || fail "decode of shuffled pages"
cat pages/blob.BAS pages/blob11.BAS pages/blob10.BAS | vek decode - -o piped3.bin --quiet >/dev/null
cmp blob.bin piped3.bin || fail "decode of shuffled pages from standard input"
# Found missing only once pages 1 and 3 have streamed into the scratch file: nothing is left.
run 3 'page 2 of 3 of blob.bin is missing' decode pages/blob.BAS pages/blob11.BAS -o missing.bin
# Two data characters swapped keep the length and the 8-bit sum; the CRC-32 sees them. A page
# starts with a prefix character, and at least four data characters follow it.
python3 - pages/blob10.BAS <<'PY'
import sys
p = open(sys.argv[1], "rb").read().split(b"\r\n")
i = next(n for n, l in enumerate(p) if l.startswith(b'U"'))
assert p[i][3] != p[i][4]
p[i] = p[i][:3] + p[i][4:5] + p[i][3:4] + p[i][5:]
open(sys.argv[1], "wb").write(b"\r\n".join(p))
PY
run 3 'page 2 of blob.bin \(pages/blob10.BAS\): CRC-32' decode pages/blob*.BAS -o swapped.bin
[ ! -e missing.bin ] && [ ! -e swapped.bin ] || fail "a failed decode left its output"
# A damaged page met in the middle of a packet's pages: no output, no scratch file.
run 0 '' new "$arc" DAMAGED
for page in blob blob10 blob11; do run 0 'of DAMAGED' add "$arc" DAMAGED pages/$page.BAS; done
run 3 'page 2 of blob.bin \(DAMAGED snippet 2\): CRC-32.*nothing written' extract "$arc" DAMAGED 1 damaged.bin
[ -z "$(ls -A | grep -e damaged.bin -e partial)" ] || fail "a failed extraction left $(ls -A | grep -e damaged -e partial)"
run 3 'kept kept.bin: 156000 bytes, sound up to there; from byte 156001 on' decode pages/blob*.BAS -o kept.bin --keep-bad
[ -e kept.bin ] || fail "--keep-bad kept nothing"
run 0 '' delete "$arc" SORTS 6
run 3 'page 2 of 3 of blob.bin is missing' extract "$arc" SORTS 5 again.out
# Edges: an output never replaces what the command reads (by name in any case, or by identity),
# whatever --force says; fields that would split a list entry; inputs that are not files.
cp -r "$root/examples/archive" edge && printf 'keep me' >f.bin && vek encode f.bin --out P.BAS >/dev/null
state() { cat edge/*.VEK edge/*.IDX f.bin P.BAS | cksum; }
before="$(state)"
while IFS=$'\t' read -r code pattern args; do
  eval "set -- $args"
  run "$code" "$pattern" "$@"
done <<'ROWS'
2	edge/SORTS.VEK: it is .*SORTS.VEK, which is being read	extract edge SORTS 1 edge/SORTS.VEK --mode text --force
2	which is being read	extract edge SORTS 1 edge/sorts.vek --mode text --force
2	which is being read	extract edge SORTS 1 'edge/SORTS.$LK' --mode text
2	which is being read	extract edge ATTACH 1 edge/attach.vek --force
2	which is being read	cde edge edge/strings.idx SORTS STRINGS --force
2	f.bin: it is f.bin, which is being read	encode f.bin --out f.bin --force
2	P.BAS, which is being read	decode P.BAS -o ./p.bas --force
2	retitle names no field	retitle edge SORTS 1
2	--subject holds "~"	retitle edge SORTS 1 --subject 'a~b'
2	--author holds a carriage return	add edge SORTS P.BAS --author "$(printf 'x\ry')"
2	edge is a folder, not a file	add edge SORTS edge
3	is a file, not a folder	list edge/SORTS.VEK
2	^vek: unknown command "lsit"; did you mean "list"	lsit edge
2	see vek show --help	show edge SORTS
0	^  FOLDER .*the archive folder	help show
ROWS
[ "$(state)" = "$before" ] || fail "a refused command changed the archive or its input"
cp P.BAS 'a~b.bas' && run 2 'the file name a~b.bas holds "~"' add edge SORTS 'a~b.bas'
[ -n "$emulator" ] || run 2 'not a regular file' add edge SORTS /dev/null
run 0 '' retitle edge SORTS 1 --origin Elsewhere
run 0 'Subject  Bubble sort with early exit' show edge SORTS 1 --keep-unread
grep -q '^Origin   Elsewhere' out || fail "retitle kept no other field"
run 0 'now record 3 of SORTS' move edge SORTS 1 sorts
run 0 'extracted' extract edge SORTS 2 text.out --mode text --keep-unread
vek list --json edge SORTS | grep -q '"unread": *false' && fail "extract --keep-unread marked a snippet read"
vek encode f.bin --out - | vek decode - -o piped.bin >/dev/null && cmp f.bin piped.bin || fail "encode --out -"
[ ! -e ./- ] || fail "encode --out - wrote a file named -"
# Damage: a packet cut short is read as far as it goes and named; every packet is reported.
head -c -3 edge/STRINGS.VEK >cut && cp cut edge/STRINGS.VEK && cp P.BAS edge/LONE.VEK && rm edge/FILEIO.VEK
run 3 "STRINGS snippet 3: the packet file ends before the snippet does" show edge STRINGS 3
grep -q '^Subject  Proper case' out || fail "show of a cut snippet printed no header"
run 3 "STRINGS snippet 3: the packet file ends before the snippet does" extract edge STRINGS 3 cut.out --mode text
[ -s cut.out ] || fail "extract of a cut snippet wrote nothing"
run 3 'STRINGS.VEK snippet 3: the packet file ends before' cde edge cut.cde STRINGS
grep -q 'cut.cde holds what could be read; 1 snippet is cut short' out || fail "cde of a cut snippet"
run 3 'FILEIO.VEK is missing; its index' check edge
grep -q 'LONE.IDX is missing' out && grep -q '^SORTS: .*sound' out || fail "check stopped at a damaged packet"
run 3 'FILEIO.VEK is missing' list edge
grep -q '^SORTS (3 snippets)' out || fail "list stopped at a missing packet"
printf 'cut' >'edge/SORTS.$OK'
run 3 'vek check --repair .*SORTS" completes it' check edge SORTS
run 0 'SORTS: 3 snippets, 0 ZORVIT pages, sound' check --repair edge SORTS
cmp -s "$root/examples/archive/SORTS.IDX" <(git -C "$root" show HEAD:examples/archive/SORTS.IDX) || fail "examples/archive changed"
# A page whose CRC-32 line disagrees is refused on every path; one without is said to be less checked.
printf 'a small file of some thirty bytes' >tiny.bin
tiny=$(vek attach "$arc" SORTS tiny.bin --quiet | sed -n 's/^record \([0-9]*\) of.*/\1/p')
python3 - "$arc/SORTS.VEK" <<'PY'
import sys
p = bytearray(open(sys.argv[1], "rb").read())
i = p.rindex(b'\xe3U"') + 4
assert p[i] != p[i + 1]
p[i], p[i + 1] = p[i + 1], p[i]
open(sys.argv[1], "wb").write(p)
PY
run 3 "SORTS snippet $tiny: CRC-32 [0-9A-F]{8} stated" extract --page-only "$arc" SORTS "$tiny" tiny1.out
[ ! -e tiny1.out ] || fail "a damaged page was extracted"
run 0 '' encode tiny.bin --dir plain --plain
run 0 'checked by its length and 8-bit sum only' decode plain/tiny.BAS -o tiny.plain
# The manual page and the completions are made from the same source as --help.
for made in man:vek.1 bash-completion:vek.bash-completion zsh-completion:vek.zsh-completion fish-completion:vek.fish; do
  vek --print "${made%%:*}" | cmp -s - "$root/tools/vek/${made#*:}" ||
    fail "tools/vek/${made#*:} is out of date: vek --print ${made%%:*} >tools/vek/${made#*:}"
done
echo "vek_test: ok"
