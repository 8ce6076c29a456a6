#!/usr/bin/env bash
# The committed sample archive is exactly what examples/make-archive builds from the sources,
# the library lists every packet of it, and its attachments extract whole.
set -euo pipefail
root="$1"
vek="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$root/examples/make-archive" "$scratch" "$vek" >/dev/null
for file in "$root"/examples/archive/*; do
  cmp "$file" "$scratch/$(basename "$file")"
done
listing="$("$vek" list "$scratch")"
for packet in "$root"/examples/snippets/*/; do
  name="$(basename "$packet")"
  count="$(ls "$packet"*.bas | wc -l)"
  grep -q "^$name ($count snippets)$" <<<"$listing" || { echo "missing $name in: $listing"; exit 1; }
done
attachments="$(ls "$root"/examples/attachments | wc -l)"
grep -q "^ATTACH ($attachments snippets)$" <<<"$listing" || { echo "missing ATTACH in: $listing"; exit 1; }
# Every attachment comes back whole from its snippet.
record=1
for file in "$root"/examples/attachments/*; do
  "$vek" extract --force "$scratch" ATTACH "$record" "$scratch/out" >/dev/null
  cmp "$file" "$scratch/out"
  record=$((record + 1))
done
