# Windows build (MinGW-w64 cross or native MSVC): the program quillet.exe,
# the control library Lantoc.dll and the Windows-side test executables.
enable_language(RC)
enable_language(C)

# The version header (generated/quillet_version.h) for the resource scripts
# and the about page.
include(${PROJECT_SOURCE_DIR}/cmake/Version.cmake)
include_directories(${PROJECT_BINARY_DIR}/generated)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MINGW)
  # Only system DLLs at run time: the C++ runtime and winpthread go in statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

quillet_collect(core_winapi_sources winapi ${QUILLET_PROGRAM_DIRS})
target_sources(quillet_core PRIVATE ${core_winapi_sources})

# Windows side of the program: the shared Win32 layer and every window.
quillet_collect(prog_win_sources win ${QUILLET_PROGRAM_DIRS})
quillet_collect(prog_window_sources window ${QUILLET_PROGRAM_DIRS})
file(GLOB win32_layer_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/win32/*.cpp)
set(entry_source ${PROJECT_SOURCE_DIR}/shell/winmain_win.cpp)
list(REMOVE_ITEM prog_win_sources ${entry_source})
add_library(quillet_win STATIC ${win32_layer_sources} ${prog_win_sources} ${prog_window_sources})
target_link_libraries(quillet_win PUBLIC quillet_core
  user32 gdi32 shell32 ole32 oleaut32 uuid oleacc comctl32 comdlg32 winmm shlwapi advapi32)
quillet_warnings(quillet_win)

set(import_check ${PROJECT_SOURCE_DIR}/tools/check-imports.sh)

add_executable(quillet WIN32 ${entry_source} ${PROJECT_SOURCE_DIR}/shell/quillet.rc)
# The resource script embeds the manifest; windres does not report it as a dependency.
set_source_files_properties(${PROJECT_SOURCE_DIR}/shell/quillet.rc PROPERTIES
  OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/shell/quillet.manifest)
target_link_libraries(quillet PRIVATE quillet_win)
if(MINGW)
  target_link_options(quillet PRIVATE -municode)  # entry point wWinMain
elseif(MSVC)
  target_link_options(quillet PRIVATE /MANIFEST:NO)  # quillet.rc embeds ours
endif()
quillet_warnings(quillet)
if(MINGW)
  add_custom_command(TARGET quillet POST_BUILD
    COMMAND ${import_check} $<TARGET_FILE:quillet> VERBATIM)
endif()

# The control library. Its type library is compiled from buttonctl/lantoc.idl
# with widl (Wine's IDL compiler, importing stdole2.tlb from Wine's DLL
# directory) and embedded as resource TYPELIB 1; widl also writes the C++
# interface header and the identifiers, which the tests share. The dispatch
# identifiers come from base/gleam_dispids.h, which the program includes too.
set(lantoc_gen ${PROJECT_BINARY_DIR}/generated)
set(lantoc_idl ${PROJECT_SOURCE_DIR}/buttonctl/lantoc.idl)
set(widl_flags --win64 -I /usr/include/wine/wine/windows -I ${PROJECT_SOURCE_DIR}
               -L /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
file(MAKE_DIRECTORY ${lantoc_gen})
add_custom_command(
  OUTPUT ${lantoc_gen}/lantoc.tlb ${lantoc_gen}/lantoc_h.h ${lantoc_gen}/lantoc_i.c
  COMMAND widl ${widl_flags} -t -o ${lantoc_gen}/lantoc.tlb ${lantoc_idl}
  COMMAND widl ${widl_flags} -h -o ${lantoc_gen}/lantoc_h.h ${lantoc_idl}
  COMMAND widl ${widl_flags} -u -o ${lantoc_gen}/lantoc_i.c ${lantoc_idl}
  DEPENDS ${lantoc_idl} ${PROJECT_SOURCE_DIR}/base/gleam_dispids.h
  VERBATIM)
add_library(lantoc_ids STATIC ${lantoc_gen}/lantoc_i.c)
target_include_directories(lantoc_ids PUBLIC ${lantoc_gen})
set_source_files_properties(${PROJECT_SOURCE_DIR}/buttonctl/lantoc.rc PROPERTIES
  OBJECT_DEPENDS ${lantoc_gen}/lantoc.tlb)

quillet_collect(lantoc_win_sources win buttonctl)
add_library(Lantoc SHARED ${lantoc_win_sources} ${PROJECT_SOURCE_DIR}/buttonctl/Lantoc.def
            ${PROJECT_SOURCE_DIR}/buttonctl/lantoc.rc ${lantoc_gen}/lantoc_h.h)
set_target_properties(Lantoc PROPERTIES PREFIX "" OUTPUT_NAME Lantoc)
target_include_directories(Lantoc PRIVATE ${lantoc_gen})
target_link_libraries(Lantoc PRIVATE lantoc_core lantoc_ids user32 gdi32 advapi32 ole32 oleaut32 uuid oleacc)
quillet_warnings(Lantoc)
if(MINGW)
  add_custom_command(TARGET Lantoc POST_BUILD
    COMMAND ${import_check} $<TARGET_FILE:Lantoc> VERBATIM)
endif()

# The delivered data files go beside the program.
add_custom_target(delivered_data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data $<TARGET_FILE_DIR:quillet>
  VERBATIM)
add_dependencies(delivered_data quillet)

# Windows-side tests: tests/windows/<name>_test.cpp (and the long runs of
# tests/soak) becomes tests/<name>_test.exe,
# each with the shared support code (gtest main in an STA, screenshots).
if(MINGW)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUILLET_GTEST gtest)
  set(QUILLET_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(QUILLET_GTEST GTest::gtest)
  set(QUILLET_GTEST_MAIN GTest::gtest_main)
endif()

file(GLOB win_test_support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_library(quillet_test_support STATIC ${win_test_support})
target_link_libraries(quillet_test_support PUBLIC ${QUILLET_GTEST} quillet_win)
target_include_directories(quillet_test_support PUBLIC ${PROJECT_SOURCE_DIR})
quillet_warnings(quillet_test_support)

# One executable per source, over the test support, run beside the program.
function(quillet_win_executables out_dir)
  foreach(src IN LISTS ARGN)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${out_dir})
    target_link_libraries(${name} PRIVATE quillet_test_support lantoc_core lantoc_ids)
    quillet_warnings(${name})
    add_dependencies(${name} quillet Lantoc delivered_data)
  endforeach()
endfunction()

file(GLOB win_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/windows/*_test.cpp
                                      ${PROJECT_SOURCE_DIR}/tests/soak/*_test.cpp)
quillet_win_executables(tests ${win_tests})

# Run by scripts, not by ctest: the installed program's journey
# (build/windows/release/, tools/release-check.sh) and the maker of the user
# guide's pictures (build/windows/user-guide/, tools/user-guide-pictures.sh).
file(GLOB release_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/release/*.cpp)
quillet_win_executables(release ${release_tests})
target_link_libraries(release_journey_test PRIVATE version)
quillet_win_executables(user-guide ${PROJECT_SOURCE_DIR}/tools/user-guide/guide_pictures.cpp)

# The portable logic tests again, against the Windows backends.
file(GLOB portable_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/portable/*_test.cpp)
add_executable(portable_test ${portable_tests})
set_target_properties(portable_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
target_link_libraries(portable_test PRIVATE quillet_core ${QUILLET_GTEST} ${QUILLET_GTEST_MAIN})
quillet_warnings(portable_test)

# Probes that print figures of the running program (bench/*_probe.cpp, not
# run by the tests): build/windows/bench/<name>.exe.
file(GLOB win_probes CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_probe.cpp)
quillet_win_executables(bench ${win_probes})
