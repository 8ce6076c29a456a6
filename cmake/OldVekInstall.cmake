# What `cmake --install` puts where. Linux follows GNUInstallDirs; the Windows kit is flat: the
# DLL, the programs, the caller declarations and the example help file side by side, the
# header in include/, the import library and OldVek.def in lib/.
include(CMakePackageConfigHelpers)

if(WIN32)
  set(oldvek_bin_dir .)
  set(oldvek_share_dir .)
  set(oldvek_doc_dir .)
else()
  set(oldvek_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(oldvek_share_dir ${CMAKE_INSTALL_DATADIR}/oldvek)
  set(oldvek_doc_dir ${CMAKE_INSTALL_DOCDIR})
endif()
set(oldvek_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/OldVek)

install(TARGETS OldVek EXPORT OldVekTargets
        RUNTIME DESTINATION ${oldvek_bin_dir}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The public headers: oldvek.h and every library header it includes, followed to the end.
set(oldvek_headers)
set(pending oldvek.h)
while(pending)
  list(POP_FRONT pending header)
  if(header IN_LIST oldvek_headers OR NOT EXISTS ${PROJECT_SOURCE_DIR}/library/${header})
    continue()
  endif()
  list(APPEND oldvek_headers ${header})
  file(STRINGS ${PROJECT_SOURCE_DIR}/library/${header} includes REGEX "^#include \"")
  list(TRANSFORM includes REPLACE "^#include \"([^\"]+)\".*" "\\1")
  list(APPEND pending ${includes})
endwhile()
list(TRANSFORM oldvek_headers PREPEND ${PROJECT_SOURCE_DIR}/library/)
install(FILES ${oldvek_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(FILES library/callers/OldVek.inc library/callers/OldVek.bas DESTINATION ${oldvek_share_dir})
install(FILES examples/help/VEKHelp.CFG DESTINATION ${oldvek_share_dir})
if(WIN32)
  install(FILES library/oldvek.def DESTINATION ${CMAKE_INSTALL_LIBDIR} RENAME OldVek.def)
  install(FILES cmake/README-windows.txt DESTINATION . RENAME README.txt)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
else()
  install(FILES LICENSE CHANGELOG.md DESTINATION ${oldvek_doc_dir})
endif()

foreach(program vek VekHelp)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${oldvek_bin_dir})
  endif()
endforeach()

# Man pages and the completion come with the programs' own folders when they have them.
if(NOT WIN32)
  foreach(page tools/vek/vek.1 help/VekHelp.1)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${page})
      install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
  if(EXISTS ${PROJECT_SOURCE_DIR}/tools/vek/vek.bash-completion)
    install(FILES tools/vek/vek.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            RENAME vek)
  endif()
endif()

# find_package(OldVek) gives OldVek::OldVek.
install(EXPORT OldVekTargets NAMESPACE OldVek:: DESTINATION ${oldvek_cmake_dir})
configure_package_config_file(cmake/OldVekConfig.cmake.in ${CMAKE_BINARY_DIR}/generated/OldVekConfig.cmake
                              INSTALL_DESTINATION ${oldvek_cmake_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/generated/OldVekConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/generated/OldVekConfig.cmake ${CMAKE_BINARY_DIR}/generated/OldVekConfigVersion.cmake
        DESTINATION ${oldvek_cmake_dir})

# oldvek.pc finds its prefix from where it lies, so an unpacked or relocated tree works too.
set(oldvek_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH OLDVEK_PC_TO_PREFIX /${oldvek_pc_dir} /)
string(REGEX REPLACE "/$" "" OLDVEK_PC_TO_PREFIX "${OLDVEK_PC_TO_PREFIX}")
configure_file(cmake/oldvek.pc.in ${CMAKE_BINARY_DIR}/generated/oldvek.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/oldvek.pc DESTINATION ${oldvek_pc_dir})
