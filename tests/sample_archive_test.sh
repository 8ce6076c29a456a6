#!/usr/bin/env bash
# The committed sample archive is exactly what examples/make-archive builds from the sources,
# and the library lists every packet of it.
set -euo pipefail
root="$1"
vek="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$root/examples/make-archive" "$scratch" >/dev/null
for file in "$root"/examples/archive/*; do
  cmp "$file" "$scratch/$(basename "$file")"
done
listing="$("$vek" list "$scratch")"
for packet in "$root"/examples/snippets/*/; do
  name="$(basename "$packet")"
  count="$(ls "$packet"*.bas | wc -l)"
  grep -q "^$name ($count snippets)$" <<<"$listing" || { echo "missing $name in: $listing"; exit 1; }
done
