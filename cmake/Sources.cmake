# Source selection by file name, so that adding a file to a subsystem needs
# no edit here:
#   name.cpp          platform-free logic: built natively and for Windows
#   name_posix.cpp    native backend of a logic interface (iconv, POSIX files)
#   name_winapi.cpp   Windows backend of the same interface (Win32 calls)
#   name_win.cpp      other Windows-only code (window helpers, COM, tray)
#   name_window.cpp   a window
# The program's subsystems feed the library quillet_core (logic, with
# its backend for the platform) and quillet_win (Windows side); buttonctl/ feeds the control library alone.

set(QUILLET_PROGRAM_DIRS base forms calendar worklog reminders settings lookup shell)

function(quillet_collect out_var kind)
  set(dirs ${ARGN})
  set(result "")
  foreach(dir IN LISTS dirs)
    file(GLOB files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
    foreach(f IN LISTS files)
      get_filename_component(name "${f}" NAME_WE)
      if(name MATCHES "_window$")
        set(k window)
      elseif(name MATCHES "_win$")
        set(k win)
      elseif(name MATCHES "_posix$")
        set(k posix)
      elseif(name MATCHES "_winapi$")
        set(k winapi)
      else()
        set(k logic)
      endif()
      if(k STREQUAL kind)
        list(APPEND result "${f}")
      endif()
    endforeach()
  endforeach()
  set(${out_var} "${result}" PARENT_SCOPE)
endfunction()
