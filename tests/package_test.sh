#!/usr/bin/env bash
# The packages and the installed kit, as a new user meets them (needs the native and win32
# presets; scripts/test runs it after the builds).
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
deb=$(printf '%s\n' "${packages[@]}" | grep '\.deb$')
zip=$(printf '%s\n' "${packages[@]}" | grep '\.zip$')
version=$(sed -n 's/^project(OldVek VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# --- The kit installed into a scratch prefix; README's C example built against it both ways
# (find_package and pkg-config) and run on a copy of the sample archive.
prefix="$work/prefix"
cmake --install build/native --prefix "$prefix" >/dev/null
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
  if ! out=$("$2" "$work/archive/" 2>&1); then fail "$1: the example failed: $out"; return; fi
  grep -q '^00001~.*~SORTS\.VEK~1$' <<<"$out" || fail "$1: the example printed no first entry: $out"
}
{ cmake -S "$work/app" -B "$work/app/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >"$work/cmake.log" 2>&1 &&
  cmake --build "$work/app/build" >>"$work/cmake.log" 2>&1 && run_app find_package "$work/app/build/app"; } ||
  fail "find_package build failed: $(cat "$work/cmake.log")"
pc="$prefix/lib/pkgconfig"
[ "$(PKG_CONFIG_PATH=$pc pkg-config --modversion oldvek)" = "$version" ] || fail "oldvek.pc does not give $version"
# shellcheck disable=SC2046
{ cc -Wall -Werror -o "$work/app/app-pc" "$work/app/app.c" $(PKG_CONFIG_PATH=$pc pkg-config --cflags --libs oldvek) \
    -Wl,-rpath,"$prefix/lib" && run_app pkg-config "$work/app/app-pc"; } || fail "pkg-config build failed"

# --- The .deb.
mkdir "$work/deb" && dpkg-deb -x "$deb" "$work/deb"
expect_files .deb "$work/deb" usr/lib/libOldVek.so.$version usr/lib/libOldVek.so.1 usr/lib/libOldVek.so usr/bin/vek \
  usr/bin/VekHelp usr/include/oldvek.h usr/include/oldvek_oleaut.h usr/lib/pkgconfig/oldvek.pc \
  usr/lib/cmake/OldVek/OldVekConfig.cmake usr/lib/cmake/OldVek/OldVekConfigVersion.cmake \
  usr/lib/cmake/OldVek/OldVekTargets.cmake usr/share/oldvek/OldVek.inc usr/share/oldvek/OldVek.bas \
  usr/share/oldvek/VEKHelp.CFG usr/share/doc/OldVek/LICENSE usr/share/doc/OldVek/CHANGELOG.md
for binary in usr/lib/libOldVek.so.$version usr/bin/vek usr/bin/VekHelp; do
  ! readelf -S "$work/deb/$binary" | grep -q '\.debug_' || fail ".deb: $binary carries debug information"
done
info=$(dpkg-deb -I "$deb")
for field in 'Package: oldvek' "Version: $version" 'Architecture: amd64' 'Depends: .*libc6' \
             'Depends: .*libstdc\+\+6' 'Depends: .*libncurses' 'Maintainer: .+' 'Description: .+'; do
  grep -Eq "^ $field" <<<"$info" || fail ".deb metadata lacks '$field'"
done

# --- The Windows ZIP.
mkdir "$work/zip" && python3 -m zipfile -e "$zip" "$work/zip"
top="$work/zip/$(basename "$zip" .zip)"
expect_files ZIP "$top" OldVek.dll VekHelp.exe vek.exe VEKHelp.CFG OldVek.inc OldVek.bas README.txt LICENSE.txt \
  include/oldvek.h include/oldvek_oleaut.h lib/OldVek.def lib/libOldVek.dll.a
scripts/check-win32-dll "$top/OldVek.dll" >/dev/null || fail "the ZIP's DLL fails the 32-bit checks"
for binary in OldVek.dll VekHelp.exe vek.exe; do
  ! i686-w64-mingw32-objdump -h "$top/$binary" | grep -q '\.debug_' || fail "ZIP: $binary carries DWARF sections"
  resource=$(strings -e l "$top/$binary")
  grep -qx "$version" <<<"$resource" && grep -qx "$binary" <<<"$resource" ||
    fail "ZIP: $binary has no version resource naming $version and $binary"
done

[ "$failures" -eq 0 ] || exit 1
echo "package_test: $(basename "$deb") and $(basename "$zip") OK; the C example builds with find_package and pkg-config"
