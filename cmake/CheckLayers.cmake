# Checks that no folder includes from a folder above it and that the
# subsystems never include each other. Run as a test:
#   cmake -DSOURCE_DIR=<tree> -P cmake/CheckLayers.cmake
# Layers, bottom first; a folder may include its own headers and those of
# any lower layer. Folders of one layer never include each other.
set(rank 0)
set(folders_all "")
foreach(layer IN ITEMS base win32 "forms buttonctl"
                       "calendar worklog reminders settings lookup" shell)
  separate_arguments(folders UNIX_COMMAND "${layer}")
  foreach(folder IN LISTS folders)
    set(rank_${folder} ${rank})
    list(APPEND folders_all ${folder})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

set(faults "")
# Only the product folders: tests, tools and bench may include anything.
set(sources "")
foreach(folder IN LISTS folders_all)
  file(GLOB found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.rc)
  list(APPEND sources ${found})
endforeach()
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue()  # generated headers beside the build
    endif()
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(target STREQUAL folder)
      continue()
    endif()
    if(NOT DEFINED rank_${target} OR NOT rank_${target} LESS rank_${folder})
      string(APPEND faults "  ${source} includes ${header}\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the layering (base < win32 < forms, buttonctl"
                      " < subsystems < shell):\n${faults}")
endif()
