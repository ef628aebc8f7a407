option(QUILLET_WERROR "Treat compiler warnings as errors" OFF)

function(quillet_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${QUILLET_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow
      $<$<BOOL:${QUILLET_WERROR}>:-Werror>)
  endif()
endfunction()
