# Checks that no folder includes from a folder above it, that the
# subsystems never include each other, and that the control library
# stands apart. Run as a test:
#   cmake -DSOURCE_DIR=<tree> -P cmake/CheckLayers.cmake
# Layers, bottom first; a folder may include its own headers and those of
# any lower layer. Folders of one layer never include each other.
# buttonctl/ is no layer: it includes base/ and the headers listed in
# buttonctl_may_include, and no other folder includes it.
cmake_minimum_required(VERSION 3.20)
set(rank 0)
set(folders_all buttonctl)
foreach(layer IN ITEMS base win32 forms
                       "calendar worklog reminders settings lookup" shell)
  separate_arguments(folders UNIX_COMMAND "${layer}")
  foreach(folder IN LISTS folders)
    set(rank_${folder} ${rank})
    list(APPEND folders_all ${folder})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()
# Header-only, on the system headers alone: they link nothing of the
# program.
set(buttonctl_may_include win32/handles.h win32/render_messages.h win32/accessible.h)

set(faults "")
# Only the product folders, every file below them: tests, tools and bench
# may include anything.
set(sources "")
foreach(folder IN LISTS folders_all)
  foreach(ext IN ITEMS h hpp inl cpp rc)
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.${ext})
    list(APPEND sources ${found})
  endforeach()
endforeach()
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[^\"<]*[\"<]([^\">]*)[\">].*$" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue()  # system headers, and generated headers beside the build
    endif()
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(line MATCHES "include[ \t]*<" AND NOT target IN_LIST folders_all AND NOT target STREQUAL "tests")
      continue()  # <gtest/gtest.h> and the like
    endif()
    if(target STREQUAL folder)
      continue()
    elseif(folder STREQUAL "buttonctl")
      if(target STREQUAL "base" OR header IN_LIST buttonctl_may_include)
        continue()
      endif()
    elseif(DEFINED rank_${target} AND rank_${target} LESS rank_${folder})
      continue()
    endif()
    string(APPEND faults "  ${source} includes ${header}\n")
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the layering (base < win32 < forms < subsystems"
                      " < shell; buttonctl apart, on base):\n${faults}")
endif()
