# Reads VERSION (make syntax, NAME = value) and writes the header
# quillet_version.h that the resource scripts and the about page include.
# QUILLET_BUILD may be given on the command line to number a build apart.
file(STRINGS ${PROJECT_SOURCE_DIR}/VERSION version_lines REGEX "^QUILLET_[A-Z]+ *=")
foreach(line IN LISTS version_lines)
  string(REGEX REPLACE "^(QUILLET_[A-Z]+) *= *([^ ]*).*$" "\\1;\\2" pair "${line}")
  list(GET pair 0 name)
  list(GET pair 1 value)
  if(NOT DEFINED ${name} OR "${${name}}" STREQUAL "")
    set(${name} ${value})
  endif()
endforeach()
if(NOT QUILLET_VERSION MATCHES "^[0-9]+\\.[0-9]+$" OR NOT QUILLET_BUILD MATCHES "^[0-9]+$")
  message(FATAL_ERROR "VERSION: QUILLET_VERSION must read like 2.0 and QUILLET_BUILD be a number")
endif()
string(REPLACE "." "," version_commas "${QUILLET_VERSION}")
set(QUILLET_VERSION_FULL "${QUILLET_VERSION}.${QUILLET_BUILD}")
set(QUILLET_FILEVERSION "${version_commas},${QUILLET_BUILD},0")
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/quillet_version.h.in
               ${PROJECT_BINARY_DIR}/generated/quillet_version.h @ONLY)
