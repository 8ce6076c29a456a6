#!/usr/bin/env bash
# The committed sample archive is exactly what examples/make-archive builds from the sources,
# the library lists every packet of it, and its attachments extract whole.
set -euo pipefail
root="$1"
vek="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$root/examples/make-archive" "$scratch/archive" "$vek" >/dev/null
diff -r "$root/examples/archive" "$scratch/archive"
listing="$("$vek" list "$scratch/archive")"
expect_packet() { grep -qx "$1 ($2 snippets)" <<<"$listing" || { echo "missing $1 in: $listing"; exit 1; }; }
for packet in "$root"/examples/snippets/*/; do
  expect_packet "$(basename "$packet")" "$(ls "$packet"*.bas | wc -l)"
done
expect_packet ATTACH "$(ls "$root"/examples/attachments | wc -l)"
# Every attachment comes back whole from its snippet.
record=0
for file in "$root"/examples/attachments/*; do
  "$vek" extract --force "$scratch/archive" ATTACH "$((++record))" "$scratch/out" >/dev/null
  cmp "$file" "$scratch/out"
done
