# Cross build for 64-bit Windows with mingw-w64 (Debian's g++-mingw-w64-x86-64).
# The posix thread model gives std::thread and std::mutex; the GCC runtime,
# the C++ library and winpthread are linked statically, so that the programs
# run (under Wine, too) without DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVIX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVIX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVIX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine when the build runs them (try_run, tests).
find_program(TAVIX_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(TAVIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVIX_WINE})
endif()
