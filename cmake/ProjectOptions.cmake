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
