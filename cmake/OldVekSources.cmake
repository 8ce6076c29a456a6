# Every source file is named in its folder's CMakeLists.txt; its name says what it is:
#   *_test.cpp      unit tests, beside the code they test
#   *_bench.cpp     Google Benchmark programs
#   *_fuzz.cpp      libFuzzer targets, beside the code they feed (oldvek_add_fuzz_targets)
#   *_posix.cpp     built on Linux only
#   *_win32.cpp     built on Windows only
# oldvek_collect(SOURCES TESTS BENCHES FILE...) sorts the files given into the three lists, leaving
# out what the platform does not build.
function(oldvek_collect out_sources out_tests out_benches)
  set(sources)
  set(tests)
  set(benches)
  foreach(file IN LISTS ARGN)
    if(file MATCHES "_posix\\.cpp$" AND WIN32)
      continue()
    endif()
    if(file MATCHES "_win32(_test)?\\.cpp$" AND NOT WIN32)
      continue()
    endif()
    if(file MATCHES "_test\\.cpp$")
      list(APPEND tests ${file})
    elseif(file MATCHES "_bench\\.cpp$")
      list(APPEND benches ${file})
    else()
      list(APPEND sources ${file})
    endif()
  endforeach()
  set(${out_sources} ${sources} PARENT_SCOPE)
  set(${out_tests} ${tests} PARENT_SCOPE)
  set(${out_benches} ${benches} PARENT_SCOPE)
endfunction()

# oldvek_add_fuzz_targets(LIBRARY FILE...): one libFuzzer program per *_fuzz.cpp given, linked
# with LIBRARY; built only when OLDVEK_FUZZ is on (the fuzz preset), into build/fuzz/fuzz/.
function(oldvek_add_fuzz_targets library)
  if(NOT OLDVEK_FUZZ)
    return()
  endif()
  foreach(file IN LISTS ARGN)
    get_filename_component(name ${file} NAME_WE)
    add_executable(${name} ${file})
    target_link_libraries(${name} PRIVATE ${library})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  endforeach()
endfunction()
