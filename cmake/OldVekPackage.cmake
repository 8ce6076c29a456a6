# CPack: Debian packages from the Linux build, a ZIP from the 32-bit Windows build (scripts/package).
set(CPACK_PACKAGE_NAME oldvek)
set(CPACK_PACKAGE_VENDOR "The OldVek developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
  else()
    set(CPACK_SYSTEM_NAME win64)
  endif()
  set(CPACK_PACKAGE_FILE_NAME OldVek-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
  include(CPack)
  return()
endif()

# One package per install component, split as Debian splits a library: the shared library
# under its soname's name, its -dev package, and the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL lib dev tools)
set(CPACK_STRIP_FILES ON)  # Windows release links already drop DWARF and keep the symbols the DLL checks read
set(CPACK_PACKAGE_CONTACT "${OLDVEK_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${OLDVEK_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SOURCE oldvek)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.invalid/oldvek")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Depends: from what the binaries link (libc6, libstdc++6, ncurses)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)  # liboldvek-dev depends on liboldvek1 of its own version

set(CPACK_DEBIAN_LIB_PACKAGE_NAME ${OLDVEK_DEB_lib})
set(CPACK_DEBIAN_LIB_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)  # the shlibs file of the package with the library
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The triggers file has dpkg run ldconfig once after all packages are in; cmake/debian/
# liboldvek1.lintian-overrides says why CPack's own ldconfig calls in postinst and postrm stay.
set(CPACK_DEBIAN_LIB_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
set(CPACK_COMPONENT_LIB_DESCRIPTION "engine of a BASIC snippet archive reader
The shared library libOldVek.so.1: its nine functions list, fetch and search
packets of BASIC snippets, delete, move and retitle snippets, encode files as
self-extracting BASIC source (ZORVIT) and extract them again, and write code
files. Strings and lists are automation strings (BSTR) and SAFEARRAYs, as a
reader program written for Windows passes them.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${OLDVEK_DEB_dev})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DEPENDS lib)
set(CPACK_COMPONENT_DEV_DESCRIPTION "engine of a BASIC snippet archive reader - development files
What a program needs to call libOldVek.so.1: the C header oldvek.h, the
unversioned library link, a CMake package (find_package(OldVek)), oldvek.pc for
pkg-config, the manual page oldvek.3, and the declarations for callers written
in PowerBASIC (OldVek.inc) and Visual Basic (OldVek.bas).")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME ${OLDVEK_DEB_tools})
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_TOOLS_DESCRIPTION "archive tool and help viewer for BASIC snippet packets
vek lists, shows, searches, edits and checks packets of BASIC
snippets, attaches files to them as ZORVIT pages and extracts them again.
VekHelp shows a reader's help file (VEKHelp.CFG) in a terminal; an example
help file is in /usr/share/oldvek. Both come with manual pages, and vek with
completions for bash, zsh and fish.")
include(CPack)
