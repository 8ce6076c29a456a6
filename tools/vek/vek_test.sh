#!/usr/bin/env bash
# vek from the outside: each command on a copy of the sample archive, checked through what
# the others then show. Usage: vek_test.sh ROOT VEK
set -euo pipefail
root="$1"
vek="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/archive" "$work/arc"
fail() { echo "vek_test: $*" >&2; exit 1; }

# search: one field, any letter case; no match exits 1
[ "$("$vek" search "$work/arc" HALLORAN --in author SORTS 2>/dev/null | wc -l)" -eq 2 ] || fail "author search"
"$vek" search "$work/arc" "SWAP A\$(I)" --in code 2>/dev/null | grep -q "~SORTS.VEK~1$" || fail "code search"
if "$vek" search "$work/arc" "no such words" 2>/dev/null; then fail "a search without matches succeeded"; fi
cmp -s "$root/examples/archive/SORTS.IDX" "$work/arc/SORTS.IDX" || fail "search changed an index"

# retitle, then move, then delete: the lists show each change; retitling leaves the read mark
mark="$(head -c 1 "$work/arc/SORTS.IDX" | od -An -tx1)"
"$vek" retitle "$work/arc" SORTS 1 --subject "Bubble sort (retitled)" || fail "retitle exit code"
[ "$(head -c 1 "$work/arc/SORTS.IDX" | od -An -tx1)" = "$mark" ] || fail "retitle changed the read mark"
if "$vek" retitle "$work/arc" SORTS 99 --subject x 2>/dev/null; then fail "retitled a missing record"; fi
"$vek" show "$work/arc" SORTS 1 | grep -q "^Subject  Bubble sort (retitled)$" || fail "retitle"
"$vek" move "$work/arc" SORTS 1 FILEIO | grep -q "now record 4 of FILEIO" || fail "move"
"$vek" list "$work/arc" FILEIO | grep -q "^  00004~Bubble sort (retitled)~Margit Halloran~QB45~FILEIO.VEK~235$" || fail "moved entry"
"$vek" delete "$work/arc" SORTS 1
"$vek" list "$work/arc" SORTS | grep -q "^SORTS (1 snippets)$" || fail "delete"
"$vek" show "$work/arc" FILEIO 4 | grep -q "^SUB BubbleSort (A\$())$" || fail "moved code lines"
[ -z "$(ls "$work/arc" | grep -v -E '\.(VEK|IDX|\$LK)$')" ] || fail "temporary files left: $(ls "$work/arc")"

# a code file holds its lead text first; a missing record is refused with no output
"$vek" cde "$work/arc" "$work/all.cde" SORTS STRINGS --lead "VEKCDE"
[ "$(head -c 6 "$work/all.cde")" = "VEKCDE" ] || fail "code file lead text"
if "$vek" extract "$work/arc" SORTS 9 "$work/none.txt" 2>/dev/null; then fail "extracted a missing record"; fi
[ ! -e "$work/none.txt" ] || fail "a refused extraction created its output"
echo "vek_test: ok"
