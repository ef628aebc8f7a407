# Checked builds, each in a build folder of its own (see the Makefile):
#   QUILLET_SANITIZE=ON  everything with AddressSanitizer and UBSan; the
#                        first report ends the program with a failure.
#   QUILLET_FUZZ=ON      the same with clang's libFuzzer coverage, plus one
#                        fuzz executable per tests/fuzz/*_fuzz.cpp.
option(QUILLET_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
option(QUILLET_FUZZ "Build the libFuzzer targets (needs clang++)" OFF)

if(QUILLET_SANITIZE OR QUILLET_FUZZ)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  if(QUILLET_FUZZ)
    list(APPEND sanitizers -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${sanitizers})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC's flow analysis under the sanitizers warns inside <regex>.
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  add_link_options(-fsanitize=address,undefined)
endif()

# Called from the native build once the libraries exist.
function(quillet_add_fuzz_targets)
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  add_custom_target(fuzz_targets)
  foreach(src IN LISTS fuzz_sources)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE quillet_core lantoc_core)
    quillet_warnings(${name})
    add_dependencies(fuzz_targets ${name})
  endforeach()
endfunction()
