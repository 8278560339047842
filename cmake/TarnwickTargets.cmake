# Each source folder names its files with tarnwick_pure_sources (no Windows
# header: built for both trees) or tarnwick_win_sources (Windows tree only).
# The libraries are made once every folder has been read.

function(tarnwick_pure_sources)
  foreach(f ${ARGN})
    set_property(GLOBAL APPEND PROPERTY TARNWICK_PURE_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

function(tarnwick_win_sources)
  foreach(f ${ARGN})
    set_property(GLOBAL APPEND PROPERTY TARNWICK_WIN_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

set(TARNWICK_WIN_LIBS ws2_32 secur32 crypt32 advapi32 comctl32 comdlg32 shell32 ole32 shlwapi uuid gdi32 user32)

function(tarnwick_make_libraries)
  get_property(pure GLOBAL PROPERTY TARNWICK_PURE_SOURCES)
  add_library(tarnwick_pure STATIC ${pure})
  target_include_directories(tarnwick_pure PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    get_property(win GLOBAL PROPERTY TARNWICK_WIN_SOURCES)
    add_library(tarnwick_core STATIC ${win})
    target_link_libraries(tarnwick_core PUBLIC tarnwick_pure ${TARNWICK_WIN_LIBS})
  endif()
endfunction()

# A test of pure code: runs natively in the host tree and through Wine in the
# Windows tree (wchar_t is 32 bits on one and 16 on the other).
function(tarnwick_pure_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tarnwick_pure gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS pure)
endfunction()

# A test of Windows code, run through Wine. FIXTURES names the test-environment
# fixture when the test needs the real FTP servers.
function(tarnwick_win_test name)
  cmake_parse_arguments(T "SERVERS" "TIMEOUT" "" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE tarnwick_core tarnwick_test_support gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS windows
    ENVIRONMENT "TARNWICK_TESTENV=${CMAKE_BINARY_DIR}/testenv")
  if(T_SERVERS)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ftp_servers)
  endif()
endfunction()
