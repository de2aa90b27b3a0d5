# Compiler settings shared by every target of the project.
# Project code links velunor_options; third-party code never sees these flags.
add_library(velunor_options INTERFACE)
target_compile_options(velunor_options INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  -Wnon-virtual-dtor -Woverloaded-virtual -Werror)

if(VELUNOR_SANITIZE)
  set(_velunor_sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_velunor_sanitize})
  add_link_options(${_velunor_sanitize})
endif()

if(VELUNOR_FUZZ)
  set(_velunor_fuzz -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_compile_options(${_velunor_fuzz})
  add_link_options(-fsanitize=address,undefined)
endif()

# Hardening as Debian builds its packages: stack protector and stack clash
# checks, control-flow protection (IBT/SHSTK), position-independent
# executables, a read-only relocation table resolved at start-up, and
# fortified libc calls. tools/check-hardening.sh checks the result.
# _FORTIFY_SOURCE needs optimisation and would hide buffer accesses from the
# sanitizers (their checks replace the libc calls), so those builds and
# Debug builds go without it. These are ELF protections: the Windows
# cross-build (PE, MinGW-w64) goes without them.
if(NOT WIN32)
  include(CheckCXXCompilerFlag)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  foreach(_velunor_flag -fstack-protector-strong -fstack-clash-protection -fcf-protection
                        -Wformat -Werror=format-security)
    string(MAKE_C_IDENTIFIER "VELUNOR_HAS${_velunor_flag}" _velunor_flag_var)
    check_cxx_compiler_flag(${_velunor_flag} ${_velunor_flag_var})
    if(${_velunor_flag_var})
      target_compile_options(velunor_options INTERFACE ${_velunor_flag})
    endif()
  endforeach()
  target_link_options(velunor_options INTERFACE -Wl,-z,relro,-z,now)
  if(NOT VELUNOR_SANITIZE AND NOT VELUNOR_FUZZ)
    target_compile_options(velunor_options INTERFACE
      "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  endif()
endif()
