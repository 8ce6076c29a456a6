#!/usr/bin/env bash
# libOldVek.so exports exactly the interface of oldvek.h: the functions of oldvek.def,
# OldVekSetHost and the automation-string functions of oldvek_oleaut.h; its soname carries the
# major version.
set -euo pipefail
library="$1" headers="$2" def="$3"
expected=$( { awk '/^EXPORTS/{on=1; next} on && NF {print $1}' "$def"
              echo OldVekSetHost
              sed -n 's/^OLDVEK_OLEAUT_EXPORT .*[ *]\([A-Za-z]*\)(.*/\1/p' "$headers/oldvek_oleaut.h"; } | sort)
actual=$(nm -D --defined-only "$library" | awk '{print $3}' | sort)
if [ "$expected" != "$actual" ]; then
  diff <(echo "$expected") <(echo "$actual") | sed 's/^</missing:/; s/^>/extra:/' | grep -E '^(missing|extra)' >&2
  exit 1
fi
soname=$(readelf -d "$library" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = "libOldVek.so.1" ] || { echo "soname is '$soname', not libOldVek.so.1" >&2; exit 1; }
echo "$(wc -l <<<"$expected") exports, soname $soname"
