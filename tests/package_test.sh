#!/usr/bin/env bash
# The packages as a new user meets them (needs the native and win32 presets; scripts/test runs
# it after the builds): lintian, the three .debs unpacked into a scratch root, README's C example
# built against them both ways, the manual pages, the bash completion, the Windows ZIP.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "package_test: $*" >&2; failures=$((failures + 1)); }
expect_files() {  # expect_files WHAT FOLDER FILE...
  for file in "${@:3}"; do [ -e "$2/$file" ] || fail "$1 lacks $file"; done
}

mapfile -t packages < <(scripts/package native win32)
deb_of() { printf '%s\n' "${packages[@]}" | grep "/$1_[^/]*\.deb$"; }
lib=$(deb_of liboldvek1) dev=$(deb_of liboldvek-dev) tools=$(deb_of oldvek-tools)
zip=$(printf '%s\n' "${packages[@]}" | grep '\.zip$')
version=$(sed -n 's/^project(OldVek VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# --- lintian: no error and no warning in any package.
lintian_out=$(lintian --fail-on none "$lib" "$dev" "$tools" 2>&1)
! grep -qE '^(E|W):' <<<"$lintian_out" || fail "lintian: $(grep -E '^(E|W):' <<<"$lintian_out")"

# --- What each package holds and declares.
sys="$work/root"
libdir=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for deb in "$lib" "$dev" "$tools"; do dpkg-deb -x "$deb" "$sys"; done
docs() { printf "usr/share/doc/$1/%s " copyright changelog.Debian.gz changelog.gz; }
expect_files liboldvek1 "$sys" $libdir/libOldVek.so.$version $libdir/libOldVek.so.1 $(docs liboldvek1)
expect_files liboldvek-dev "$sys" $libdir/libOldVek.so usr/include/oldvek.h usr/include/oldvek_oleaut.h \
  $libdir/pkgconfig/oldvek.pc $libdir/cmake/OldVek/OldVekConfig.cmake $libdir/cmake/OldVek/OldVekTargets.cmake \
  usr/share/oldvek/OldVek.inc usr/share/oldvek/OldVek.bas usr/share/man/man3/oldvek.3.gz $(docs liboldvek-dev)
expect_files oldvek-tools "$sys" usr/bin/vek usr/bin/VekHelp usr/share/oldvek/VEKHelp.CFG \
  usr/share/man/man1/vek.1.gz usr/share/man/man1/VekHelp.1.gz usr/share/bash-completion/completions/vek \
  usr/share/zsh/vendor-completions/_vek usr/share/fish/vendor_completions.d/vek.fish $(docs oldvek-tools)
for binary in $libdir/libOldVek.so.$version usr/bin/vek usr/bin/VekHelp; do
  ! readelf -S "$sys/$binary" | grep -q '\.debug_' || fail "$binary carries debug information"
done
# check_control DEB PATTERN...: each pattern starts a line of the package's control file or of
# its shlibs and triggers.
check_control() {
  local deb=$1 info
  info=$(for file in control shlibs triggers; do dpkg-deb -I "$deb" "$file" 2>/dev/null || true; done)
  for field in "${@:2}"; do grep -Eq "^$field" <<<"$info" || fail "$(basename "$deb") lacks '$field'"; done
}
check_control "$lib" "Version: $version-1\$" 'Architecture: amd64' 'Section: libs' 'Depends: .*libc6' \
  'Depends: .*libstdc\+\+6' "libOldVek 1 liboldvek1 \(>= $version-1\)" 'activate-noawait ldconfig'
check_control "$dev" 'Section: libdevel' "Depends: liboldvek1 \(= $version-1\)"
check_control "$tools" 'Section: utils' 'Depends: .*libncurses'

# --- README's C example built against the unpacked packages both ways (find_package and
# pkg-config) and run on a copy of the sample archive.
mkdir -p "$work/app" && cp -r examples/archive "$work/archive"
awk '/^### Calling from C/{on=1} on && /^```c$/{code=1; next} code && /^```$/{exit} code' README.md >"$work/app/app.c"
cat >"$work/app/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(app C)
find_package(OldVek 1.0 REQUIRED)
add_executable(app app.c)
target_link_libraries(app PRIVATE OldVek::OldVek)
CMAKE
run_app() {  # run_app HOW PROGRAM: the example lists the sample's SORTS packet
  local out
  if ! out=$(LD_LIBRARY_PATH="$sys/$libdir" "$2" "$work/archive/" 2>&1); then fail "$1: the example failed: $out"; return; fi
  grep -q '^00001~.*~SORTS\.VEK~1$' <<<"$out" || fail "$1: the example printed no first entry: $out"
}
{ cmake -S "$work/app" -B "$work/app/build" -G Ninja -DCMAKE_PREFIX_PATH="$sys/usr" >"$work/cmake.log" 2>&1 &&
  cmake --build "$work/app/build" >>"$work/cmake.log" 2>&1 && run_app find_package "$work/app/build/app"; } ||
  fail "find_package build failed: $(cat "$work/cmake.log")"
pc="$sys/$libdir/pkgconfig"
[ "$(PKG_CONFIG_PATH=$pc pkg-config --modversion oldvek)" = "$version" ] || fail "oldvek.pc does not give $version"
# shellcheck disable=SC2046
{ cc -Wall -Werror -o "$work/app/app-pc" "$work/app/app.c" $(PKG_CONFIG_PATH=$pc pkg-config --cflags --libs oldvek) &&
  run_app pkg-config "$work/app/app-pc"; } || fail "pkg-config build failed"

# --- The manual pages render without a warning and hold their sections; vek.1's synopsis
# has a line for each command, oldvek.3 a section for each export.
man_sections() {  # man_sections PAGE SECTION...
  local page="$sys/usr/share/man/$1" text warnings
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$1: $warnings"
  text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
  for section in "${@:2}"; do grep -Eq "^ {0,3}$section\$" <<<"$text" || fail "$1 lacks '$section'"; done
}
commands=$("$sys/usr/bin/vek" --help | awk '/^Subcommands:/{on=1; next} on && !NF{exit} on{print $1}')
synopsis=()
for command in $commands; do synopsis+=("       vek $command .*"); done
man_sections man1/vek.1.gz NAME SYNOPSIS DESCRIPTION COMMANDS 'EXIT STATUS' ENVIRONMENT FILES EXAMPLES 'SEE ALSO' \
  "${synopsis[@]}" '       VEK_ENCODING' '       NO_COLOR'
man_sections man1/VekHelp.1.gz NAME SYNOPSIS DESCRIPTION OPTIONS KEYS 'EXIT STATUS' ENVIRONMENT FILES 'SEE ALSO'
mapfile -t exports < <(sed -n 's/^ \+\([A-Za-z]\+\).*/   \1/p' library/oldvek.def)
man_sections man3/oldvek.3.gz NAME SYNOPSIS DESCRIPTION 'SEE ALSO' "${exports[@]}"

# --- The bash completion: what Tab offers after each command line, in a folder with spaces
# in its name and a file with spaces in its name (EXPECTED|the words as typed, split by commas;
# bash splits --in=au into --in, = and au).
mkdir "$work/shell" && cp -r examples/archive "$work/shell/my arc" && touch "$work/shell/a prog.bas"
while IFS='|' read -r expected line; do
  got=$(cd "$work/shell" && bash -c '
    source "$1"
    IFS=, read -ra COMP_WORDS <<<"$2"
    [[ $2 == *, ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _vek
    printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " "' sh "$sys/usr/share/bash-completion/completions/vek" "$line")
  [ "$got" = "$expected" ] || fail "completion of '$line': '$got', not '$expected'"
done <<'ROWS'
cde check|vek,c
list|vek,li
--json|vek,list,my\ arc,--j
--count|vek,search,--co
code|vek,search,my\ arc,x,--in,co
author|vek,search,my\ arc,--in,=,au
pb qb vb|vek,attach,my\ arc,SORTS,a\ prog.bas,--dialect,
attachment text|vek,extract,--mode,
cp437 cp850|vek,--encoding,cp
latin1|vek,list,my\ arc,--encoding,=,l
SORTS|vek,--encoding,cp437,show,my\ arc,so
SORTS STRINGS|vek,list,my\ arc,s
STRINGS|vek,move,my\ arc,SORTS,1,st
a prog.bas|vek,add,my\ arc,SORTS,a
my arc|vek,show,m
|vek,show,my\ arc,SORTS,
ROWS

# --- The Windows ZIP: the kit, its text files with CR LF line ends.
mkdir "$work/zip" && python3 -m zipfile -e "$zip" "$work/zip"
top="$work/zip/$(basename "$zip" .zip)"
expect_files ZIP "$top" OldVek.dll VekHelp.exe vek.exe VEKHelp.CFG OldVek.inc OldVek.bas README.txt LICENSE.txt \
  include/oldvek.h include/oldvek_oleaut.h lib/OldVek.def lib/libOldVek.dll.a
for text in README.txt LICENSE.txt OldVek.inc OldVek.bas include/oldvek.h lib/OldVek.def; do
  ! grep -qv $'\r$' "$top/$text" || fail "ZIP: $text has lines without CR LF"
done
grep -q PowerBASIC "$top/README.txt" && grep -q 'Visual Basic' "$top/README.txt" || fail "ZIP: README.txt"
scripts/check-win32-dll "$top/OldVek.dll" >/dev/null || fail "the ZIP's DLL fails the 32-bit checks"
for binary in OldVek.dll VekHelp.exe vek.exe; do
  ! i686-w64-mingw32-objdump -h "$top/$binary" | grep -q '\.debug_' || fail "ZIP: $binary carries DWARF sections"
  resource=$(strings -e l "$top/$binary")
  grep -qx "$version" <<<"$resource" && grep -qx "$binary" <<<"$resource" ||
    fail "ZIP: $binary has no version resource naming $version and $binary"
done

[ "$failures" -eq 0 ] || exit 1
echo "package_test: $(basename "$lib"), $(basename "$dev"), $(basename "$tools") and $(basename "$zip") OK"
