# The one version number of the programs and their packages is the file
# VERSION at the top of the tree (MAJOR.MINOR.PATCH). It becomes
# TarnwickVersion.h, read by the C++ sources and the resource scripts;
# scripts/package reads the file itself.
file(STRINGS ${PROJECT_SOURCE_DIR}/VERSION TARNWICK_VERSION LIMIT_COUNT 1)
if(NOT TARNWICK_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION must hold MAJOR.MINOR.PATCH, not \"${TARNWICK_VERSION}\"")
endif()
set(TARNWICK_VERSION_MAJOR ${CMAKE_MATCH_1})
set(TARNWICK_VERSION_MINOR ${CMAKE_MATCH_2})
set(TARNWICK_VERSION_PATCH ${CMAKE_MATCH_3})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/VERSION)
configure_file(${CMAKE_CURRENT_LIST_DIR}/TarnwickVersion.h.in ${CMAKE_BINARY_DIR}/generated/TarnwickVersion.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
