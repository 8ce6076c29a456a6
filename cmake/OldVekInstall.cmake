# What `cmake --install` puts where. Linux follows GNUInstallDirs, in three components that
# become the Debian packages: lib (the shared library), dev (what a program needs to build
# against it) and tools (vek and VekHelp). The Windows kit is flat: the DLL, the programs, the
# caller declarations and the example help file side by side, the header in include/, the
# import library and OldVek.def in lib/; its text files have CR LF line ends.
include(CMakePackageConfigHelpers)

if(WIN32)
  set(oldvek_bin_dir .)
  set(oldvek_share_dir .)
else()
  set(oldvek_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(oldvek_share_dir ${CMAKE_INSTALL_DATADIR}/oldvek)
endif()
set(oldvek_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/OldVek)
set(oldvek_generated ${CMAKE_BINARY_DIR}/generated)

# oldvek_install_text(COMPONENT DESTINATION FILE [RENAME NAME]): FILE as it is on Linux, with
# CR LF line ends on Windows.
function(oldvek_install_text component destination file)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" RENAME "")
  get_filename_component(name ${file} NAME)
  if(arg_RENAME)
    set(name ${arg_RENAME})
  endif()
  set(source ${PROJECT_SOURCE_DIR}/${file})
  if(WIN32)
    configure_file(${source} ${oldvek_generated}/crlf/${destination}/${name} @ONLY NEWLINE_STYLE CRLF)
    set(source ${oldvek_generated}/crlf/${destination}/${name})
  endif()
  install(FILES ${source} DESTINATION ${destination} RENAME ${name} COMPONENT ${component})
endfunction()

# A shared library is not a program: mode 644, as Debian expects.
install(TARGETS OldVek EXPORT OldVekTargets
        RUNTIME DESTINATION ${oldvek_bin_dir} COMPONENT lib
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT lib NAMELINK_COMPONENT dev
                PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)

# The public headers: oldvek.h and every library header it includes, followed to the end.
set(oldvek_headers)
set(pending oldvek.h)
while(pending)
  list(POP_FRONT pending header)
  if(header IN_LIST oldvek_headers OR NOT EXISTS ${PROJECT_SOURCE_DIR}/library/include/${header})
    continue()
  endif()
  list(APPEND oldvek_headers ${header})
  file(STRINGS ${PROJECT_SOURCE_DIR}/library/include/${header} includes REGEX "^#include \"")
  list(TRANSFORM includes REPLACE "^#include \"([^\"]+)\".*" "\\1")
  list(APPEND pending ${includes})
endwhile()
foreach(header ${oldvek_headers})
  oldvek_install_text(dev ${CMAKE_INSTALL_INCLUDEDIR} library/include/${header})
endforeach()

oldvek_install_text(dev ${oldvek_share_dir} library/callers/OldVek.inc)
oldvek_install_text(dev ${oldvek_share_dir} library/callers/OldVek.bas)
install(FILES examples/help/VEKHelp.CFG DESTINATION ${oldvek_share_dir} COMPONENT tools)
foreach(program vek VekHelp)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${oldvek_bin_dir} COMPONENT tools)
  endif()
endforeach()

if(WIN32)
  oldvek_install_text(dev ${CMAKE_INSTALL_LIBDIR} library/oldvek.def RENAME OldVek.def)
  oldvek_install_text(lib . cmake/README-windows.txt RENAME README.txt)
  oldvek_install_text(lib . LICENSE RENAME LICENSE.txt)
else()
  include(cmake/OldVekDebianFiles.cmake)
endif()

# find_package(OldVek) gives OldVek::OldVek.
install(EXPORT OldVekTargets NAMESPACE OldVek:: DESTINATION ${oldvek_cmake_dir} COMPONENT dev)
configure_package_config_file(cmake/OldVekConfig.cmake.in ${oldvek_generated}/OldVekConfig.cmake
                              INSTALL_DESTINATION ${oldvek_cmake_dir})
write_basic_package_version_file(${oldvek_generated}/OldVekConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${oldvek_generated}/OldVekConfig.cmake ${oldvek_generated}/OldVekConfigVersion.cmake
        DESTINATION ${oldvek_cmake_dir} COMPONENT dev)

# oldvek.pc finds its prefix from where it lies, so an unpacked or relocated tree works too.
set(oldvek_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH OLDVEK_PC_TO_PREFIX /${oldvek_pc_dir} /)
string(REGEX REPLACE "/$" "" OLDVEK_PC_TO_PREFIX "${OLDVEK_PC_TO_PREFIX}")
configure_file(cmake/oldvek.pc.in ${oldvek_generated}/oldvek.pc @ONLY)
install(FILES ${oldvek_generated}/oldvek.pc DESTINATION ${oldvek_pc_dir} COMPONENT dev)
