# The files Debian asks of every package: the manual pages and changelogs gzip-compressed
# (-n: no name or time stamp, so a rebuild gives the same bytes), and in each package's
# /usr/share/doc folder a copyright file in Debian's format and the changelogs.
set(OLDVEK_DEB_lib liboldvek1)
set(OLDVEK_DEB_dev liboldvek-dev)
set(OLDVEK_DEB_tools oldvek-tools)
set(OLDVEK_DEB_RELEASE 1)
set(OLDVEK_MAINTAINER "The OldVek developers <oldvek@example.org>")
set(debian_dir ${oldvek_generated}/debian)

# gzip: compresses SOURCE into debian/NAME.gz at build time.
set(debian_gzipped)
function(gzip source name)
  add_custom_command(OUTPUT ${debian_dir}/${name}.gz
                     COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" sh ${source} ${debian_dir}/${name}.gz
                     DEPENDS ${source} VERBATIM)
  set(debian_gzipped ${debian_gzipped} ${debian_dir}/${name}.gz PARENT_SCOPE)
endfunction()

# copyright: the licence text of LICENSE as the Expat licence.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
set(license_text)
set(copyright_holder)
foreach(line IN LISTS license_lines)
  if(line MATCHES "^Copyright \\(c\\) (.*)")
    set(copyright_holder ${CMAKE_MATCH_1})
  elseif(copyright_holder)
    if(line STREQUAL "")
      string(APPEND license_text " .\n")
    else()
      string(APPEND license_text " ${line}\n")
    endif()
  endif()
endforeach()
string(REGEX REPLACE "^ \\.\n" "" license_text "${license_text}")
file(WRITE ${debian_dir}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: ${PROJECT_NAME}\nUpstream-Contact: ${OLDVEK_MAINTAINER}\n\n"
     "Files: *\nCopyright: ${copyright_holder}\nLicense: Expat\n${license_text}")

# changelog.Debian: one entry for this version, dated as CHANGELOG.md's heading dates it.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md release_heading REGEX "^## ${PROJECT_VERSION} \\(" LIMIT_COUNT 1)
string(REGEX REPLACE ".*\\(([0-9-]+)\\).*" "\\1" release_date "${release_heading}")
execute_process(COMMAND date -u -R -d "${release_date} 12:00" OUTPUT_VARIABLE release_date
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${debian_dir}/changelog.Debian
     "oldvek (${PROJECT_VERSION}-${OLDVEK_DEB_RELEASE}) unstable; urgency=medium\n\n"
     "  * Release ${PROJECT_VERSION}; changelog.gz beside this file says what it brings.\n\n"
     " -- ${OLDVEK_MAINTAINER}  ${release_date}\n")

gzip(${debian_dir}/changelog.Debian changelog.Debian)
gzip(${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog)
foreach(page tools/vek/vek.1 help/VekHelp.1 library/oldvek.3)
  get_filename_component(name ${page} NAME)
  gzip(${PROJECT_SOURCE_DIR}/${page} ${name})
endforeach()
add_custom_target(oldvek_debian_files ALL DEPENDS ${debian_gzipped})

foreach(component lib dev tools)
  install(FILES ${debian_dir}/copyright ${debian_dir}/changelog.Debian.gz ${debian_dir}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${OLDVEK_DEB_${component}} COMPONENT ${component})
endforeach()
# Each override in these files says why it is there.
foreach(component lib dev tools)
  install(FILES cmake/debian/${OLDVEK_DEB_${component}}.lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${OLDVEK_DEB_${component}}
          COMPONENT ${component})
endforeach()
install(FILES ${debian_dir}/oldvek.3.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT dev)
install(FILES ${debian_dir}/vek.1.gz ${debian_dir}/VekHelp.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT tools)
install(FILES tools/vek/vek.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME vek COMPONENT tools)
install(FILES tools/vek/vek.zsh-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
        RENAME _vek COMPONENT tools)
install(FILES tools/vek/vek.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d COMPONENT tools)
