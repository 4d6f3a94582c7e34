# Cross-compiles for 64-bit Windows with the MinGW-w64 toolchain of the
# system packages (g++-mingw-w64-x86-64):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DOD_TESTS=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OD_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OD_MINGW}-gcc)
set(CMAKE_CXX_COMPILER ${OD_MINGW}-g++)
set(CMAKE_RC_COMPILER ${OD_MINGW}-windres)

# Libraries and headers from the target's tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${OD_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
