# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# thread model, so that std::thread, std::mutex and std::call_once work).
# The programs are linked statically: velunor.exe needs no DLLs beside it.
# Built programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELUNOR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELUNOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELUNOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VELUNOR_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELUNOR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(VELUNOR_WINE NAMES wine64 wine)
if(VELUNOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELUNOR_WINE})
endif()
