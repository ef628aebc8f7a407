# Native (Linux) build: the logic, its GoogleTest suite, benchmarks, command-
# line tools and, with QUILLET_WINDOWS=ON, the Windows build as a sub-build
# whose test executables run under Wine from this tree's ctest.

quillet_collect(core_posix_sources posix ${QUILLET_PROGRAM_DIRS})
target_sources(quillet_core PRIVATE ${core_posix_sources})

find_package(GTest REQUIRED)
include(GoogleTest)

# tests/portable holds tests that must hold for both backends of an
# interface (iconv and Win32, POSIX and Win32 files): they also run under
# Wine as portable_test.exe.
file(GLOB native_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*_test.cpp
                                         ${PROJECT_SOURCE_DIR}/tests/portable/*_test.cpp)
add_executable(quillet_tests ${native_tests})
target_link_libraries(quillet_tests PRIVATE quillet_core lantoc_core GTest::gtest_main)
target_compile_definitions(quillet_tests PRIVATE
  QUILLET_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  QUILLET_BINARY_DIR="${PROJECT_BINARY_DIR}")
quillet_warnings(quillet_tests)
gtest_discover_tests(quillet_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

# Command-line tools: tools/<name>.cpp becomes the executable <name>.
file(GLOB tool_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/*.cpp)
foreach(src IN LISTS tool_sources)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE quillet_core)
  quillet_warnings(${name})
  add_dependencies(quillet_tests ${name})  # the tests run the tools
endforeach()
# quillet-lunar --holidays reads the delivered holiday file beside itself.
add_custom_target(tool_data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/Holiday.dat
          ${PROJECT_BINARY_DIR}/Holiday.dat
  VERBATIM)
add_dependencies(quillet_tests tool_data)
add_dependencies(quillet-lunar tool_data)  # built on its own, it works too

# Benchmarks: bench/*_bench.cpp, all in one executable run by `make bench`.
file(GLOB bench_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_bench.cpp)
find_package(benchmark QUIET)
if(benchmark_FOUND AND bench_sources)
  add_executable(quillet_bench ${bench_sources} ${PROJECT_SOURCE_DIR}/bench/heap_count.cpp)
  target_link_libraries(quillet_bench PRIVATE quillet_core lantoc_core benchmark::benchmark_main)
  quillet_warnings(quillet_bench)
  add_custom_target(bench COMMAND quillet_bench DEPENDS quillet_bench USES_TERMINAL)
endif()

option(QUILLET_WINDOWS "Also cross-build the Windows side and test it under Wine" OFF)
if(QUILLET_WINDOWS)
  include(ExternalProject)
  set(win_bin ${PROJECT_BINARY_DIR}/windows)
  set(QUILLET_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-test CACHE PATH "Wine prefix of the tests")
  ExternalProject_Add(windows
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${win_bin}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      -DQUILLET_WERROR=${QUILLET_WERROR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)

  # One ctest test per Windows test executable: each Wine start costs ~1 s.
  # They share one display (cursor, focus), so they never run side by side.
  # The long runs of tests/soak carry the label soak: `make test` leaves
  # them out, `make soak` runs them.
  file(GLOB win_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/windows/*_test.cpp)
  file(GLOB soak_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/soak/*_test.cpp)
  set(win_test_names portable_test)
  foreach(src IN LISTS win_tests soak_tests)
    get_filename_component(name ${src} NAME_WE)
    list(APPEND win_test_names ${name})
  endforeach()
  foreach(name IN LISTS win_test_names)
    set(label windows)
    # Window tests count GDI objects over hundreds of window cycles: slow
    # on a busy machine.
    set(timeout 300)
    if(name MATCHES "_soak_test$")
      # The program's soak runs QUILLET_SOAK_MINUTES (30 by default).
      set(label soak)
      set(timeout 7200)
    endif()
    add_test(NAME ${label}.${name}
      COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${QUILLET_WINE_PREFIX}
              ${win_bin}/tests/${name}.exe)
    set_tests_properties(${label}.${name} PROPERTIES
      LABELS ${label} RESOURCE_LOCK display TIMEOUT ${timeout}
      ENVIRONMENT "QUILLET_BIN_DIR=${win_bin};QUILLET_SOURCE_DIR=${PROJECT_SOURCE_DIR};QUILLET_ARTIFACT_DIR=${PROJECT_BINARY_DIR}/screenshots;QUILLET_SOAK_DIR=${PROJECT_BINARY_DIR}/soak")
  endforeach()
endif()

# The export command lines under Wine, their files read back by Python's csv
# module and the icalendar package. Debian's own Python, where apt puts
# them (a Python of the user's earlier in PATH would not have them).
if(QUILLET_WINDOWS)
  add_test(NAME windows.export_check
    COMMAND bash -c "[ \"\${QUILLET_WINE_SESSION:-}\" = 1 ] && exec \"$@\" || exec ${PROJECT_SOURCE_DIR}/tools/wine-session.sh ${QUILLET_WINE_PREFIX} \"$@\"" _
            /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/windows/export_check.py ${win_bin} ${PROJECT_BINARY_DIR})
  set_tests_properties(windows.export_check PROPERTIES
    LABELS windows RESOURCE_LOCK display TIMEOUT 300)
endif()

# The folders' layering: no folder includes from a folder above it.
add_test(NAME layout.includes
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)

if(QUILLET_FUZZ)
  quillet_add_fuzz_targets()
endif()
