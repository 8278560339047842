# Each source folder names its files with tarnwick_pure_sources (no Windows
# header: built for both trees) or tarnwick_win_sources (Windows tree only).
# The libraries are made once every folder has been read: one per layer, for
# the pure files (tarnwick_LAYER_pure) and, in the Windows tree, for all of
# them (tarnwick_LAYER). A layer links only the layers below it, so that code
# calling against the arrow does not link.

set(TARNWICK_LAYERS net ftp store ops ui app)
set(TARNWICK_USES_net "")
set(TARNWICK_USES_ftp net)
set(TARNWICK_USES_store net)
set(TARNWICK_USES_ops ftp store)
set(TARNWICK_USES_ui ops)
set(TARNWICK_USES_app ui)

function(tarnwick_layer_here out)
  get_filename_component(layer ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(NOT layer IN_LIST TARNWICK_LAYERS)
    message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR} is not a layer folder")
  endif()
  set(${out} ${layer} PARENT_SCOPE)
endfunction()

function(tarnwick_pure_sources)
  tarnwick_layer_here(layer)
  foreach(f ${ARGN})
    set_property(GLOBAL APPEND PROPERTY TARNWICK_PURE_SOURCES_${layer} ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

function(tarnwick_win_sources)
  tarnwick_layer_here(layer)
  foreach(f ${ARGN})
    set_property(GLOBAL APPEND PROPERTY TARNWICK_WIN_SOURCES_${layer} ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

set(TARNWICK_WIN_LIBS ws2_32 secur32 crypt32 bcrypt advapi32 comctl32 comdlg32 shell32 ole32 shlwapi uuid gdi32 user32)

# A library of the given sources (an interface library when there are none)
# that uses the given libraries.
function(tarnwick_layer_library name sources uses)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${uses})
    if(TARNWICK_FUZZ)
      return()
    endif()
    # Every object of the layer, linked on its own with what the layer may
    # use: a call into a layer above fails here.
    add_executable(${name}_link_check ${PROJECT_SOURCE_DIR}/cmake/link_check.cpp)
    target_link_libraries(${name}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>" ${uses})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${uses})
  endif()
endfunction()

function(tarnwick_make_libraries)
  foreach(layer ${TARNWICK_LAYERS})
    set(pure_uses "")
    set(win_uses tarnwick_${layer}_pure)
    foreach(used ${TARNWICK_USES_${layer}})
      list(APPEND pure_uses tarnwick_${used}_pure)
      list(APPEND win_uses tarnwick_${used})
    endforeach()
    get_property(pure GLOBAL PROPERTY TARNWICK_PURE_SOURCES_${layer})
    tarnwick_layer_library(tarnwick_${layer}_pure "${pure}" "${pure_uses}")
    if(WIN32)
      get_property(win GLOBAL PROPERTY TARNWICK_WIN_SOURCES_${layer})
      tarnwick_layer_library(tarnwick_${layer} "${win}" "${win_uses};${TARNWICK_WIN_LIBS}")
    endif()
  endforeach()
  # Everything, for the programs and the tests that cross layers.
  add_library(tarnwick_pure INTERFACE)
  add_library(tarnwick_core INTERFACE)
  foreach(layer ${TARNWICK_LAYERS})
    target_link_libraries(tarnwick_pure INTERFACE tarnwick_${layer}_pure)
    if(WIN32)
      target_link_libraries(tarnwick_core INTERFACE tarnwick_${layer})
    endif()
  endforeach()

  # The include lines keep to the same arrows.
  set(arrows "")
  foreach(layer ${TARNWICK_LAYERS})
    list(JOIN TARNWICK_USES_${layer} "," used)
    list(APPEND arrows "${layer}:${used}")
  endforeach()
  set(TARNWICK_LAYER_ARROWS ${arrows} PARENT_SCOPE)
endfunction()

# A test of pure code: runs natively in the host tree and through Wine in the
# Windows tree (wchar_t is 32 bits on one and 16 on the other).
function(tarnwick_pure_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tarnwick_pure gtest_main)
  target_precompile_headers(${name} REUSE_FROM tarnwick_pure_test_pch)
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
  target_precompile_headers(${name} REUSE_FROM tarnwick_test_support)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS windows
    ENVIRONMENT "TARNWICK_TESTENV=${CMAKE_BINARY_DIR}/testenv")
  if(T_SERVERS)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ftp_servers)
  endif()
endfunction()
